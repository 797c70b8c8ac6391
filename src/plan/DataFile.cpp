#include "plan/DataFile.h"

#include "platform/AtomicFile.h"

#include <QFile>
#include <QStringDecoder>

namespace qv::plan {

QString DataFile::who() const
{
    const QString id = m_handler ? m_handler->ClassDebugID() : QString();
    return id.isEmpty() ? QString() : QStringLiteral(" (") + id + QLatin1Char(')');
}

bool DataFile::Read()
{
    m_lastError.clear();
    if (!m_handler) {
        m_lastError = QStringLiteral("No handler to read %1.").arg(m_filePath);
        return false;
    }
    QFile file(m_filePath);
    if (!file.open(QIODevice::ReadOnly)) {
        m_lastError = QStringLiteral("%1 cannot be read%2: %3").arg(m_filePath, who(), file.errorString());
        return false;
    }
    return Read(file);
}

bool DataFile::Read(QIODevice &device)
{
    m_lastError.clear();
    if (!m_handler) {
        m_lastError = QStringLiteral("No handler to read %1.").arg(m_filePath);
        return false;
    }
    m_device = &device;
    m_handler->ReadFileData(*this);
    m_device = nullptr;
    return true;
}

bool DataFile::ReadLine(QString &line)
{
    line.clear();
    if (!m_device || m_device->atEnd())
        return false;
    QByteArray bytes = m_device->readLine(kMaxLineLength + 2);
    if (bytes.isEmpty()) {
        // Nothing came although the device was not at its end: a read error.
        m_lastError = QStringLiteral("Reading %1 failed%2: %3").arg(m_filePath, who(), m_device->errorString());
        m_device = nullptr;
        return false;
    }
    if (bytes.size() > kMaxLineLength && !bytes.endsWith('\n')) {
        m_lastError = QStringLiteral("%1 holds a line longer than %2 characters%3.")
                          .arg(m_filePath)
                          .arg(kMaxLineLength)
                          .arg(who());
        m_device = nullptr;
        return false;
    }
    if (bytes.endsWith('\n'))
        bytes.chop(1);
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    line = utf8(bytes);
    if (utf8.hasError())
        line = QString::fromLatin1(bytes);
    return true;
}

bool DataFile::Write()
{
    m_lastError.clear();
    if (!m_handler) {
        m_lastError = QStringLiteral("No handler to write %1.").arg(m_filePath);
        return false;
    }
    m_lines.clear();
    m_handler->WriteFileData(*this);
    QByteArray content;
    for (const QString &line : std::as_const(m_lines))
        content += line.toUtf8() + '\n';
    m_lines.clear();
    const QString error = platform::writeFileAtomically(m_filePath, content);
    if (!error.isEmpty()) {
        m_lastError = QStringLiteral("%1 cannot be written%2: %3").arg(m_filePath, who(), error);
        return false;
    }
    return true;
}

} // namespace qv::plan
