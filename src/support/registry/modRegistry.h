#pragma once

// The registry services the registry classes are written against, in the
// operating system's terms: predefined root handles, open key handles,
// access masks and result codes. Behind them sit two store files of our own
// (docs/platform.md, "Registry"): HKEY_CURRENT_USER is the user's
// "Corvane/HKEY_CURRENT_USER.reg" in the config folder, HKEY_LOCAL_MACHINE
// the installation's "System/HKEY_LOCAL_MACHINE.reg", written by the build
// and by installation. Every change is written to its file atomically at
// once; a file changed by another program is read again before the next call.

#include "support/registry/RegistryFile.h"

#include <QString>

namespace qv::support::modRegistry {

using HKEY = quint32;
using registry::RegData;

constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;
constexpr HKEY HKEY_USERS = 0x80000003;

constexpr quint32 KEY_QUERY_VALUE = 0x0001;
constexpr quint32 KEY_SET_VALUE = 0x0002;
constexpr quint32 KEY_CREATE_SUB_KEY = 0x0004;
constexpr quint32 KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr quint32 KEY_READ_WRITE = 0x2001F;   // read and write
constexpr quint32 KEY_WRITE = 0x20006;
constexpr quint32 KEY_FULL_ACCESS = 0x3F;

constexpr long ERROR_SUCCESS = 0;
constexpr long ERROR_FILE_NOT_FOUND = 2;
constexpr long ERROR_ACCESS_DENIED = 5;
constexpr long ERROR_INVALID_HANDLE = 6;
constexpr long ERROR_NO_MORE_ITEMS = 259;
constexpr long ERROR_BADKEY = 1010;
constexpr long ERROR_KEY_DELETED = 1018;

constexpr quint32 REG_CREATED_NEW_KEY = 1;
constexpr quint32 REG_OPENED_EXISTING_KEY = 2;

struct KeyInfo
{
    quint32 subKeys = 0;
    quint32 maxSubKeyLen = 0;
    quint32 values = 0;
    quint32 maxValueNameLen = 0;
    quint32 maxValueLen = 0;
};

long RegOpenKeyEx(HKEY key, const QString &subKey, quint32 access, HKEY &result);
long RegCreateKeyEx(HKEY key, const QString &subKey, quint32 access, HKEY &result, quint32 &disposition);
long RegCloseKey(HKEY key);
long RegQueryInfoKey(HKEY key, KeyInfo &info);
long RegEnumValue(HKEY key, quint32 index, QString &name, RegData &data);
long RegEnumKeyEx(HKEY key, quint32 index, QString &name);
long RegSetValueEx(HKEY key, const QString &valueName, const RegData &data);
long RegDeleteValue(HKEY key, const QString &valueName);
// Deletes a subkey that has no subkeys of its own (ERROR_ACCESS_DENIED otherwise).
long RegDeleteKey(HKEY key, const QString &subKey);
// "%NAME%" replaced by the environment variable's value; unknown names stay.
QString ExpandEnvironmentStrings(const QString &text);

// The store file behind a predefined root; empty for roots without one.
QString storeFile(HKEY root);
// Why the store file of the root could not be read in full, or empty text.
QString storeProblem(HKEY root);

// How a damaged store file is reported (once per file and program run):
// by default a message box. Tests and the command-line tool may replace it.
using DamageReporter = void (*)(const QString &file, const QString &problem);
void setDamageReporter(DamageReporter reporter);

} // namespace qv::support::modRegistry
