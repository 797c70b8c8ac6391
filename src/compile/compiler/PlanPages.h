#pragma once

// The compiled plan laid out on pages: the cover, the contents, then every
// chapter on a new page with its sections' texts, tables and charts. A
// landscape figure goes on a landscape page. Lengths are pixels at 96 dots
// per inch with each page's top left corner at (0, 0); pages draw on any
// painter whose device has that resolution.

#include "compile/compiler/PlanMaterials.h"
#include "compile/compiler/PlanSource.h"

#include <QRectF>
#include <QString>

#include <functional>
#include <vector>

class QPainter;
class QPaintDevice;

namespace qv::compiler {

inline constexpr int kLayoutDpi = 96;

// Letter paper, one-inch margins.
inline constexpr double kPaperShortSide = 816;
inline constexpr double kPaperLongSide = 1056;
inline constexpr double kMargin = 96;

// The resolution every text is laid out at.
QPaintDevice *layoutDevice();

struct Heading
{
    int level = 1; // 1 chapter, 2 section
    QString number; // "2", "2.1"
    QString title;
    int page = 0;
    double y = 0;
};

// A place on a contents page that leads to a heading.
struct ContentsLink
{
    int page = 0;
    QRectF rect;
    int heading = 0;
};

struct ComposedPage
{
    bool landscape = false;
    bool decorated = true; // header and page number
    std::vector<std::function<void(QPainter &)>> drawings;

    QSizeF size() const;
};

struct ComposedPlan
{
    std::vector<ComposedPage> pages;
    std::vector<Heading> headings;
    std::vector<ContentsLink> links;
    QString headerLeft;  // the business name
    QString headerRight; // "Business Plan"

    // The page with its header and footer.
    void paintPage(int index, QPainter &painter) const;
};

ComposedPlan composePlan(const PlanSource &source, const PlanMaterials &materials);

} // namespace qv::compiler
