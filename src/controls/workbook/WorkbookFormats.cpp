#include "controls/workbook/Workbook.h"

#include <unordered_map>

namespace qv::workbook {

bool Workbook::rewriteNumberFormats(const std::function<QString(const QString &)> &rewrite)
{
    std::unordered_map<std::uint32_t, std::uint32_t> newIndex; // each distinct format is rewritten once
    bool changed = false;
    for (SheetData &s : m_content.sheets) {
        s.forEachCell(CellRange{1, 1, maxRows, maxColumns}, [&](int, int, Cell &cell) {
            auto known = newIndex.find(cell.format);
            if (known == newIndex.end()) {
                CellFormat f = m_content.formats.at(cell.format);
                const QString code = rewrite(f.numberFormat);
                std::uint32_t index = cell.format;
                if (code != f.numberFormat) {
                    f.numberFormat = code;
                    index = m_content.formats.intern(f);
                }
                known = newIndex.emplace(cell.format, index).first;
            }
            if (known->second != cell.format) {
                cell.format = known->second;
                changed = true;
            }
        });
    }
    if (changed) {
        emit displayChanged();
        emit contentChanged();
    }
    return changed;
}

} // namespace qv::workbook
