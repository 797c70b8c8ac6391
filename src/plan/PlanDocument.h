#pragma once

// Plan documents (".bpl", ".mpl" and the templates' "default.~pl"): a JSON
// text that people can read and diff. The layout is described in
// docs/formats.md; this is the one reader and the one writer of it.

#include "plan/Outline.h"
#include "plan/PlanInfo.h"
#include "plan/Profile.h"
#include "plan/Submitter.h"

#include <QByteArray>
#include <QString>

namespace qv::plan {

// Everything a plan document holds.
struct PlanContent
{
    // A template carries no business of its own: opening it keeps the plan's
    // PlanInfo and Submitter (plan creation has set them from the wizard).
    bool isTemplate = false;
    QString title;
    PlanInfo info;
    Profile profile;
    Submitter submitter;
    PlanOutline outline;

    bool sameContent(const PlanContent &other) const;
};

namespace PlanDocument {

inline constexpr char kFormatName[] = "quorvex-plan";
// The newest layout this program writes and reads.
inline constexpr int kVersion = 1;
// Larger files are refused unread, and so are outlines beyond these sizes:
// no plan comes near them, and a hostile document must not exhaust memory.
inline constexpr qint64 kMaxSize = 32 * 1024 * 1024;
inline constexpr int kMaxItemsPerList = 10000;
inline constexpr int kMaxOutlineItems = 100000;

// The document of the content, in UTF-8, ending with a newline.
QByteArray write(const PlanContent &content);

// Reads a document into a freshly made content. False, with a reason fit for
// the user, when the bytes are not a document this program can read; the
// content is then partly filled and must be thrown away.
bool read(const QByteArray &bytes, PlanContent &content, QString &reason);

// The same from a file; refuses a missing, unreadable or oversized file.
bool readFile(const QString &path, PlanContent &content, QString &reason);

} // namespace PlanDocument

} // namespace qv::plan
