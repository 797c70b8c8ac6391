#pragma once

// The plan compiler: reads the export files of a plan folder and writes the
// finished plan as PDF and as OpenDocument text. Nothing is written until
// both documents are complete; each output then replaces its older version
// atomically, so a cancelled or failed compile leaves the old ones whole.

#include <QString>
#include <QStringList>

#include <functional>

namespace qv::compiler {

struct CompileRequest
{
    QString folder;  // the plan folder
    QString pdfPath; // empty: plan folder + plan name + ".pdf"
    QString odtPath; // empty: plan folder + plan name + ".odt"
    bool writePdf = true;
    bool writeOdt = true;
};

// The steps the compiler reports, in order.
enum class CompileStep { Reading, Layout, Drawing, Navigation, OpenDocument, Saving };
QString stepText(CompileStep step);
inline constexpr int kCompileStepCount = 6;

struct CompileProgress
{
    // A step starts; `total` is how many parts it has (sections, pages).
    std::function<void(CompileStep step, int total)> stepStarted;
    // One more part of the step is done; false cancels the compile.
    std::function<bool(int done)> partDone;
};

struct CompileResult
{
    bool cancelled = false;
    QString pdfPath; // written, or empty
    QString odtPath;
    int pages = 0;
    QStringList leftOut; // listed files the document does without, with why
};

// Throws qv::QvError when the folder holds no export files or an output
// cannot be written; nothing is replaced then.
CompileResult compilePlan(const CompileRequest &request, const CompileProgress &progress = {});

} // namespace qv::compiler
