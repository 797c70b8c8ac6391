// Plan creation on arbitrary answer files. The input follows a fixed header
// (chosen by its first byte) that names a document in a private folder, so
// that every later key, however odd, meets a plan with loaded tables. It
// must never crash or hang, must always say whether a plan was made and
// why not, and must write nothing beside the document and its plan folder.

#include "CreationLibrary.h"

#include "create/creation/CreationProgress.h"
#include "create/creation/PlanCreation.h"
#include "plan/PlanInfo.h"
#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <memory>

using qv::test::CreationLibrary;

namespace {

struct Setting
{
    std::unique_ptr<QCoreApplication> app;
    std::unique_ptr<CreationLibrary> library;
    std::unique_ptr<QTemporaryDir> working;
};

Setting &setting()
{
    static Setting s = [] {
        static int argc = 1;
        static char name[] = "answer_file_fuzz";
        static char *argv[] = {name, nullptr};
        Setting made;
        made.app = std::make_unique<QCoreApplication>(argc, argv);
        // Small tables keep each run quick; the rules do not depend on size.
        made.library = std::make_unique<CreationLibrary>(64, 8);
        made.library->addBusiness(qv::plan::Retail, true);
        made.library->addBusiness(qv::plan::Custom, false);
        made.library->addMarketing();
        // A relative path would land in the working folder: make it one
        // that must stay empty.
        made.working = std::make_unique<QTemporaryDir>();
        QDir::setCurrent(made.working->path());
        return made;
    }();
    return s;
}

void emptyFolder(const QString &folder)
{
    QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)) {
        const QFileInfo info(dir.filePath(name));
        if (info.isDir() && !info.isSymLink())
            QDir(info.filePath()).removeRecursively();
        else
            QFile::remove(info.filePath());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Setting &s = setting();
    const CreationLibrary &library = *s.library;
    if (size == 0)
        return 0;
    QStringList header;
    switch (data[0] % 4) {
    case 0: header = library.businessHeader(QStringLiteral("Retail"), true); break;
    case 1: header = library.businessHeader(QStringLiteral("Custom"), false); break;
    case 2: header = library.marketingHeader(QStringLiteral("Retail")); break;
    default: break; // no header: the body alone, which can name no document outside (see below)
    }
    QByteArray text = header.join(QLatin1Char('\n')).toUtf8() + '\n';
    QByteArray body(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    if (header.isEmpty()) {
        // Without the header the body's own document keys would decide where
        // to write; keep them to relative paths, which creation refuses.
        body.replace('/', '_');
    }
    text += body;

    const QString answers = qv::platform::joinPath(library.plansFolder(), QStringLiteral("answers.txt"));
    QFile file(answers);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        std::abort();
    file.close();

    qv::create::SilentProgress progress;
    qv::create::PlanCreation creation(progress);
    const qv::create::CreationResult result = creation.createPlanFromQA(answers);
    if (result.planMade() == !result.failure.isEmpty())
        std::abort(); // a plan, or the reason there is none
    const QStringList allowed{QStringLiteral("answers.txt"), QStringLiteral("Acme.bpl"), QStringLiteral("AcmeB"),
                              QStringLiteral("Acme.mpl"), QStringLiteral("AcmeM")};
    for (const QString &name : QDir(library.plansFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        if (!allowed.contains(name))
            std::abort(); // written beside the plan
    if (!QDir(s.working->path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
        std::abort(); // written into the working folder
    emptyFolder(library.plansFolder());
    return 0;
}
