#pragma once

// The registry store files: one file per root key, a tree of keys with
// typed values, read and written as the UTF-8 text described in
// docs/formats.md ("Registry store files"). Names of keys and values are
// compared without regard to case and keep the case they were made with.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace qv::support::registry {

// Registry data types, the operating system's numbers.
enum RegType : quint32 {
    REG_NONE = 0,
    REG_SZ = 1,
    REG_EXPAND_SZ = 2,
    REG_BINARY = 3,
    REG_DWORD = 4,
    REG_DWORD_BIG_ENDIAN = 5,
    REG_MULTI_SZ = 7,
};

// One value's data: text for the string types (a multi-string keeps its NUL
// separators), a number for the two 32-bit types, bytes for every other type.
struct RegData
{
    quint32 type = REG_SZ;
    QString text;
    quint32 number = 0;
    QByteArray bytes;

    static bool isTextType(quint32 type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }
    static bool isNumberType(quint32 type) { return type == REG_DWORD || type == REG_DWORD_BIG_ENDIAN; }
    // The size the data takes in the operating system's form (bytes; UTF-16 text with its final NUL).
    int byteSize() const;
    // The data as the bytes a binary read would give.
    QByteArray rawBytes() const;
    bool operator==(const RegData &) const = default;
};

struct RegValue
{
    QString name; // empty for the key's unnamed value
    RegData data;
};

struct RegKey
{
    QString name;
    std::vector<RegValue> values;
    std::vector<std::unique_ptr<RegKey>> subkeys;

    RegKey *subkey(const QString &name) const;
    RegKey *addSubkey(const QString &name); // the existing one when it is there
    bool removeSubkey(const QString &name);
    RegValue *value(const QString &name);
    void setValue(const QString &name, const RegData &data);
    bool removeValue(const QString &name);
};

// A key path split at "\" into its names; empty names are dropped.
QStringList splitKeyPath(const QString &path);

struct ParsedStore
{
    RegKey root;
    QStringList problems; // "line 12: ..." for every line that could not be read
};

// Reads a store file's text. Lines that cannot be read are left out and
// listed in `problems`; the rest is kept.
ParsedStore parseStore(const QByteArray &text);
// The text of a store holding `root`'s keys.
QByteArray formatStore(const RegKey &root);

} // namespace qv::support::registry
