#include "compile/compiler/PlanPages.h"

#include "compile/compiler/FlowPieces.h"

#include <QImage>
#include <QPainter>
#include <QPen>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace qv::compiler {

namespace {

const QColor kHeadingColor(0x1F, 0x3A, 0x5F);
const QColor kQuietColor(0x55, 0x5B, 0x66);
constexpr double kChapterGap = 18;   // below a chapter heading
constexpr double kSectionGapAbove = 18;
constexpr double kSectionGapBelow = 8;
constexpr double kFigureGap = 14;
constexpr double kKeepLines = 72; // what a heading keeps with it on its page

QFont sans(double points, bool bold = false)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QFont serif(double points, bool bold = false)
{
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QString figureCaption(const Figure &figure)
{
    return figure.title.trimmed().isEmpty() ? (figure.kind == Figure::Kind::Table ? QStringLiteral("Table")
                                                                                    : QStringLiteral("Chart"))
                                            : figure.title.trimmed();
}

// Places the plan's pieces page by page.
class PageComposer
{
public:
    explicit PageComposer(ComposedPlan &plan) : m_plan(plan) {}

    void newPage(bool landscape, bool decorated = true)
    {
        ComposedPage page;
        page.landscape = landscape;
        page.decorated = decorated;
        m_plan.pages.push_back(std::move(page));
        m_y = kMargin;
    }
    ComposedPage &page() { return m_plan.pages.back(); }
    int pageIndex() const { return int(m_plan.pages.size()) - 1; }
    bool landscape() const { return !m_plan.pages.empty() && m_plan.pages.back().landscape; }
    double width() const { return m_plan.pages.back().size().width() - 2 * kMargin; }
    double bottom() const { return m_plan.pages.back().size().height() - kMargin; }
    double space() const { return bottom() - m_y; }
    double fullSpace() const { return bottom() - kMargin; }
    bool pageEmpty() const { return m_y <= kMargin + 0.5; }
    void portrait()
    {
        if (landscape())
            newPage(false);
    }

    void heading(int level, const QString &number, const QString &title, double keepWithNext)
    {
        portrait();
        const double gapAbove = level == 1 || pageEmpty() ? 0 : kSectionGapAbove;
        const QString text = number + QStringLiteral("  ") + title;
        auto box = std::make_shared<TextBox>(text, level == 1 ? sans(20, true) : sans(13.5, true), width(),
                                             Qt::AlignLeft, kHeadingColor);
        const double below = level == 1 ? kChapterGap : kSectionGapBelow;
        if (gapAbove + box->height() + below + keepWithNext > space() && !pageEmpty())
            newPage(false);
        else
            m_y += gapAbove;
        const double y = m_y;
        const double ruleY = y + box->height() + 4;
        const double w = width();
        page().drawings.push_back([box, y, ruleY, w, level](QPainter &p) {
            box->draw(p, kMargin, y);
            if (level == 1) {
                p.setPen(QPen(kHeadingColor, 1.5));
                p.drawLine(QPointF(kMargin, ruleY), QPointF(kMargin + w, ruleY));
            }
        });
        m_plan.headings.push_back({level, number, title, pageIndex(), y});
        m_y += box->height() + below + (level == 1 ? 6 : 0);
    }

    void text(const std::shared_ptr<QTextDocument> &doc, const std::vector<TextBreak> &breaks)
    {
        double start = 0;
        std::size_t next = 0;
        while (next < breaks.size()) {
            // The furthest break that fits on this page.
            std::size_t fit = next;
            while (fit < breaks.size() && breaks[fit].end - start <= space())
                ++fit;
            double end;
            double resume;
            if (fit > next) {
                end = breaks[fit - 1].end;
                resume = breaks[fit - 1].next;
                next = fit;
            } else if (!pageEmpty()) {
                newPage(false);
                continue;
            } else {
                // Nothing fits whole on an empty page: end after the last line that fits.
                const std::vector<double> bottoms = lineBottoms(*doc);
                auto last = std::upper_bound(bottoms.begin(), bottoms.end(), start + space());
                end = last != bottoms.begin() && *(last - 1) > start + 1 ? *(last - 1) : start + space();
                resume = end;
                while (next < breaks.size() && breaks[next].end <= end)
                    ++next;
            }
            place(doc, start, end);
            start = resume;
            if (next < breaks.size())
                newPage(false);
        }
    }

    void figure(const Figure &figure, const std::shared_ptr<const metafile::MetafilePicture> &picture)
    {
        if (figure.landscape != landscape() || m_plan.pages.back().decorated == false)
            newPage(figure.landscape);
        const double w = width();
        auto caption = std::make_shared<TextBox>(figureCaption(figure), sans(10.5, true), w, Qt::AlignLeft,
                                                 kHeadingColor);
        const QSizeF natural = picture->sizeAt(kLayoutDpi);
        double scale = natural.width() > w || figure.kind == Figure::Kind::Chart ? w / natural.width() : 1.0;
        // A chart keeps to the page's body with its caption.
        const double captionSpace = caption->height() + 6;
        if (figure.kind == Figure::Kind::Chart && natural.height() * scale > fullSpace() - captionSpace)
            scale = (fullSpace() - captionSpace) / natural.height();
        const QSizeF size(natural.width() * scale, natural.height() * scale);
        const double gap = pageEmpty() ? 0 : kFigureGap;
        const double firstPiece = std::min(size.height(), kKeepLines * 1.5);
        if (gap + captionSpace + (size.height() <= fullSpace() - captionSpace ? size.height() : firstPiece) > space()
            && !pageEmpty())
            newPage(figure.landscape);
        else
            m_y += gap;
        const double x = kMargin + (w - size.width()) / 2;
        const double captionY = m_y;
        page().drawings.push_back([caption, captionY](QPainter &p) { caption->draw(p, kMargin, captionY); });
        m_y += captionSpace;
        std::vector<double> cuts;
        double start = 0;
        while (size.height() - start > space() + 0.5) {
            if (cuts.empty())
                cuts = pictureCuts(*picture, size.width(), size.height());
            auto last = std::upper_bound(cuts.begin(), cuts.end(), start + space());
            double end = last != cuts.begin() && *(last - 1) > start + 24 ? *(last - 1) : start + space();
            placePicture(picture, x, size, start, end);
            start = end;
            newPage(figure.landscape);
        }
        placePicture(picture, x, size, start, size.height());
    }

    double y() const { return m_y; }
    void advance(double by) { m_y += by; }

private:
    void place(const std::shared_ptr<QTextDocument> &doc, double from, double to)
    {
        const double y = m_y;
        page().drawings.push_back([doc, from, to, y](QPainter &p) {
            p.save();
            p.translate(kMargin, y - from);
            doc->drawContents(&p, QRectF(0, from, doc->textWidth(), to - from));
            p.restore();
        });
        m_y += to - from;
    }

    void placePicture(const std::shared_ptr<const metafile::MetafilePicture> &picture, double x, QSizeF size,
                      double from, double to)
    {
        const double y = m_y;
        page().drawings.push_back([picture, x, y, size, from, to](QPainter &p) {
            p.save();
            p.setClipRect(QRectF(x - 1, y, size.width() + 2, to - from + 0.5));
            picture->draw(p, QRectF(QPointF(x, y - from), size));
            p.restore();
        });
        m_y += to - from;
    }

    ComposedPlan &m_plan;
    double m_y = kMargin;
};

void composeCover(PageComposer &c, const Cover &cover)
{
    c.newPage(false, false);
    const double w = c.width();
    std::vector<std::pair<std::shared_ptr<TextBox>, double>> lines; // box and space above it
    auto add = [&](const QString &text, const QFont &font, double above, const QColor &color = Qt::black) {
        if (!text.trimmed().isEmpty())
            lines.emplace_back(std::make_shared<TextBox>(text.trimmed(), font, w, Qt::AlignHCenter, color), above);
    };
    add(cover.businessName.isEmpty() ? QStringLiteral("Untitled Plan") : cover.businessName, sans(30, true), 0,
        kHeadingColor);
    add(cover.planTypeTitle(), sans(18), 14, kQuietColor);
    if (!cover.submittedTo.trimmed().isEmpty()) {
        add(QStringLiteral("Submitted to"), sans(10), 110, kQuietColor);
        add(cover.submittedTo, serif(15), 4);
    }
    add(cover.submittedOn, serif(13), 10);
    if (!cover.submitterName.trimmed().isEmpty() || !cover.street.trimmed().isEmpty()) {
        add(QStringLiteral("Submitted by"), sans(10), 60, kQuietColor);
        add(cover.submitterName, serif(15), 4);
        add(cover.street, serif(12), 4);
        QString place = cover.city.trimmed();
        if (!cover.state.trimmed().isEmpty())
            place += (place.isEmpty() ? QString() : QStringLiteral(", ")) + cover.state.trimmed();
        if (!cover.zip.trimmed().isEmpty())
            place += QLatin1Char(' ') + cover.zip.trimmed();
        add(place, serif(12), 2);
        if (!cover.telephone.trimmed().isEmpty())
            add(QStringLiteral("Telephone: ") + cover.telephone.trimmed(), serif(12), 2);
    }
    double y = 300;
    for (auto &[box, above] : lines) {
        y += above;
        const double at = y;
        auto shown = box;
        c.page().drawings.push_back([shown, at](QPainter &p) { shown->draw(p, kMargin, at); });
        y += box->height();
    }
    const double ruleY = 300 - 30;
    c.page().drawings.push_back([ruleY, w](QPainter &p) {
        p.setPen(QPen(kHeadingColor, 3));
        p.drawLine(QPointF(kMargin + w / 4, ruleY), QPointF(kMargin + 3 * w / 4, ruleY));
    });
}

// The contents pages, filled once the headings know their pages. Returns
// how many pages the contents took.
int composeContents(ComposedPlan &plan, int firstPage)
{
    const double w = kPaperShortSide - 2 * kMargin;
    const double numberWidth = 48;
    int page = firstPage;
    double y = kMargin;
    auto title = std::make_shared<TextBox>(QStringLiteral("Contents"), sans(20, true), w, Qt::AlignLeft, kHeadingColor);
    plan.pages[std::size_t(page)].drawings.push_back([title](QPainter &p) { title->draw(p, kMargin, kMargin); });
    y += title->height() + 24;
    for (int i = 0; i < int(plan.headings.size()); ++i) {
        const Heading &h = plan.headings[std::size_t(i)];
        const double indent = h.level == 1 ? 0 : 28;
        const QFont font = h.level == 1 ? sans(11.5, true) : serif(11.5);
        auto entry = std::make_shared<TextBox>(h.number + QStringLiteral("  ") + h.title, font,
                                               w - indent - numberWidth - 24);
        auto number = std::make_shared<TextBox>(QString::number(h.page + 1), font, numberWidth, Qt::AlignRight);
        const double above = h.level == 1 && i > 0 ? 6 : 0;
        if (y + above + entry->height() > kPaperLongSide - kMargin) {
            ++page;
            y = kMargin;
        }
        const double at = y + above;
        const double leaderFrom = kMargin + indent + std::min(entry->naturalWidth(), w - indent - numberWidth - 24) + 6;
        const double leaderTo = kMargin + w - numberWidth - 4;
        plan.pages[std::size_t(page)].drawings.push_back([entry, number, at, indent, w, numberWidth, leaderFrom,
                                                          leaderTo](QPainter &p) {
            entry->draw(p, kMargin + indent, at);
            number->draw(p, kMargin + w - numberWidth, at);
            p.setPen(QPen(QColor(0x99, 0x99, 0x99), 1, Qt::DotLine));
            const double baseline = at + entry->height() - 5;
            if (leaderTo > leaderFrom)
                p.drawLine(QPointF(leaderFrom, baseline), QPointF(leaderTo, baseline));
        });
        plan.links.push_back({page, QRectF(kMargin + indent, at, w - indent, entry->height()), i});
        y = at + entry->height() + 2;
    }
    return page - firstPage + 1;
}

// The pages the contents will take: laid out once with the headings the
// plan will have, before their pages are known.
int contentsPageCount(const PlanSource &source)
{
    ComposedPlan trial;
    int chapterNumber = 0;
    for (const Chapter &chapter : source.chapters) {
        trial.headings.push_back({1, QString::number(++chapterNumber), chapter.name, 0, 0});
        int sectionNumber = 0;
        for (const Section &section : chapter.sections)
            trial.headings.push_back(
                {2, QStringLiteral("%1.%2").arg(chapterNumber).arg(++sectionNumber), section.name, 0, 0});
    }
    trial.pages.resize(trial.headings.size() + 1);
    return composeContents(trial, 0);
}

} // namespace

QPaintDevice *layoutDevice()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = int(std::lround(kLayoutDpi / 0.0254));
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return &device;
}

QSizeF ComposedPage::size() const
{
    return landscape ? QSizeF(kPaperLongSide, kPaperShortSide) : QSizeF(kPaperShortSide, kPaperLongSide);
}

void ComposedPlan::paintPage(int index, QPainter &painter) const
{
    const ComposedPage &page = pages[std::size_t(index)];
    for (const auto &draw : page.drawings)
        draw(painter);
    if (!page.decorated)
        return;
    const QSizeF size = page.size();
    const double w = size.width() - 2 * kMargin;
    const TextBox left(headerLeft, sans(9), w / 2, Qt::AlignLeft, kQuietColor);
    const TextBox right(headerRight, sans(9), w / 2, Qt::AlignRight, kQuietColor);
    const double headerY = kMargin - 24 - left.height();
    left.draw(painter, kMargin, headerY);
    right.draw(painter, kMargin + w / 2, headerY);
    painter.setPen(QPen(QColor(0xBB, 0xBB, 0xBB), 0.75));
    painter.drawLine(QPointF(kMargin, kMargin - 18), QPointF(kMargin + w, kMargin - 18));
    const TextBox number(QStringLiteral("Page %1").arg(index + 1), sans(9), w, Qt::AlignHCenter, kQuietColor);
    number.draw(painter, kMargin, size.height() - kMargin + 30);
}

ComposedPlan composePlan(const PlanSource &source, const PlanMaterials &materials)
{
    ComposedPlan plan;
    plan.headerLeft = source.cover.businessName;
    plan.headerRight = source.cover.planTypeTitle();
    PageComposer c(plan);
    composeCover(c, source.cover);
    const int contentsFirst = int(plan.pages.size());
    const int contentsPages = contentsPageCount(source);
    for (int i = 0; i < contentsPages; ++i)
        c.newPage(false);

    int chapterNumber = 0;
    for (const Chapter &chapter : source.chapters) {
        ++chapterNumber;
        c.newPage(false);
        c.heading(1, QString::number(chapterNumber), chapter.name, 0);
        int sectionNumber = 0;
        for (const Section &section : chapter.sections) {
            ++sectionNumber;
            std::shared_ptr<QTextDocument> doc = materials.text(section.textFile);
            std::vector<TextBreak> breaks;
            double keep = 0;
            if (doc) {
                doc->setDefaultFont(serif(11));
                breaks = layOutText(*doc, kPaperShortSide - 2 * kMargin);
                keep = breaks.empty() ? 0 : std::min(breaks.front().end, kKeepLines);
            } else if (!section.figures.empty()) {
                keep = kKeepLines;
            }
            c.heading(2, QStringLiteral("%1.%2").arg(chapterNumber).arg(sectionNumber), section.name, keep);
            if (doc)
                c.text(doc, breaks);
            for (const Figure &figure : section.figures)
                if (auto picture = materials.picture(figure.pictureFile))
                    c.figure(figure, picture);
        }
    }
    composeContents(plan, contentsFirst);
    return plan;
}

} // namespace qv::compiler
