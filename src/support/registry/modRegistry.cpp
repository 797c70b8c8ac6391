#include "support/registry/modRegistry.h"

#include "platform/AtomicFile.h"
#include "platform/Folders.h"
#include "platform/Paths.h"
#include "platform/Services.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QRegularExpression>

#include <map>
#include <optional>

namespace qv::support::modRegistry {

using registry::RegKey;

namespace {

void reportByMessage(const QString &file, const QString &problem)
{
    platform::msgBox(nullptr,
                     QStringLiteral("The registry file \"%1\" is damaged (%2).\r\n\r\nIts readable entries are used. "
                                    "Before it is next written, it is kept as \"%1.damaged\".")
                         .arg(QDir::toNativeSeparators(file), problem),
                     platform::Buttons::Ok, platform::Icon::Exclamation);
}

DamageReporter g_reporter = &reportByMessage;

// One store file and the tree read from it.
class Hive
{
public:
    explicit Hive(QString path) : m_path(std::move(path)) {}

    // Reads the file again when it changed since it was last read.
    RegKey &root()
    {
        const QFileInfo info(m_path);
        const QDateTime modified = info.exists() ? info.lastModified() : QDateTime();
        const qint64 size = info.exists() ? info.size() : -1;
        if (m_loaded && modified == m_modified && size == m_size)
            return m_root;
        m_loaded = true;
        m_modified = modified;
        m_size = size;
        m_root = RegKey();
        m_problems.clear();
        if (size < 0)
            return m_root;
        QFile file(m_path);
        if (!file.open(QIODevice::ReadOnly)) {
            m_problems << file.errorString();
        } else {
            registry::ParsedStore parsed = registry::parseStore(file.readAll());
            m_root = std::move(parsed.root);
            m_problems = parsed.problems;
        }
        if (!m_problems.isEmpty() && !m_reported) {
            m_reported = true;
            g_reporter(m_path, m_problems.first());
        }
        return m_root;
    }

    // Writes the tree; on failure forgets the unsaved change.
    long save()
    {
        if (!m_problems.isEmpty() && QFileInfo::exists(m_path)
            && !platform::copyFileAtomically(m_path, m_path + QStringLiteral(".damaged")).isEmpty()) {
            m_loaded = false;
            return ERROR_ACCESS_DENIED;
        }
        QDir().mkpath(QFileInfo(m_path).absolutePath());
        if (!platform::writeFileAtomically(m_path, registry::formatStore(m_root)).isEmpty()) {
            m_loaded = false;
            return ERROR_ACCESS_DENIED;
        }
        const QFileInfo info(m_path);
        m_modified = info.lastModified();
        m_size = info.size();
        m_problems.clear();
        return ERROR_SUCCESS;
    }

    const QStringList &problems() const { return m_problems; }

private:
    QString m_path;
    RegKey m_root;
    bool m_loaded = false;
    QDateTime m_modified;
    qint64 m_size = -1;
    QStringList m_problems;
    bool m_reported = false;
};

struct OpenKey
{
    HKEY root = 0;
    QStringList path;
    quint32 access = 0;
};

std::map<QString, Hive> &hives()
{
    static std::map<QString, Hive> all;
    return all;
}

std::map<HKEY, OpenKey> &handles()
{
    static std::map<HKEY, OpenKey> open;
    return open;
}

HKEY g_nextHandle = 0x1000;

bool isPredefined(HKEY key)
{
    return key >= HKEY_CLASSES_ROOT && key <= 0x80000006;
}

Hive *hiveFor(HKEY root)
{
    const QString path = storeFile(root);
    if (path.isEmpty())
        return nullptr;
    return &hives().try_emplace(path, path).first->second;
}

// The root and path a handle and subkey name; nothing for an unknown handle.
std::optional<OpenKey> resolve(HKEY key, const QString &subKey)
{
    OpenKey place;
    if (isPredefined(key)) {
        place.root = key;
        place.access = KEY_FULL_ACCESS | KEY_READ_WRITE;
    } else {
        const auto found = handles().find(key);
        if (found == handles().end())
            return std::nullopt;
        place = found->second;
    }
    place.path += registry::splitKeyPath(subKey);
    return place;
}

RegKey *findKey(RegKey &root, const QStringList &path)
{
    RegKey *key = &root;
    for (const QString &name : path) {
        key = key->subkey(name);
        if (!key)
            return nullptr;
    }
    return key;
}

HKEY newHandle(const OpenKey &place, quint32 access)
{
    const HKEY handle = g_nextHandle++;
    handles()[handle] = OpenKey{place.root, place.path, access};
    return handle;
}

// The key behind an open handle, with its hive.
long keyOf(HKEY key, Hive *&hive, RegKey *&found, quint32 *access = nullptr)
{
    const std::optional<OpenKey> place = resolve(key, QString());
    if (!place)
        return ERROR_INVALID_HANDLE;
    hive = hiveFor(place->root);
    if (!hive)
        return ERROR_BADKEY;
    found = findKey(hive->root(), place->path);
    if (access)
        *access = place->access;
    return found ? ERROR_SUCCESS : ERROR_KEY_DELETED;
}

} // namespace

QString storeFile(HKEY root)
{
    if (root == HKEY_CURRENT_USER)
        return platform::joinPath(platform::Folders::userConfigFolder(), QStringLiteral("Corvane/HKEY_CURRENT_USER.reg"));
    if (root == HKEY_LOCAL_MACHINE)
        return platform::joinPath(platform::Folders::systemFolder(), QStringLiteral("HKEY_LOCAL_MACHINE.reg"));
    return QString();
}

QString storeProblem(HKEY root)
{
    Hive *hive = hiveFor(root);
    if (!hive)
        return QString();
    hive->root();
    return hive->problems().join(QStringLiteral("; "));
}

void setDamageReporter(DamageReporter reporter)
{
    g_reporter = reporter ? reporter : &reportByMessage;
}

long RegOpenKeyEx(HKEY key, const QString &subKey, quint32 access, HKEY &result)
{
    result = 0;
    const std::optional<OpenKey> place = resolve(key, subKey);
    if (!place)
        return ERROR_INVALID_HANDLE;
    Hive *hive = hiveFor(place->root);
    if (!hive)
        return ERROR_BADKEY;
    if (!findKey(hive->root(), place->path))
        return ERROR_FILE_NOT_FOUND;
    result = newHandle(*place, access);
    return ERROR_SUCCESS;
}

long RegCreateKeyEx(HKEY key, const QString &subKey, quint32 access, HKEY &result, quint32 &disposition)
{
    result = 0;
    disposition = 0;
    const std::optional<OpenKey> place = resolve(key, subKey);
    if (!place)
        return ERROR_INVALID_HANDLE;
    Hive *hive = hiveFor(place->root);
    if (!hive)
        return ERROR_BADKEY;
    RegKey *node = &hive->root();
    bool created = false;
    for (const QString &name : place->path) {
        RegKey *next = node->subkey(name);
        if (!next) {
            next = node->addSubkey(name);
            created = true;
        }
        node = next;
    }
    if (created) {
        if (const long saved = hive->save(); saved != ERROR_SUCCESS)
            return saved;
    }
    disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    result = newHandle(*place, access);
    return ERROR_SUCCESS;
}

long RegCloseKey(HKEY key)
{
    if (isPredefined(key))
        return ERROR_SUCCESS;
    return handles().erase(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

long RegQueryInfoKey(HKEY key, KeyInfo &info)
{
    Hive *hive = nullptr;
    RegKey *node = nullptr;
    if (const long result = keyOf(key, hive, node); result != ERROR_SUCCESS)
        return result;
    info = KeyInfo();
    info.subKeys = quint32(node->subkeys.size());
    info.values = quint32(node->values.size());
    for (const auto &sub : node->subkeys)
        info.maxSubKeyLen = std::max(info.maxSubKeyLen, quint32(sub->name.size()));
    for (const auto &value : node->values) {
        info.maxValueNameLen = std::max(info.maxValueNameLen, quint32(value.name.size()));
        info.maxValueLen = std::max(info.maxValueLen, quint32(value.data.byteSize()));
    }
    return ERROR_SUCCESS;
}

long RegEnumValue(HKEY key, quint32 index, QString &name, RegData &data)
{
    Hive *hive = nullptr;
    RegKey *node = nullptr;
    if (const long result = keyOf(key, hive, node); result != ERROR_SUCCESS)
        return result;
    if (index >= node->values.size())
        return ERROR_NO_MORE_ITEMS;
    name = node->values[index].name;
    data = node->values[index].data;
    return ERROR_SUCCESS;
}

long RegEnumKeyEx(HKEY key, quint32 index, QString &name)
{
    Hive *hive = nullptr;
    RegKey *node = nullptr;
    if (const long result = keyOf(key, hive, node); result != ERROR_SUCCESS)
        return result;
    if (index >= node->subkeys.size())
        return ERROR_NO_MORE_ITEMS;
    name = node->subkeys[index]->name;
    return ERROR_SUCCESS;
}

long RegSetValueEx(HKEY key, const QString &valueName, const RegData &data)
{
    Hive *hive = nullptr;
    RegKey *node = nullptr;
    quint32 access = 0;
    if (const long result = keyOf(key, hive, node, &access); result != ERROR_SUCCESS)
        return result;
    if (!(access & KEY_SET_VALUE))
        return ERROR_ACCESS_DENIED;
    node->setValue(valueName, data);
    return hive->save();
}

long RegDeleteValue(HKEY key, const QString &valueName)
{
    Hive *hive = nullptr;
    RegKey *node = nullptr;
    quint32 access = 0;
    if (const long result = keyOf(key, hive, node, &access); result != ERROR_SUCCESS)
        return result;
    if (!(access & KEY_SET_VALUE))
        return ERROR_ACCESS_DENIED;
    if (!node->removeValue(valueName))
        return ERROR_FILE_NOT_FOUND;
    return hive->save();
}

long RegDeleteKey(HKEY key, const QString &subKey)
{
    QStringList path = registry::splitKeyPath(subKey);
    if (path.isEmpty())
        return ERROR_BADKEY;
    const QString last = path.takeLast();
    Hive *hive = nullptr;
    RegKey *node = nullptr;
    if (const long result = keyOf(key, hive, node); result != ERROR_SUCCESS)
        return result;
    RegKey *parent = findKey(*node, path);
    RegKey *child = parent ? parent->subkey(last) : nullptr;
    if (!child)
        return ERROR_FILE_NOT_FOUND;
    if (!child->subkeys.empty())
        return ERROR_ACCESS_DENIED;
    parent->removeSubkey(last);
    return hive->save();
}

QString ExpandEnvironmentStrings(const QString &text)
{
    static const QRegularExpression variable(QStringLiteral("%([^%]+)%"));
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QString out;
    qsizetype last = 0;
    for (auto it = variable.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        out += text.mid(last, match.capturedStart() - last);
        const QString name = match.captured(1);
        out += environment.contains(name) ? environment.value(name) : match.captured(0);
        last = match.capturedEnd();
    }
    return out + text.mid(last);
}

} // namespace qv::support::modRegistry
