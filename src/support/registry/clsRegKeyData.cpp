#include "support/registry/clsRegKeyData.h"

#include <algorithm>

namespace qv::support {

QString clsRegKeyData::GetDataStr() const
{
    return DataType == 1 || DataType == 2 || DataType == 7 ? StringValue : QString();
}

int clsRegKeyData::GetDataMultiStr(QStringList &parts) const
{
    parts.clear();
    if (DataType != 7)
        return 0;
    for (const QString &part : StringValue.split(QChar(0))) {
        if (part.isEmpty())
            break;
        parts << part;
    }
    return int(parts.size());
}

int clsRegKeyData::GetMultiStringCount() const
{
    return DataType == 7 ? int(StringValue.count(QChar(0))) - 1 : 0;
}

void clsRegKeyData::SetData(const QByteArray &bytes)
{
    m_byteLength = int(std::min<qsizetype>(bytes.size(), kByteDataSize));
    std::copy_n(reinterpret_cast<const quint8 *>(bytes.constData()), m_byteLength, m_bytes.begin());
}

} // namespace qv::support
