// Reading and writing a 1 MB RTF document with mixed formatting.
// Prints the median of several runs of each step.

#include "controls/richtext/Rtf.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

// A document like a long business plan: headings, formatted paragraphs with
// accents, bullet lists and small tables.
std::unique_ptr<QTextDocument> mixedDocument(qsizetype targetRtfBytes)
{
    auto d = std::make_unique<QTextDocument>();
    QTextCursor c(d.get());
    const QStringList families{QStringLiteral("Liberation Serif"), QStringLiteral("Liberation Sans"),
                               QStringLiteral("Liberation Mono")};
    const QList<QColor> colours{QColor(0, 0, 0), QColor(192, 0, 0), QColor(0, 96, 0), QColor(0, 0, 160)};
    int section = 0;
    while (true) {
        ++section;
        QTextCharFormat heading;
        heading.setFontFamilies({families[1]});
        heading.setFontPointSize(16);
        heading.setFontWeight(QFont::Bold);
        QTextBlockFormat headingBlock;
        headingBlock.setTopMargin(12);
        c.insertBlock(headingBlock, heading);
        c.insertText(QStringLiteral("Section %1: Market Analysis").arg(section), heading);
        for (int p = 0; p < 8; ++p) {
            QTextBlockFormat body;
            body.setAlignment(p % 3 == 0 ? Qt::AlignJustify : Qt::AlignLeft);
            body.setTextIndent(p % 2 ? 24 : 0);
            body.setBottomMargin(6);
            c.insertBlock(body, QTextCharFormat());
            for (int w = 0; w < 12; ++w) {
                QTextCharFormat f;
                f.setFontFamilies({families[size_t(w % 3 == 2 ? 0 : w % 2)]});
                f.setFontPointSize(w % 5 == 0 ? 12 : 11);
                f.setFontWeight(w % 4 == 1 ? QFont::Bold : QFont::Normal);
                f.setFontItalic(w % 6 == 3);
                f.setFontUnderline(w % 7 == 5);
                f.setForeground(colours[w % colours.size()]);
                if (w % 11 == 10)
                    f.setBackground(QColor(255, 255, 0));
                c.insertText(QStringLiteral("The café’s naïve competitors expect €%1 in revenue; "
                                            "our résumé of the market says otherwise. ")
                                 .arg(w * 1000 + p),
                             f);
            }
        }
        QTextListFormat bullets;
        bullets.setStyle(QTextListFormat::ListDisc);
        c.insertBlock(QTextBlockFormat(), QTextCharFormat());
        QTextList *list = c.createList(bullets);
        for (int i = 0; i < 4; ++i) {
            if (i)
                c.insertBlock(c.blockFormat(), QTextCharFormat());
            list->add(c.block());
            c.insertText(QStringLiteral("Goal %1 for the coming year").arg(i + 1));
        }
        c.insertBlock(QTextBlockFormat(), QTextCharFormat());
        QTextTableFormat tf;
        tf.setBorder(1);
        QTextTable *t = c.insertTable(4, 3, tf);
        for (int r = 0; r < 4; ++r)
            for (int col = 0; col < 3; ++col)
                t->cellAt(r, col).firstCursorPosition().insertText(QStringLiteral("R%1 C%2 1,250.00").arg(r).arg(col));
        c = t->lastCursorPosition();
        c.movePosition(QTextCursor::NextBlock);
        if (section % 10 == 0 && qv::rtf::writeRtf(*d).size() >= targetRtfBytes)
            break;
    }
    return d;
}

double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Median wall-clock and processor time of a step. The machine is shared, so
// the processor time is the steadier figure.
struct Timing
{
    double wall;
    double cpu;
};

Timing median(int runs, const std::function<void()> &step)
{
    std::vector<double> wall, cpu;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        const double cpuStart = threadCpuMs();
        timer.start();
        step();
        wall.push_back(double(timer.nsecsElapsed()) / 1e6);
        cpu.push_back(threadCpuMs() - cpuStart);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return Timing{wall[wall.size() / 2], cpu[cpu.size() / 2]};
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const auto document = mixedDocument(1024 * 1024);
    const QByteArray rtf = qv::rtf::writeRtf(*document);
    std::printf("document: %lld bytes of RTF, %d paragraphs, %d characters\n", static_cast<long long>(rtf.size()),
                document->blockCount(), document->characterCount());

    constexpr int runs = 15;
    QByteArray written;
    const Timing write = median(runs, [&] { written = qv::rtf::writeRtf(*document); });
    std::unique_ptr<QTextDocument> read;
    const Timing reading = median(runs, [&] { read = qv::rtf::readRtf(rtf).document; });
    QByteArray broken;
    const Timing breaking = median(runs, [&] { broken = qv::rtf::breakRtfLines(rtf); });
    QString text;
    const Timing plain = median(runs, [&] { text = qv::rtf::plainText(*read); });

    std::printf("median of %d runs         wall ms   cpu ms\n", runs);
    std::printf("read 1 MB RTF:           %7.1f  %7.1f\n", reading.wall, reading.cpu);
    std::printf("write 1 MB RTF:          %7.1f  %7.1f\n", write.wall, write.cpu);
    std::printf("break lines at 2000:     %7.1f  %7.1f\n", breaking.wall, breaking.cpu);
    std::printf("plain text:              %7.1f  %7.1f\n", plain.wall, plain.cpu);
    std::printf("goal: read and write under 50 ms each (processor time): %s\n",
                reading.cpu < 50 && write.cpu < 50 ? "met" : "NOT met");
    const bool same = qv::rtf::plainText(*read) == qv::rtf::plainText(*document);
    std::printf("read-back text equal: %s\n", same ? "yes" : "NO");
    return same ? 0 : 1;
}
