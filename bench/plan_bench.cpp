// Opening and saving a plan of 12 chapters, 80 sections and 60 tables.
// Prints the median and the slowest of many runs; the goal is well under
// 10 ms each.

#include "plan/Plan.h"
#include "plan/PlanBuilder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace qv::plan;

namespace {

struct Figures
{
    double median = 0;
    double slowest = 0;
};

template <class Step>
Figures measure(int runs, Step step)
{
    std::vector<double> times;
    times.reserve(static_cast<size_t>(runs));
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        step();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return Figures{times[times.size() / 2], times.back()};
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Bench.bpl"));
    auto plan = PlanBuilder::sized(12, 80, 60);
    plan->setFilePath(path);
    plan->Save();

    const int runs = 200;
    const Figures save = measure(runs, [&] { plan->Save(); });
    // The part of saving that is the program's own, without the disk's
    // flush that makes the replacement durable.
    qsizetype written = 0;
    const Figures serialise = measure(runs, [&] { written += plan->documentBytes().size(); });
    Plan reader;
    reader.Initialise(QStringLiteral("B"), QStringLiteral("M"));
    reader.setFilePath(path);
    bool allOpened = true;
    const Figures open = measure(runs, [&] { allOpened = reader.Open() && allOpened; });
    if (written == 0 || !allOpened || !reader.content().sameContent(plan->content())) {
        std::fprintf(stderr, "plan_bench: the plan did not reopen identically: %s\n",
                     qPrintable(reader.lastError()));
        return 1;
    }

    std::printf("plan of 12 chapters, 80 sections, 60 tables; document %lld bytes; %d runs each\n",
                static_cast<long long>(QFileInfo(path).size()), runs);
    std::printf("save: median %.3f ms, slowest %.3f ms\n", save.median, save.slowest);
    std::printf("  of which making the document text: median %.3f ms, slowest %.3f ms (the rest: disk flush)\n",
                serialise.median, serialise.slowest);
    std::printf("open: median %.3f ms, slowest %.3f ms\n", open.median, open.slowest);
    return 0;
}
