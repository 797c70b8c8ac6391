#pragma once

// The compiled plan as an OpenDocument text (.odt): the cover, a contents
// index, numbered headings, every section's text with its formatting, and
// the tables and charts as their metafile pictures, landscape ones on
// landscape pages; every page but the cover has the business name above and
// its page number below. Written over libzip, since Qt's document writer has
// neither landscape sections nor page fields.

#include <QByteArray>

namespace qv::compiler {

struct PlanSource;
struct PlanMaterials;

QByteArray writeOdt(const PlanSource &source, const PlanMaterials &materials);

} // namespace qv::compiler
