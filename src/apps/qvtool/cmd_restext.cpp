#include "apps/qvtool/Command.h"

#include "resources/ResText.h"

namespace {

int restext(qvtool::Context &c)
{
    bool ok = false;
    const int number = c.args.value(0).toInt(&ok);
    if (c.args.size() != 1 || !ok) {
        c.err << "usage: qvtool restext N\n";
        return 2;
    }
    if (!qv::hasResText(number))
        return 1;
    c.out << qv::GetResText(number);
    return 0;
}

const qvtool::CommandRegistration registration("restext", "restext N", restext);

} // namespace
