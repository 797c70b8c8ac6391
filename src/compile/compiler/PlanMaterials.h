#pragma once

// Everything the listed files hold, read once: each section's text as a
// document and each figure's picture. A file that is missing or cannot be
// read is left out and named in `leftOut`; the compile goes on without it.

#include "compile/compiler/PlanSource.h"
#include "controls/metafile/MetafilePicture.h"

#include <QStringList>

#include <functional>
#include <map>
#include <memory>
#include <optional>

class QTextDocument;

namespace qv::compiler {

struct PlanMaterials
{
    // Keyed by the name the export files give.
    std::map<QString, std::shared_ptr<QTextDocument>> texts;
    std::map<QString, std::shared_ptr<const metafile::MetafilePicture>> pictures;
    QStringList leftOut; // "Ans00004.rtf (the file does not exist)"

    std::shared_ptr<QTextDocument> text(const QString &name) const;
    std::shared_ptr<const metafile::MetafilePicture> picture(const QString &name) const;
};

// Reads every file the plan names; `step` runs after each section (for
// progress) and returns false to stop reading (then the result is partial).
PlanMaterials readMaterials(const PlanSource &source, const std::function<bool()> &step = {});

} // namespace qv::compiler
