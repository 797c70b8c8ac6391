#pragma once

#include <QString>

namespace qv::support
{

// Facts about the machine, gathered once when the object is made. This
// platform reports itself as the NT family; the version words carry the
// kernel's major and minor release.
class CSystem
{
public:
    CSystem();

    // Whether the display shows at least 256 colours.
    bool is256() const;
    bool isWin95() const { return m_family == QLatin1String("Windows 95"); }
    bool isWinNT() const { return m_family == QLatin1String("Windows NT"); }
    QString family() const { return m_family; }

    // Available physical memory in kilobytes.
    long freeMemory() const;
    // 100 minus the memory load in percent.
    int freeResources() const;
    int freeUserResources() const { return freeResources(); }
    int freeGdiResources() const { return freeResources(); }

    qint16 winMajor() const { return m_winMajor; }
    qint16 winMinor() const { return m_winMinor; }
    qint16 dosMajor() const { return 0; } // there is no DOS underneath
    qint16 dosMinor() const { return 0; }
    bool hasCoprocessor() const { return true; } // every supported processor has one
    bool hasPaging() const { return true; }
    bool isUnder32() const { return true; } // a 32-bit (or wider) program
    QString processor() const { return m_processor; }
    QString mode() const { return QStringLiteral("Enhanced"); }
    QString windowsDir() const { return m_windowsDir; }
    QString systemDir() const { return m_systemDir; }
    QString user() const; // the login name
    int machine() const { return 0; }

    // The processor text for a machine type as the kernel names it
    // ("x86_64", "i686", "alpha", "mips").
    static QString processorForMachine(const QString &machineType);

    struct Memory {
        long totalKb = 0;
        long availableKb = 0;
    };
    // Reads MemTotal and MemAvailable (MemFree on old kernels) from the
    // text of /proc/meminfo.
    static Memory parseMemInfo(const QByteArray &text);
    static int freePercent(const Memory &memory);

private:
    QString m_family;
    qint16 m_winMajor = 0;
    qint16 m_winMinor = 0;
    QString m_processor;
    QString m_windowsDir;
    QString m_systemDir;
};

} // namespace qv::support
