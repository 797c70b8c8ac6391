// Every caption of every table in the generated library shows whole at 100%:
// measured with the system's Arial (or its metric twin) as the composer
// draws it, independently of the generator's own estimate.

#include "controls/workbook/Workbook.h"

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>

using namespace qv::workbook;

namespace {

bool blankAt(const Workbook &book, int row, int col)
{
    return col < 1 || col > book.maxCol() || book.storedValue(book.activeSheet(), row, col).isEmpty();
}

bool inMerge(const Workbook &book, int row, int col)
{
    for (const CellRange &merge : book.merges())
        if (merge.contains(row, col))
            return true;
    return false;
}

// A text cut at the cell's edge: it cannot run on into an empty neighbour.
QString cutCaption(const Workbook &book, int row, int col, const QPaintDevice &screen)
{
    const Value &value = book.storedValue(book.activeSheet(), row, col);
    if (!value.isText() || book.hasFormula(row, col) || inMerge(book, row, col) || book.columnWidth(col) == 0)
        return {};
    const CellFormat &format = book.formatOf(book.activeSheet(), row, col);
    const bool leftFree = col > 1 && blankAt(book, row, col - 1);
    const bool rightFree = col < book.maxCol() && blankAt(book, row, col + 1);
    const bool overflows = format.alignment == HorizontalAlignment::Right    ? leftFree
                           : format.alignment == HorizontalAlignment::Center ? leftFree && rightFree
                                                                              : rightFree;
    if (format.wrap || overflows)
        return {};
    QFont font(format.fontName);
    font.setPointSizeF(format.fontSize);
    font.setBold(format.bold);
    const double text = QFontMetricsF(font, &screen).horizontalAdvance(value.text);
    const double cell = book.columnWidth(col) / 15.0 - 4.0; // two pixels of padding each side
    if (text <= cell + 0.5)
        return {};
    return QStringLiteral("%1 \"%2\" needs %3 px, has %4").arg(cellName(row, col), value.text).arg(text, 0, 'f', 0).arg(cell);
}

} // namespace

TEST(LibraryColumns, EveryCaptionFitsItsColumnAt100Percent)
{
    QImage screen(1, 1, QImage::Format_RGB32);
    screen.setDotsPerMeterX(3780); // 96 dpi
    screen.setDotsPerMeterY(3780);
    QStringList cut;
    int tables = 0;
    QDirIterator it(QStringLiteral(QV_INSTALL_DIR "/Data/ENG"), {QStringLiteral("*.vts")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        Workbook book;
        book.read(path);
        ++tables;
        for (int row = 1; row <= std::min(book.maxRow(), 400); ++row)
            for (int col = 1; col <= std::min(book.maxCol(), 40); ++col)
                if (const QString problem = cutCaption(book, row, col, screen); !problem.isEmpty())
                    cut << path.mid(path.indexOf(QStringLiteral("Data/ENG"))) + QStringLiteral(": ") + problem;
    }
    EXPECT_GT(tables, 50);
    EXPECT_TRUE(cut.isEmpty()) << cut.size() << " captions cut, among them:\n"
                               << cut.mid(0, 25).join(u'\n').toStdString();
}
