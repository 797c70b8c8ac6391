#pragma once

// A view of one registry key: set Root, then Key, then read with GetValue.
// Setting Key reads every value and subkey name of the key. Errors are
// qv::QvError with the numbers below; the public operations catch them and
// return their default result.
//
// On this platform a read never creates a key in the machine store
// (HKEY_LOCAL_MACHINE, part of the installation): with AutoCreate on, a
// missing machine key reads as empty instead. Writes (SetValue, Create)
// create keys in either store as AutoCreate says.

#include "support/registry/colRegistry.h"
#include "support/registry/modRegistry.h"

#include <QStringList>
#include <QVariant>

#include <optional>

namespace qv::support {

class CRegistry
{
public:
    static constexpr long kUnableToOpenKey = -2147220991; // 0x80040201
    static constexpr long kUnableToCreateKey = 1000;
    static constexpr long kValueCountReadOnly = -2147220985; // 0x80040207
    static constexpr long kNotMultiString = -2147220983;     // 0x80040209

    CRegistry();
    ~CRegistry();
    CRegistry(const CRegistry &) = delete;
    CRegistry &operator=(const CRegistry &) = delete;

    bool DeleteValue(const QString &valueName);
    QString GetName(qint16 index) const; // 1-based position in the values
    // By name or by 1-based position; empty text when missing.
    QString GetValue(const QVariant &nameOrIndex) const;
    bool DeleteKey(const QString &subKey);
    bool Create(const QString &subKey, const std::optional<QString> &valueName = std::nullopt,
                const std::optional<QVariant> &value = std::nullopt);
    bool SetValue(const QVariant &nameOrIndex, const QVariant &value, std::optional<qint16> dataType = std::nullopt);

    QString Default() const { return QString(); }
    void setDefault(const QString &) {}
    qint16 ValueCount() const { return m_valueCount; }
    [[noreturn]] void setValueCount(qint16);
    bool AutoCreate() const { return m_autoCreate; }
    void setAutoCreate(bool on) { m_autoCreate = on; }
    QString Key() const { return m_key; }
    void setKey(const QString &key);
    modRegistry::HKEY Root() const { return m_root; }
    void setRoot(modRegistry::HKEY root);
    quint32 Access() const { return m_access; }
    void setAccess(quint32 access) { m_access = access; }

    const colRegistry &values() const { return m_values; }
    const QStringList &subKeyNames() const { return m_subKeys; }

    // Readers of the value at a 1-based position. Missing positions raise the
    // collection's error.
    qint16 GetDataType(int index) const;
    qint32 GetDataNumber(int index) const;         // types 4 and 5, else 0
    QVariant GetDataVariant(int index) const;      // text or number; nothing for binary
    QString GetExpandedString(int index) const;    // environment variables expanded, cut at the first NUL
    QStringList GetMultiString(int index) const;   // type 7 only: raises kNotMultiString otherwise

private:
    bool openKey(quint32 access, bool forWrite);
    quint32 createKey();
    void closeKey();
    void refresh();
    void readValues();
    bool writeValue(const QString &name, const QVariant &value, std::optional<qint16> dataType);
    bool deleteSubkeyTree(const QString &path);
    bool createsOnRead() const;

    modRegistry::HKEY m_root = modRegistry::HKEY_LOCAL_MACHINE;
    QString m_key;
    quint32 m_access = modRegistry::KEY_READ_WRITE;
    bool m_autoCreate = true;
    qint16 m_valueCount = 0;
    modRegistry::HKEY m_handle = 0;
    colRegistry m_values;
    QStringList m_subKeys;
};

// The text of one value, read without creating anything and without a
// message: what the program uses to find installed programs.
QString readRegistryValue(modRegistry::HKEY root, const QString &key, const QString &valueName);

} // namespace qv::support
