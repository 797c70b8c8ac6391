#pragma once

#include <QHash>
#include <QString>

#include <cstdint>
#include <vector>

namespace qv::workbook {

using Rgb = std::uint32_t; // 0xRRGGBB

enum class HorizontalAlignment : std::uint8_t { General, Left, Center, Right, MergeAndCenter };
enum class VerticalAlignment : std::uint8_t { Bottom, Center, Top };
enum class BorderStyle : std::uint8_t { None, Thin, Medium, Thick, Dashed, Dotted, Double };

struct BorderLine
{
    BorderStyle style = BorderStyle::None;
    Rgb color = 0;
    bool operator==(const BorderLine &) const = default;
};

// Everything about how a cell looks, apart from its value. Cells share
// formats through the workbook's FormatTable, so a cell stores one index.
struct CellFormat
{
    QString numberFormat = QStringLiteral("General");
    QString fontName = QStringLiteral("Arial");
    double fontSize = 10.0; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    Rgb fontColor = 0x000000;
    bool hasFill = false;
    Rgb fillColor = 0xFFFFFF;
    HorizontalAlignment alignment = HorizontalAlignment::General;
    VerticalAlignment verticalAlignment = VerticalAlignment::Bottom;
    BorderLine left, right, top, bottom;
    bool wrap = false;
    bool locked = true; // as in every spreadsheet: protection guards all cells unless unlocked

    bool operator==(const CellFormat &) const = default;
    bool isCurrency() const { return numberFormat.contains(u'$'); }
    bool isPercent() const { return numberFormat.contains(u'%'); }
};

// The distinct formats of one workbook; index 0 is the default format.
class FormatTable
{
public:
    FormatTable();
    const CellFormat &at(std::uint32_t index) const;
    std::uint32_t intern(const CellFormat &format);
    std::size_t size() const { return m_formats.size(); }

private:
    static QString key(const CellFormat &format);
    std::vector<CellFormat> m_formats;
    QHash<QString, std::uint32_t> m_index;
};

} // namespace qv::workbook
