#include "support/CSystem.h"

#include "platform/Folders.h"

#include <QFile>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>

#include <sys/utsname.h>

namespace qv::support
{

namespace
{

CSystem::Memory readMemory()
{
    QFile file(QStringLiteral("/proc/meminfo"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return CSystem::parseMemInfo(file.readAll());
}

} // namespace

CSystem::CSystem() : m_family(QStringLiteral("Windows NT"))
{
    utsname names{};
    if (uname(&names) == 0) {
        m_processor = processorForMachine(QString::fromLatin1(names.machine));
        // "6.1.0-18-amd64": major 6, minor 1.
        const QStringList parts =
            QString::fromLatin1(names.release).split(QRegularExpression(QStringLiteral("[^0-9]")));
        m_winMajor = static_cast<qint16>(parts.value(0).toInt());
        m_winMinor = static_cast<qint16>(parts.value(1).toInt());
    } else {
        m_processor = QStringLiteral("Unknown");
    }
    m_windowsDir = platform::Folders::windowsFolder();
    m_systemDir = platform::Folders::systemFolder();
}

bool CSystem::is256() const
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return true;
    const QScreen *screen = QGuiApplication::primaryScreen();
    return !screen || screen->depth() >= 8;
}

long CSystem::freeMemory() const
{
    return readMemory().availableKb;
}

int CSystem::freeResources() const
{
    return freePercent(readMemory());
}

QString CSystem::user() const
{
    return qEnvironmentVariable("USER");
}

QString CSystem::processorForMachine(const QString &machineType)
{
    const QString type = machineType.toLower();
    static const QRegularExpression x86(QStringLiteral("^(i[3-6]86|x86(_64)?|amd64)$"));
    if (x86.match(type).hasMatch())
        return QStringLiteral("586");
    if (type.startsWith(QLatin1String("alpha")))
        return QStringLiteral("A21064");
    if (type.startsWith(QLatin1String("mips")))
        return QStringLiteral("R4000");
    return QStringLiteral("Unknown");
}

CSystem::Memory CSystem::parseMemInfo(const QByteArray &text)
{
    Memory memory;
    long freeKb = -1;
    long availableKb = -1;
    for (const QByteArray &line : text.split('\n')) {
        const QList<QByteArray> words = line.simplified().split(' ');
        if (words.size() < 2)
            continue;
        const long value = words.at(1).toLong();
        if (words.at(0) == "MemTotal:")
            memory.totalKb = value;
        else if (words.at(0) == "MemAvailable:")
            availableKb = value;
        else if (words.at(0) == "MemFree:")
            freeKb = value;
    }
    memory.availableKb = availableKb >= 0 ? availableKb : qMax(freeKb, 0L);
    return memory;
}

int CSystem::freePercent(const Memory &memory)
{
    if (memory.totalKb <= 0)
        return 0;
    const long load = 100 - (memory.availableKb * 100) / memory.totalKb;
    return 100 - static_cast<int>(qBound(0L, load, 100L));
}

} // namespace qv::support
