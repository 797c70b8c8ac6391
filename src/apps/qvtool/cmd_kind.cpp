// qvtool kind: the business kind number of a kind name.

#include "apps/qvtool/Command.h"

#include "plan/ModEnglish.h"

namespace {

int kind(qvtool::Context &c)
{
    if (c.args.size() != 1) {
        c.err << "usage: qvtool kind NAME\n";
        return 2;
    }
    c.out << qvtool::formatNumber(qv::plan::ModEnglish::BusinessKindFromName(c.args.at(0))) << '\n';
    return 0;
}

const qvtool::CommandRegistration registration("kind", "kind NAME", kind);

} // namespace
