#include "controls/workbook/CellFormat.h"

namespace qv::workbook {

FormatTable::FormatTable()
{
    intern(CellFormat{});
}

const CellFormat &FormatTable::at(std::uint32_t index) const
{
    return index < m_formats.size() ? m_formats[index] : m_formats.front();
}

std::uint32_t FormatTable::intern(const CellFormat &format)
{
    const QString k = key(format);
    const auto found = m_index.constFind(k);
    if (found != m_index.constEnd())
        return *found;
    const auto index = std::uint32_t(m_formats.size());
    m_formats.push_back(format);
    m_index.insert(k, index);
    return index;
}

QString FormatTable::key(const CellFormat &f)
{
    auto line = [](const BorderLine &b) -> QString { return QString::number(int(b.style)) + u'/' + QString::number(b.color); };
    return f.numberFormat + u'\x1f' + f.fontName + u'\x1f' + QString::number(f.fontSize) + u'\x1f'
           + QString::number(int(f.bold) | int(f.italic) << 1 | int(f.underline) << 2 | int(f.hasFill) << 3
                             | int(f.wrap) << 4 | int(f.locked) << 5)
           + u'\x1f' + QString::number(f.fontColor) + u'\x1f' + QString::number(f.fillColor) + u'\x1f'
           + QString::number(int(f.alignment)) + u'\x1f' + QString::number(int(f.verticalAlignment)) + u'\x1f'
           + line(f.left) + line(f.right) + line(f.top) + line(f.bottom);
}

} // namespace qv::workbook
