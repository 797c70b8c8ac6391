#pragma once

// The compiled plan as PDF: pages drawn through Qt's PDF writer (selectable
// text, embedded font subsets, vector tables and charts), then bookmarks for
// every chapter and section and links from the contents added with qpdf,
// since Qt's writer makes neither.

#include <QByteArray>
#include <QString>

#include <functional>

namespace qv::compiler {

struct ComposedPlan;

struct PdfInfo
{
    QString title;
    QString author;
};

// Draws every page; `step` runs after each page and returns false to stop,
// which gives an empty result.
QByteArray drawPdf(const ComposedPlan &plan, const PdfInfo &info, const std::function<bool()> &step = {});

// The drawn PDF with its outline (chapters holding their sections) and the
// contents entries made links to their headings. Throws qv::QvError when the
// PDF cannot be read back.
QByteArray addNavigation(const QByteArray &pdf, const ComposedPlan &plan);

} // namespace qv::compiler
