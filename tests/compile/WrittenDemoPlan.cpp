#include "WrittenDemoPlan.h"

#include "composer/SectionFiles.h"
#include "plan/ModEnglish.h"
#include "plan/Plan.h"

#include <QFile>

namespace qv::test {

WrittenDemoPlan::WrittenDemoPlan(const QString &answers) : m_demo(answers)
{
    if (!m_demo.made())
        return;
    plan::Plan plan;
    plan.Initialise(QStringLiteral("B"), QStringLiteral("M"));
    plan.planInfo().setPlanType(plan::ModEnglish::PlanTypeOfDocument(m_demo.documentPath()));
    plan.setFilePath(m_demo.documentPath());
    if (!plan.Open())
        return;
    const QString folder = plan.folder() + QLatin1Char('/');
    QString excluded;
    int chapterIndex = 0;
    for (const auto &chapter : plan.outline().chapters()) {
        ++chapterIndex;
        int sectionIndex = 0;
        for (const auto &section : chapter->sections()) {
            ++sectionIndex;
            const QString example = composer::exampleFilePath(plan, section->key());
            if (section->key().isEmpty() || !QFile::exists(example))
                continue;
            const QString name = composer::nextSectionFileName(folder);
            if (!QFile::copy(example, folder + name))
                return;
            section->setTextFileName(name);
            if (chapterIndex == 2 && sectionIndex == 2) {
                section->setStatus(2); // Exclude
                excluded = section->name();
            }
        }
    }
    plan.Save();
    m_excluded = excluded;
}

} // namespace qv::test
