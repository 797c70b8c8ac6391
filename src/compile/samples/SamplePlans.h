#pragma once

// The finished sample plans of the template library. Each is the plan of a
// wizard-answers file (the example company of its kind: business name,
// cover data, figures), written out with the library's example texts for
// every section, and compiled by the plan compiler. The build makes them;
// `qvtool sample` runs one.

#include "plan/PlanInfo.h"

#include <QString>
#include <QStringList>

namespace qv::samples {

struct SamplePlan
{
    QString output;    // the compiled sample written
    int pages = 0;
    int sectionsWritten = 0;   // sections that got their example text
    QStringList notApplied;    // answers that plan creation could not apply
    QStringList leftOut;       // listed files the compiled plan does without
};

// The plan type, kind and stage that an answers file asks for.
plan::PlanInfo sampleInfoOfAnswers(const QString &answersFile);

// Makes the sample plan of the answers file into `output`: the plan is made
// from the template library in force inside a temporary folder (the answers'
// document name is kept, its folder is not), completed with the example
// texts, exported with the standard print conversions (not the user's
// preferences) and compiled into `output` as PDF. The temporary plan is
// removed afterwards. Throws qv::QvError naming the step that failed;
// `output` is then left as it was.
SamplePlan makeSamplePlan(const QString &answersFile, const QString &output);

} // namespace qv::samples
