#include "compile/compiler/PlanMaterials.h"

#include "controls/richtext/Rtf.h"
#include "platform/Paths.h"

#include <QFileInfo>
#include <QTextDocument>

namespace qv::compiler {

namespace {

QString missingOrUnreadable(const QString &name, const QString &why)
{
    return QStringLiteral("%1 (%2)").arg(name, why);
}

} // namespace

std::shared_ptr<QTextDocument> PlanMaterials::text(const QString &name) const
{
    const auto found = texts.find(name);
    return found == texts.end() ? nullptr : found->second;
}

std::shared_ptr<const metafile::MetafilePicture> PlanMaterials::picture(const QString &name) const
{
    const auto found = pictures.find(name);
    return found == pictures.end() ? nullptr : found->second;
}

PlanMaterials readMaterials(const PlanSource &source, const std::function<bool()> &step)
{
    PlanMaterials materials;
    for (const Chapter &chapter : source.chapters)
        for (const Section &section : chapter.sections) {
            if (!section.textFile.isEmpty() && !materials.texts.count(section.textFile)) {
                const QString path = platform::resolveExistingPath(source.folder + section.textFile);
                if (!QFileInfo(path).isFile()) {
                    materials.leftOut << missingOrUnreadable(section.textFile, QStringLiteral("the file does not exist"));
                } else {
                    rtf::ReadResult read = rtf::readRtfFile(path);
                    if (!read.error.isEmpty() && read.document->isEmpty())
                        materials.leftOut << missingOrUnreadable(section.textFile, read.error);
                    else
                        materials.texts[section.textFile] = std::shared_ptr<QTextDocument>(std::move(read.document));
                }
            }
            for (const Figure &figure : section.figures) {
                if (figure.pictureFile.isEmpty() || materials.pictures.count(figure.pictureFile))
                    continue;
                const QString path = platform::resolveExistingPath(source.folder + figure.pictureFile);
                QString error;
                if (!QFileInfo(path).isFile()) {
                    materials.leftOut << missingOrUnreadable(figure.pictureFile, QStringLiteral("the file does not exist"));
                } else if (auto picture = metafile::MetafilePicture::fromFile(path, &error)) {
                    materials.pictures[figure.pictureFile] =
                        std::make_shared<const metafile::MetafilePicture>(std::move(*picture));
                } else {
                    materials.leftOut << missingOrUnreadable(figure.pictureFile, error);
                }
            }
            if (step && !step())
                return materials;
        }
    return materials;
}

} // namespace qv::compiler
