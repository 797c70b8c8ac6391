#pragma once

// Edits left behind by a program that ended without closing its plan (a
// crash, a power cut): working copies that no save committed and no close
// deleted. Opening the plan offers to keep them for the next save, or to
// discard them.

#include <QString>
#include <QStringList>

namespace qv::plan {
class PlanOutline;
}

namespace qv::composer {

// One line per left-over working copy, naming what it holds as the user
// knows it ("Business Overview (text)", "Sales Forecast (table)"); the file
// name for a working copy the outline does not know.
QStringList leftoverEdits(const QString &planFolder, const plan::PlanOutline &outline);

// The question that offers them back.
QString recoverEditsQuestion(const QString &planName, const QStringList &edits);

} // namespace qv::composer
