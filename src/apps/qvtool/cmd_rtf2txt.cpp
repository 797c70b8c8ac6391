#include "apps/qvtool/Command.h"

#include "controls/richtext/Rtf.h"

#include <QTextDocument>

namespace {

// Prints what could be read; a damaged file still prints its readable part,
// with the problem on stderr and a non-zero status.
int convert(qvtool::Context &c, const char *usage, bool html)
{
    if (c.args.size() != 1) {
        c.err << "usage: qvtool " << usage << "\n";
        return 2;
    }
    const qv::rtf::ReadResult result = qv::rtf::readRtfFile(c.args.first());
    c.out << (html ? result.document->toHtml() : qv::rtf::plainText(*result.document));
    if (!result.error.isEmpty()) {
        c.err << result.error << "\n";
        return 1;
    }
    return 0;
}

int rtf2txt(qvtool::Context &c)
{
    return convert(c, "rtf2txt FILE", false);
}

int rtf2html(qvtool::Context &c)
{
    return convert(c, "rtf2html FILE", true);
}

const qvtool::CommandRegistration text("rtf2txt", "rtf2txt FILE", rtf2txt);
const qvtool::CommandRegistration html("rtf2html", "rtf2html FILE", rtf2html);

} // namespace
