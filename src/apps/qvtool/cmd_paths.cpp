// qvtool paths: the template library folders for a plan type, kind and stage.

#include "apps/qvtool/Command.h"

#include "plan/ModEnglish.h"
#include "platform/Folders.h"

#include <optional>

namespace {

using namespace qv::plan;

int paths(qvtool::Context &c)
{
    QString install = qv::platform::Folders::installFolder();
    std::optional<int> type;
    std::optional<int> kind;
    std::optional<int> isNew;
    bool valid = c.args.size() % 2 == 0; // options and their values, in pairs
    for (int i = 0; valid && i + 1 < c.args.size(); i += 2) {
        const QString &option = c.args.at(i);
        const QString &value = c.args.at(i + 1);
        bool ok = true;
        if (option == QLatin1String("--install"))
            install = value;
        else if (option == QLatin1String("--type"))
            type = value.toInt(&ok);
        else if (option == QLatin1String("--kind"))
            kind = value.toInt(&ok);
        else if (option == QLatin1String("--new"))
            isNew = value.toInt(&ok);
        else
            ok = false;
        valid = ok;
    }
    if (!valid || !type || !kind || !isNew || (*isNew != 0 && *isNew != 1)) {
        c.err << "usage: qvtool paths [--install DIR] --type T --kind K --new 0|1\n";
        return 2;
    }
    PlanInfo info;
    info.setPlanType(*type);
    info.setBusinessKind(*kind);
    info.setNewBusiness(*isNew == 1);
    c.out << "GetDataFolder=" << ModEnglish::GetDataFolder(info, install) << '\n'
          << "GetKindFolder=" << ModEnglish::GetKindFolder(info, install) << '\n'
          << "GetTemplateFolder=" << ModEnglish::GetTemplateFolder(info, install) << '\n'
          << "GetExampleFolder=" << ModEnglish::GetExampleFolder(info, install) << '\n'
          << "GetInstructionFolder=" << ModEnglish::GetInstructionFolder(info, install) << '\n'
          << "GetTablesFolder=" << ModEnglish::GetTablesFolder(info, install) << '\n';
    return 0;
}

const qvtool::CommandRegistration registration("paths", "paths [--install DIR] --type T --kind K --new 0|1", paths);

} // namespace
