#include "support/registry/colRegistry.h"

#include "platform/Error.h"

namespace qv::support {

namespace {
constexpr long kCollectionError = 1200;
constexpr int kMostStoredBytes = 513;

QvError collectionError(const QString &description)
{
    return QvError(kCollectionError, QStringLiteral("Registry Collection"), description);
}

} // namespace

bool isIntegerVariant(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Short: case QMetaType::UShort: case QMetaType::Int: case QMetaType::UInt:
    case QMetaType::Long: case QMetaType::ULong: case QMetaType::LongLong: case QMetaType::ULongLong:
        return true;
    default:
        return false;
    }
}

colRegistry::Item colRegistry::Add(const QString &valueName, const QString &key, qint16 dataType, const QVariant &value)
{
    auto data = std::make_shared<clsRegKeyData>();
    data->ValueName = valueName;
    data->ValueKey = key;
    data->DataType = dataType;
    switch (dataType) {
    case 1: case 2: case 7:
        data->StringValue = value.toString();
        break;
    case 4:
        data->LongValue = qint32(value.toLongLong());
        break;
    case 3:
        break;
    default:
        data->SetData(value.toByteArray().left(kMostStoredBytes));
    }
    m_items.push_back(data);
    return data;
}

colRegistry::Item colRegistry::item(const QVariant &indexOrName) const
{
    if (isIntegerVariant(indexOrName)) {
        const qlonglong position = indexOrName.toLongLong();
        if (position < 1 || position > qlonglong(m_items.size()))
            throw collectionError(QStringLiteral("Invalid Index"));
        return m_items[std::size_t(position - 1)];
    }
    const QString name = indexOrName.toString();
    for (const Item &data : m_items)
        if (data->ValueKey.compare(name, Qt::CaseInsensitive) == 0)
            return data;
    throw collectionError(QStringLiteral("Name not Found in Current Key"));
}

void colRegistry::Remove(int index)
{
    if (index < 1 || index > Count())
        throw collectionError(QStringLiteral("Invalid Index"));
    m_items.erase(m_items.begin() + (index - 1));
}

} // namespace qv::support
