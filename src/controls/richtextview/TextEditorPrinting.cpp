// Printing: the pages the page view shows, on paper of the document's size.

#include "controls/richtextview/TextEditor.h"

#include "controls/richtext/Rtf.h"
#include "platform/gui/DesktopServices.h"

#include <QAbstractTextDocumentLayout>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QTextDocument>
#include <QTextFrame>

#include <cmath>

namespace qv::richtext
{

QPrinter &TextEditor::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void TextEditor::printPages(QPrinter &device) const
{
    const rtf::PageLayout page = rtf::pageLayout(*document());
    // The paper is the document's page, with nothing of it held back: the
    // page margins are the text's own.
    const QSizeF paperPoints(page.paperWidth / 20.0, page.paperHeight / 20.0);
    device.setFullPage(true);
    device.setPageLayout(QPageLayout(QPageSize(paperPoints, QPageSize::Point, QString(), QPageSize::ExactMatch),
                                     paperPoints.width() > paperPoints.height() ? QPageLayout::Landscape
                                                                                : QPageLayout::Portrait,
                                     QMarginsF(), QPageLayout::Point));

    // A copy laid out exactly as the page view at 100% lays it out: the same
    // resolution, page size and margins give the same lines and page breaks.
    const std::unique_ptr<QTextDocument> copy(document()->clone());
    QImage screen(1, 1, QImage::Format_RGB32);
    const int dotsPerMeter = int(std::lround(96.0 / 0.0254));
    screen.setDotsPerMeterX(dotsPerMeter);
    screen.setDotsPerMeterY(dotsPerMeter);
    copy->documentLayout()->setPaintDevice(&screen);
    QTextFrameFormat frame = copy->rootFrame()->frameFormat();
    frame.setLeftMargin(rtf::twipsToPixels(page.marginLeft));
    frame.setRightMargin(rtf::twipsToPixels(page.marginRight));
    frame.setTopMargin(rtf::twipsToPixels(page.marginTop));
    frame.setBottomMargin(rtf::twipsToPixels(page.marginBottom));
    copy->rootFrame()->setFrameFormat(frame);
    copy->setPageSize(QSizeF(std::ceil(rtf::twipsToPixels(page.paperWidth)), rtf::twipsToPixels(page.paperHeight)));
    copy->print(&device);
}

bool TextEditor::print()
{
    QPrinter &device = printer();
    platform::PrintRequest request;
    request.allowSelection = false;
    request.allowPageRange = false;
    request.copies = 1;
    if (!platform::printDialogs().print(this, device, request))
        return false;
    printPages(device); // the printer makes the requested copies
    return true;
}

bool TextEditor::pageSetup()
{
    QPrinter &device = printer();
    if (!platform::printDialogs().pageSetup(this, device))
        return false;
    // The chosen paper becomes the document's page, so that the page view
    // shows what will print.
    const QRectF paper = device.pageLayout().fullRect(QPageLayout::Point);
    if (paper.width() > 0 && paper.height() > 0) {
        setPageWidth(int(std::lround(paper.width() * 20)));
        setPageHeight(int(std::lround(paper.height() * 20)));
    }
    return true;
}

} // namespace qv::richtext
