#pragma once

// What the viewer does with a compiled plan apart from its window: why a
// file cannot be shown, the window's title, Save a Copy, and printing the
// pages on any paged device.

#include "platform/Result.h"
#include "viewer/ViewerCommandLine.h"

#include <QPdfDocument>
#include <QString>
#include <QStringList>

class QPagedPaintDevice;

namespace qv::viewer {

// The message for a compiled plan that could not be loaded: string 1612 and
// the path for a missing file, else what is wrong with it and the path.
// Empty for QPdfDocument::Error::None.
QString loadFailureText(const QString &path, QPdfDocument::Error error);

// The window's title: a sample is titled by its plan type, its kind (from
// the file name) and, for a business plan, its stage (from its folder);
// any other plan by its file name.
QString viewerTitle(const ViewerRequest &request);

// The OpenDocument text the compiler wrote beside the PDF (same name,
// ".odt", found without regard to case), or empty text.
QString companionDocument(const QString &pdfPath);

// The name Save a Copy proposes: the plan's name with ".pdf".
QString copyFileName(const QString &source);

// Copies the compiled plan to the target, and its companion text beside the
// target under the same name with ".odt"; each file is replaced
// atomically. Returns the files written; nothing is written when the target
// is the source itself or the PDF cannot be copied.
Result<QStringList> saveCopy(const QString &source, const QString &target);

// Prints pages first to last (0-based, inclusive) on the device, one page a
// sheet, each scaled to fit the sheet's printable area and turned when its
// orientation differs from the sheet's. Rendered at the device's resolution,
// at most 300 dots per inch. Returns false when the device could not take
// a page.
bool printPages(QPdfDocument &document, QPagedPaintDevice &device, int first, int last);

} // namespace qv::viewer
