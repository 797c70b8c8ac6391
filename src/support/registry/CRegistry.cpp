#include "support/registry/CRegistry.h"

#include "platform/Error.h"
#include "platform/Services.h"

#include <QtEndian>

namespace qv::support {

using namespace modRegistry;

namespace {

const QString kDefaultName = QStringLiteral("<DEFAULT>");
const QString kKeyInfoSource = QStringLiteral("GetKeyInfo");

void message(const QString &text)
{
    platform::msgBox(nullptr, text);
}

// The service's name for a value the collection lists as "<DEFAULT>".
QString serviceName(const QString &name)
{
    return name == kDefaultName ? QString() : name;
}

} // namespace

CRegistry::CRegistry() = default;

CRegistry::~CRegistry()
{
    closeKey();
}

// ---- Properties ------------------------------------------------------------------------

void CRegistry::setValueCount(qint16)
{
    throw QvError(kValueCountReadOnly, QStringLiteral("CRegistry.Let ValueCount"),
                  QStringLiteral("The Let Property is not available"));
}

void CRegistry::setKey(const QString &key)
{
    m_key = key;
    try {
        refresh();
    } catch (const QvError &) {
    }
}

void CRegistry::setRoot(HKEY root)
{
    m_root = root;
    try {
        openKey(KEY_READ_WRITE, false);
    } catch (const QvError &) {
    }
}

// ---- Opening, creating, reading ----------------------------------------------------

bool CRegistry::createsOnRead() const
{
    return m_root != HKEY_LOCAL_MACHINE;
}

bool CRegistry::openKey(quint32 access, bool forWrite)
{
    if (m_key.isEmpty() || m_root == 0) {
        m_handle = 0;
        return false;
    }
    closeKey();
    if (!m_autoCreate || (!forWrite && !createsOnRead()))
        return RegOpenKeyEx(m_root, m_key, access, m_handle) == ERROR_SUCCESS;
    return createKey() != 0;
}

quint32 CRegistry::createKey()
{
    quint32 disposition = 0;
    const long result = RegCreateKeyEx(m_root, m_key, KEY_FULL_ACCESS, m_handle, disposition);
    if (result != ERROR_SUCCESS) {
        message(result == ERROR_BADKEY ? QStringLiteral("Cannot Open Parent Key") : QStringLiteral("Unknown error"));
        return 0;
    }
    return disposition;
}

void CRegistry::closeKey()
{
    if (m_handle != 0)
        RegCloseKey(m_handle);
    m_handle = 0;
}

void CRegistry::refresh()
{
    closeKey();
    m_values.clear();
    m_subKeys.clear();
    m_valueCount = 0;
    if (!m_autoCreate || !createsOnRead()) {
        if (m_key.isEmpty() || RegOpenKeyEx(m_root, m_key, m_access, m_handle) != ERROR_SUCCESS)
            throw QvError(kUnableToOpenKey, kKeyInfoSource, QStringLiteral("Unable to open Key"));
    } else if (m_key.isEmpty() || createKey() == 0) {
        throw QvError(kUnableToCreateKey, kKeyInfoSource, QStringLiteral("Unable to create Key"));
    }
    readValues();
}

void CRegistry::readValues()
{
    KeyInfo info;
    if (RegQueryInfoKey(m_handle, info) != ERROR_SUCCESS)
        return;
    QString name;
    RegData data;
    quint32 index = 0;
    for (; RegEnumValue(m_handle, index, name, data) == ERROR_SUCCESS; ++index) {
        if (name.isEmpty())
            name = kDefaultName;
        QVariant value;
        if (RegData::isTextType(data.type))
            value = data.text;
        else if (data.type == registry::REG_DWORD)
            value = qint32(data.number);
        else if (data.type != registry::REG_BINARY)
            value = data.rawBytes();
        m_values.Add(name, name, qint16(data.type), value);
    }
    m_valueCount = qint16(index);
    for (index = 0; RegEnumKeyEx(m_handle, index, name) == ERROR_SUCCESS; ++index)
        m_subKeys << name;
}

// ---- Values ------------------------------------------------------------------------------

QString CRegistry::GetName(qint16 index) const
{
    try {
        return m_values.item(QVariant(int(index)))->ValueName;
    } catch (const QvError &) {
        return QString();
    }
}

QString CRegistry::GetValue(const QVariant &nameOrIndex) const
{
    try {
        const auto data = m_values.item(nameOrIndex);
        switch (data->DataType) {
        case 1: case 2: case 7: return data->StringValue;
        case 4: return QString::number(data->LongValue);
        default: return QString();
        }
    } catch (const QvError &) {
        return QString();
    }
}

bool CRegistry::SetValue(const QVariant &nameOrIndex, const QVariant &value, std::optional<qint16> dataType)
{
    const QString name = isIntegerVariant(nameOrIndex) ? GetName(qint16(nameOrIndex.toInt())) : nameOrIndex.toString();
    bool written = false;
    try {
        if (openKey(KEY_WRITE, true))
            written = writeValue(serviceName(name), value, dataType);
        closeKey();
        refresh();
    } catch (const QvError &) {
    }
    return written;
}

bool CRegistry::writeValue(const QString &name, const QVariant &value, std::optional<qint16> dataType)
{
    RegData data;
    if (dataType) {
        data.type = quint32(*dataType);
        switch (*dataType) {
        case 1: case 2: data.text = value.toString(); break;
        case 3: data.bytes = value.toByteArray(); break;
        case 4: case 5: data.number = quint32(value.toLongLong()); break;
        case 7:
            data.text = value.typeId() == QMetaType::QByteArray ? QString::fromLatin1(value.toByteArray())
                                                                 : value.toString();
            break;
        default: return false;
        }
    } else if (isIntegerVariant(value)) {
        data.type = registry::REG_DWORD;
        data.number = quint32(value.toLongLong());
    } else if (value.typeId() == QMetaType::QByteArray) {
        message(QStringLiteral("Byute Array"));
        return false;
    } else {
        data.text = value.toString();
        data.type = data.text.contains(QChar(0))                  ? registry::REG_MULTI_SZ
                    : data.text.contains(QLatin1Char('%')) ? registry::REG_EXPAND_SZ
                                                            : registry::REG_SZ;
    }
    if (RegSetValueEx(m_handle, name, data) != ERROR_SUCCESS) {
        message(QStringLiteral("Darn!!  Couldn't write new value."));
        return false;
    }
    return true;
}

bool CRegistry::DeleteValue(const QString &valueName)
{
    bool deleted = false;
    try {
        if (openKey(KEY_READ_WRITE, false))
            deleted = RegDeleteValue(m_handle, serviceName(valueName)) == ERROR_SUCCESS;
        closeKey();
        refresh();
    } catch (const QvError &) {
    }
    return deleted;
}

// ---- Keys ----------------------------------------------------------------------------------

bool CRegistry::Create(const QString &subKey, const std::optional<QString> &valueName,
                       const std::optional<QVariant> &value)
{
    if (subKey.compare(m_key, Qt::CaseInsensitive) != 0)
        m_key = m_key.isEmpty() ? subKey : m_key + QLatin1Char('\\') + subKey;
    closeKey();
    const bool created = createKey() != 0;
    if (created && valueName && value && !SetValue(*valueName, *value))
        message(QStringLiteral("Could not set value"));
    closeKey();
    return created;
}

bool CRegistry::DeleteKey(const QString &subKey)
{
    if (m_key.isEmpty() || subKey.isEmpty())
        return false;
    closeKey();
    return deleteSubkeyTree(m_key + QLatin1Char('\\') + subKey);
}

// Deepest first: a key is deleted once it has no subkeys left.
bool CRegistry::deleteSubkeyTree(const QString &path)
{
    HKEY handle = 0;
    if (RegOpenKeyEx(m_root, path, KEY_FULL_ACCESS, handle) != ERROR_SUCCESS)
        return false;
    QString child;
    while (RegEnumKeyEx(handle, 0, child) == ERROR_SUCCESS) {
        if (!deleteSubkeyTree(path + QLatin1Char('\\') + child)) {
            RegCloseKey(handle);
            return false;
        }
    }
    RegCloseKey(handle);
    const qsizetype cut = path.lastIndexOf(QLatin1Char('\\'));
    HKEY parent = 0;
    if (RegOpenKeyEx(m_root, path.left(cut), KEY_FULL_ACCESS, parent) != ERROR_SUCCESS)
        return false;
    const bool deleted = RegDeleteKey(parent, path.mid(cut + 1)) == ERROR_SUCCESS;
    RegCloseKey(parent);
    return deleted;
}

// ---- Readers by position ---------------------------------------------------------------

qint16 CRegistry::GetDataType(int index) const
{
    return m_values.item(QVariant(index))->DataType;
}

qint32 CRegistry::GetDataNumber(int index) const
{
    const auto data = m_values.item(QVariant(index));
    if (data->DataType == 4)
        return data->LongValue;
    if (data->DataType == 5 && data->byteDataLength() >= 4)
        return qFromBigEndian<qint32>(data->byteData().data());
    return 0;
}

QVariant CRegistry::GetDataVariant(int index) const
{
    const auto data = m_values.item(QVariant(index));
    if (data->DataType == 1 || data->DataType == 2 || data->DataType == 7)
        return data->StringValue;
    if (data->DataType == 4 || data->DataType == 5)
        return GetDataNumber(index);
    return QVariant();
}

QString CRegistry::GetExpandedString(int index) const
{
    const QString expanded = ExpandEnvironmentStrings(m_values.item(QVariant(index))->GetDataStr());
    const qsizetype nul = expanded.indexOf(QChar(0));
    return nul < 0 ? expanded : expanded.left(nul);
}

QStringList CRegistry::GetMultiString(int index) const
{
    const auto data = m_values.item(QVariant(index));
    if (data->DataType != 7)
        throw QvError(kNotMultiString, QStringLiteral("CRegistry"),
                      QStringLiteral("The value you tried to retrive was nit a MultiSrting type"));
    QStringList parts;
    data->GetDataMultiStr(parts);
    return parts;
}

QString readRegistryValue(HKEY root, const QString &key, const QString &valueName)
{
    CRegistry registry;
    registry.setAutoCreate(false);
    registry.setRoot(root);
    registry.setKey(key);
    return registry.GetValue(valueName);
}

} // namespace qv::support
