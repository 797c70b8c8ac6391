#pragma once

// One value of a registry key, with its registry data type.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>

namespace qv::support {

class clsRegKeyData
{
public:
    static constexpr int kByteDataSize = 1001; // indices 0 to 1000

    QString ValueName;       // "<DEFAULT>" for the key's unnamed value
    QString ValueKey;        // the key under which the collection holds it
    qint16 DataType = 0;     // registry data type
    QString StringValue;     // types 1, 2 and 7 (a multi-string keeps its NULs)
    qint32 LongValue = 0;    // type 4
    quint8 ByteValue = 0;    // never filled by the registry classes

    qint32 GetDataLong() const { return DataType == 4 ? LongValue : 0; }
    quint8 GetDataByte() const { return 0; }
    QString GetDataStr() const;
    // Type 7: the parts of the text split at each NUL, up to the first empty
    // part; returns their number. Other types leave `parts` empty.
    int GetDataMultiStr(QStringList &parts) const;
    // Type 7: the number of NULs in the text less one; otherwise 0.
    int GetMultiStringCount() const;
    // Copies bytes 0 to the array's last into the byte data (at most 1001).
    void SetData(const QByteArray &bytes);
    void GetData() const {}
    const std::array<quint8, kByteDataSize> &byteData() const { return m_bytes; }
    int byteDataLength() const { return m_byteLength; }

private:
    std::array<quint8, kByteDataSize> m_bytes{};
    int m_byteLength = 0;
};

} // namespace qv::support
