// Making a plan from a full answer file on a full-size template: an existing
// retail business, 12 tables of 60 rows and 20 columns with a total formula
// in every row. Prints the median and slowest of several runs in process,
// and of `qvtool create` started as a program; the goal is under 1 s.

#include "CreationLibrary.h"

#include "create/creation/CreationProgress.h"
#include "create/creation/PlanCreation.h"
#include "plan/PlanInfo.h"
#include "platform/Paths.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <vector>

using qv::test::CreationLibrary;

namespace {

QStringList answerLines(const CreationLibrary &library, int run)
{
    QStringList lines = library.businessHeader(QStringLiteral("Retail"), false, QStringLiteral("Plan%1.txt").arg(run));
    lines << QStringLiteral("[FIELD1.5]=Acme Bakery") << QStringLiteral("[FIELD2.1]=First Bank")
          << QStringLiteral("[FIELD2.2]=May 5, 2026") << QStringLiteral("[FIELD2.3]=Ann Baker")
          << QStringLiteral("[FIELD2.4]=1 Main St") << QStringLiteral("[FIELD2.5]=Springfield")
          << QStringLiteral("[FIELD2.6]=IL") << QStringLiteral("[FIELD2.7]=62701")
          << QStringLiteral("[FIELD2.8]=555-0100") << QStringLiteral("[FIELD1.6]=2026")
          << QStringLiteral("[FIELD3A.X]=6") << QStringLiteral("[FIELD3.1]=3") << QStringLiteral("[FIELD3.2]=4")
          << QStringLiteral("[FIELD3.3]=3") << QStringLiteral("[FIELD3.4]=2") << QStringLiteral("[FIELD3.5]=3");
    // Key figures of the business, as the wizard writes them.
    const char *tables[] = {"Tbl0303", "Tbl0503", "Tbl0601", "Tbl0802"};
    for (int i = 0; i < 40; ++i)
        lines << QStringLiteral("%1:%2%3=$%4")
                     .arg(QString::fromLatin1(tables[i % 4]))
                     .arg(QChar(u'B' + i % 10))
                     .arg(10 + i / 4)
                     .arg(1000 + i * 25);
    return lines;
}

void print(const char *what, std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    std::printf("%-34s median %8.1f ms   slowest %8.1f ms   (%zu runs)\n", what, times[times.size() / 2], times.back(),
                times.size());
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    CreationLibrary library(60, 20, true);
    library.addBusiness(qv::plan::Retail, false);

    constexpr int kRuns = 7;
    std::vector<double> inProcess;
    std::vector<double> cpu;
    for (int run = 0; run < kRuns; ++run) {
        const QString answers = library.writeAnswers(answerLines(library, run), QStringLiteral("answers%1.txt").arg(run));
        qv::create::SilentProgress progress;
        qv::create::PlanCreation creation(progress);
        QElapsedTimer timer;
        timer.start();
        const std::clock_t cpuStart = std::clock();
        const qv::create::CreationResult result = creation.createPlanFromQA(answers);
        inProcess.push_back(double(timer.nsecsElapsed()) / 1e6);
        // The processor time too: on a busy machine the wall time says little.
        cpu.push_back(double(std::clock() - cpuStart) * 1000.0 / CLOCKS_PER_SEC);
        if (!result.planMade() || !result.notApplied.isEmpty()) {
            std::fprintf(stderr, "creation failed: %s\n", qPrintable(result.reportText()));
            return 1;
        }
    }
    print("plan creation (in process)", inProcess);
    print("plan creation (processor time)", cpu);

    const QString tool = QStringLiteral(QV_INSTALL_DIR "/qvtool");
    if (!QFileInfo(tool).isExecutable())
        return 0;
    std::vector<double> asProgram;
    for (int run = kRuns; run < 2 * kRuns; ++run) {
        const QString answers = library.writeAnswers(answerLines(library, run), QStringLiteral("answers%1.txt").arg(run));
        QElapsedTimer timer;
        timer.start();
        QProcess process;
        process.start(tool, {QStringLiteral("create"), QStringLiteral("--install"), library.installFolder(), answers});
        process.waitForFinished(60000);
        asProgram.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (process.exitCode() != 0) {
            std::fprintf(stderr, "qvtool create failed: %s\n", process.readAllStandardError().constData());
            return 1;
        }
    }
    print("qvtool create (whole program)", asProgram);
    return 0;
}
