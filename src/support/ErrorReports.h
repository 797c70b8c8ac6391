#pragma once

// The three shared forms in which a window reports a failure it caught and
// then goes on with its next step.

#include <QString>

class QObject;

namespace qv
{
class QvError;
struct Failure;
}

namespace qv::support
{

// The line break inside a report: CR LF, as in the string table's texts.
inline const QString kReportLineBreak = QStringLiteral("\r\n");

// "Error: <description> (<number>)", a line break, then the activity
// ("Saving Plan1.bpl", "Getting Meta Files"). Shown with no icon, OK only.
QString operationReportText(long number, const QString &description, const QString &activity);
void reportOperationError(QObject *owner, long number, const QString &description, const QString &activity);
void reportOperationError(QObject *owner, const QvError &error, const QString &activity);
// The same for a failure an operation returned; a cancelled one shows nothing.
void reportOperationError(QObject *owner, const Failure &failure);

// "<window>:<procedure>", a line break, then the description; critical icon.
// The procedure is the one that loads the captions unless another is named.
QString captionReportText(const QString &window, const QString &description,
                          const QString &procedure = QStringLiteral("loadCaptions"));
void reportCaptionError(QObject *owner, const QString &window, const QString &description,
                        const QString &procedure = QStringLiteral("loadCaptions"));
void reportCaptionError(QObject *owner, const QString &window, const QvError &error,
                        const QString &procedure = QStringLiteral("loadCaptions"));

// "Error loading file:", a line break, then the full path; information icon
// (a missing file is a notice, not a system failure).
QString fileLoadReportText(const QString &path);
void reportFileLoadError(QObject *owner, const QString &path);

} // namespace qv::support
