#include "composer/PlanSaving.h"

#include "controls/workbook/Workbook.h"
#include "plan/WorkingCopies.h"
#include "platform/Paths.h"
#include "platform/Services.h"
#include "platform/Settings.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace qv::composer {

namespace {

// The error number of a file that could not be written or replaced.
constexpr long kFileAccessError = 75;

// How often the pause looks at the clock.
constexpr int kPauseStepMilliseconds = 100;

} // namespace

bool pauseOver(int startSecond, int nowSecond, int lengthSeconds)
{
    if (lengthSeconds <= 0)
        return true;
    int moved = nowSecond - startSecond;
    if (moved < 0)
        moved += 60; // the minute turned
    return moved > lengthSeconds;
}

void pauseAfterCommit(int lengthSeconds)
{
    if (lengthSeconds <= 0)
        return;
    platform::Clock &clock = platform::clock();
    const QDateTime start = clock.now();
    const QDateTime giveUp = start.addSecs(lengthSeconds + 60);
    for (;;) {
        const QDateTime now = clock.now();
        if (pauseOver(start.time().second(), now.time().second(), lengthSeconds) || now >= giveUp || now < start)
            return;
        clock.pause(kPauseStepMilliseconds);
    }
}

int commitPauseSeconds()
{
    bool ok = false;
    const int seconds = platform::Settings::get(QStringLiteral("Options"), QStringLiteral("Commit Pause")).toInt(&ok);
    if (!ok || seconds < 0)
        return 0;
    return std::min(seconds, kMaxCommitPauseSeconds);
}

QList<CommitFailure> commitWorkingFiles(const QString &planFolder, int pauseSeconds,
                                        const std::function<void(const CommitFailure &)> &report,
                                        const CommitProgress &progress)
{
    QList<CommitFailure> failures;
    if (planFolder.isEmpty())
        return failures;
    for (const plan::WorkingCopyKind kind : {plan::WorkingCopyKind::Table, plan::WorkingCopyKind::Text}) {
        for (const QString &name : plan::workingCopiesIn(planFolder, kind)) {
            // The copy replaces its target in one rename, which also removes
            // the working copy: a crash leaves the old or the new file.
            const QString error = plan::commitWorkingCopy(planFolder, name);
            if (!error.isEmpty()) {
                CommitFailure failure{platform::joinPath(planFolder, plan::committedNameOf(name)), error,
                                      kFileAccessError};
                failures.append(failure);
                if (report)
                    report(failure);
            }
            if (progress)
                progress(name, error.isEmpty());
            platform::clock().processEvents();
            pauseAfterCommit(pauseSeconds);
        }
    }
    return failures;
}

int DeleteMatchingFiles(const QString &folder, const QString &pattern)
{
    if (folder.isEmpty() || pattern.isEmpty())
        return 0;
    const QRegularExpression matcher(QRegularExpression::wildcardToRegularExpression(pattern),
                                     QRegularExpression::CaseInsensitiveOption);
    int deleted = 0;
    const QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &file : files) {
        if (matcher.match(file).hasMatch() && QFile::remove(platform::joinPath(folder, file)))
            ++deleted;
    }
    return deleted;
}

AutosaveTick autosaveTick(int counter, int intervalMinutes)
{
    // A counter already past the interval (the interval was shortened
    // meanwhile) saves too, rather than never again.
    if (counter + 1 < intervalMinutes)
        return {counter + 1, false};
    return {0, true};
}

QByteArray formulaResultsDigest(workbook::Workbook &book)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    const int shown = book.activeSheet();
    const QSignalBlocker quiet(&book); // looking at other sheets is no change
    for (int sheet = 0; sheet < book.sheetCount(); ++sheet) {
        book.setActiveSheet(sheet);
        const int rows = book.lastRow();
        const int cols = book.lastCol();
        for (int row = 1; row <= rows; ++row) {
            for (int col = 1; col <= cols; ++col) {
                if (!book.hasFormula(row, col))
                    continue;
                const workbook::Value value = book.value(row, col);
                const QByteArray line = QByteArray::number(sheet) + ':' + QByteArray::number(row) + ':'
                             + QByteArray::number(col) + '=' + QByteArray::number(int(value.type)) + '/'
                             + QByteArray::number(value.number, 'g', 17) + '/' + value.text.toUtf8() + '/'
                                        + QByteArray::number(int(value.error)) + '\n';
                hash.addData(line);
            }
        }
    }
    book.setActiveSheet(shown);
    return hash.result();
}

} // namespace qv::composer
