#include "compile/compiler/PdfOutput.h"

#include "compile/compiler/PlanPages.h"
#include "platform/Error.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

// qpdf 11 asks users to say that they use its shared pointers, not its old holder.
#define POINTERHOLDER_TRANSITION 4
#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <stdexcept>

namespace qv::compiler {

namespace {

constexpr long kBadPdf = 31040;
constexpr double kPointsPerPixel = 72.0 / kLayoutDpi;

QPageLayout layoutOf(const ComposedPage &page)
{
    return QPageLayout(QPageSize(QPageSize::Letter),
                       page.landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
}

using Handle = QPDFObjectHandle;

Handle number(double value)
{
    return Handle::newReal(value, 2);
}

// A destination at a place of a page: its left edge, the given height.
Handle destination(const std::vector<QPDFPageObjectHelper> &pages, const ComposedPlan &plan, int page, double y)
{
    const double height = plan.pages[std::size_t(page)].size().height();
    return Handle::newArray({pages[std::size_t(page)].getObjectHandle(), Handle::newName("/XYZ"), number(0),
                             number((height - y + 12) * kPointsPerPixel), Handle::newNull()});
}

Handle outlineItem(QPDF &pdf, const Heading &h, Handle dest)
{
    const QString title = h.number + QLatin1Char(' ') + h.title;
    return pdf.makeIndirectObject(Handle::newDictionary(
        {{"/Title", Handle::newUnicodeString(title.toStdString())}, {"/Dest", dest}}));
}

// Links items under a parent as the outline's doubly linked list.
void chain(Handle parent, const std::vector<Handle> &items)
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        Handle item = items[i];
        item.replaceKey("/Parent", parent);
        if (i > 0)
            item.replaceKey("/Prev", items[i - 1]);
        if (i + 1 < items.size())
            item.replaceKey("/Next", items[i + 1]);
    }
    if (items.empty())
        return;
    parent.replaceKey("/First", items.front());
    parent.replaceKey("/Last", items.back());
}

void addOutline(QPDF &pdf, const std::vector<QPDFPageObjectHelper> &pages, const ComposedPlan &plan)
{
    Handle outlines = pdf.makeIndirectObject(Handle::newDictionary({{"/Type", Handle::newName("/Outlines")}}));
    std::vector<Handle> chapters;
    std::vector<Handle> sections;
    auto closeChapter = [&] {
        if (chapters.empty())
            return;
        chain(chapters.back(), sections);
        // Chapters show their sections when the outline opens.
        chapters.back().replaceKey("/Count", Handle::newInteger(static_cast<long long>(sections.size())));
        sections.clear();
    };
    for (const Heading &h : plan.headings) {
        Handle item = outlineItem(pdf, h, destination(pages, plan, h.page, h.y));
        if (h.level == 1) {
            closeChapter();
            chapters.push_back(item);
        } else if (!chapters.empty()) {
            sections.push_back(item);
        }
    }
    closeChapter();
    chain(outlines, chapters);
    outlines.replaceKey("/Count", Handle::newInteger(static_cast<long long>(plan.headings.size())));
    Handle root = pdf.getRoot();
    root.replaceKey("/Outlines", outlines);
    root.replaceKey("/PageMode", Handle::newName("/UseOutlines"));
}

void addContentsLinks(QPDF &pdf, const std::vector<QPDFPageObjectHelper> &pages, const ComposedPlan &plan)
{
    for (const ContentsLink &link : plan.links) {
        const Heading &target = plan.headings[std::size_t(link.heading)];
        const double height = plan.pages[std::size_t(link.page)].size().height();
        const QRectF r = link.rect;
        Handle annot = pdf.makeIndirectObject(Handle::newDictionary({
            {"/Type", Handle::newName("/Annot")},
            {"/Subtype", Handle::newName("/Link")},
            {"/Rect", Handle::newArray({number(r.left() * kPointsPerPixel), number((height - r.bottom()) * kPointsPerPixel),
                                        number(r.right() * kPointsPerPixel), number((height - r.top()) * kPointsPerPixel)})},
            {"/Border", Handle::newArray({Handle::newInteger(0), Handle::newInteger(0), Handle::newInteger(0)})},
            {"/Dest", destination(pages, plan, target.page, target.y)},
        }));
        Handle page = pages[std::size_t(link.page)].getObjectHandle();
        Handle annots = page.getKey("/Annots");
        if (!annots.isArray()) {
            annots = Handle::newArray();
            page.replaceKey("/Annots", annots);
        }
        annots.appendItem(annot);
    }
}

} // namespace

QByteArray drawPdf(const ComposedPlan &plan, const PdfInfo &info, const std::function<bool()> &step)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kLayoutDpi);
        writer.setTitle(info.title);
        writer.setCreator(QStringLiteral("Quorvex 8.0"));
        if (!plan.pages.empty())
            writer.setPageLayout(layoutOf(plan.pages.front()));
        QPainter painter(&writer);
        for (int i = 0; i < int(plan.pages.size()); ++i) {
            if (i > 0) {
                writer.setPageLayout(layoutOf(plan.pages[std::size_t(i)]));
                writer.newPage();
            }
            plan.paintPage(i, painter);
            if (step && !step()) {
                painter.end();
                return {};
            }
        }
        painter.end();
    }
    return bytes;
}

QByteArray addNavigation(const QByteArray &pdfBytes, const ComposedPlan &plan)
{
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processMemoryFile("compiled plan", pdfBytes.constData(), std::size_t(pdfBytes.size()));
        const std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(pdf).getAllPages();
        if (pages.size() != plan.pages.size())
            throw QvError(kBadPdf, QStringLiteral("Compiler"), QStringLiteral("The PDF has %1 pages instead of %2.")
                                                                   .arg(pages.size())
                                                                   .arg(plan.pages.size()));
        addOutline(pdf, pages, plan);
        addContentsLinks(pdf, pages, plan);
        QPDFWriter writer(pdf);
        writer.setOutputMemory();
        writer.setCompressStreams(true);
        writer.write();
        const std::shared_ptr<Buffer> out = writer.getBufferSharedPointer();
        return QByteArray(reinterpret_cast<const char *>(out->getBuffer()), qsizetype(out->getSize()));
    } catch (const std::exception &e) {
        throw QvError(kBadPdf, QStringLiteral("Compiler"),
                      QStringLiteral("The PDF could not be finished: %1").arg(QString::fromLocal8Bit(e.what())));
    }
}

} // namespace qv::compiler
