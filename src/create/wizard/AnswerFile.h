#pragma once

// The answer file plan creation reads: one "key=value" line per answer,
// "[PLAN]" first, then the header keys (document path, kind, stage) that let
// creation make the plan folder, then the profile, the counts and the table
// cells.

#include "create/wizard/WizardAnswers.h"

#include <QByteArray>
#include <QString>

namespace qv::wizard {

// The file's text, UTF-8, one answer per line. Values are trimmed and lose
// line breaks and tabs, so that no answer can add a line of its own.
QByteArray answerFileText(const WizardAnswers &answers);

struct WrittenAnswers
{
    QString path;  // the file written, on success
    QString error; // why nothing was written, else empty
};

// Checks the answers and writes them atomically under a new unique name in
// the folder. Nothing is written when a check fails.
WrittenAnswers writeAnswerFile(const QString &folder, const WizardAnswers &answers);

} // namespace qv::wizard
