#include "PlanFixture.h"

#include "controls/workbook/Workbook.h"
#include "plan/ModEnglish.h"
#include "plan/PlanBuilder.h"
#include "platform/AtomicFile.h"
#include "platform/Folders.h"
#include "platform/Paths.h"

#include <QDir>

#include <stdexcept>

namespace qv::test {

PlanFixture::PlanFixture(const PlanFixtureOptions &options)
{
    platform::Folders::setInstallFolder(m_install.path());
    m_documentPath = platform::joinPath(m_root.path(), QStringLiteral("Acme.bpl"));

    plan::PlanBuilder builder(plan::BusinessPlan);
    builder.kind(plan::Retail).businessName(QStringLiteral("Acme")).title(QStringLiteral("Acme Plan"));
    builder.filePath(m_documentPath);
    int fileNumber = 0;
    for (int c = 1; c <= options.chapters; ++c) {
        builder.chapter(QStringLiteral("Chapter %1").arg(c));
        for (int s = 1; s <= options.sectionsPerChapter; ++s) {
            ++fileNumber;
            builder.section(QStringLiteral("Section %1.%2").arg(c).arg(s), keyOf(c, s),
                            QStringLiteral("Ans%1.rtf").arg(fileNumber, 5, 10, QLatin1Char('0')));
            if (s == 1)
                builder.table(QStringLiteral("Tbl%1.vts").arg(keyOf(c, s)), QStringLiteral("Table %1").arg(c));
        }
    }
    std::unique_ptr<plan::Plan> plan = builder.take();
    plan->Save();

    const QString folder = plan->folder();
    QDir().mkpath(folder);
    for (int c = 1; c <= options.chapters; ++c) {
        for (int s = 1; s <= options.sectionsPerChapter; ++s) {
            const auto &section = plan->outline().chapters().item(c)->sections().item(s);
            writeRtf(platform::joinPath(folder, section->textFileName()), textOf(c, s));
            for (const auto &table : section->tables()) {
                workbook::Workbook book;
                book.setText(1, 1, table->displayName());
                book.setNumber(2, 1, 100 * c);
                book.write(platform::joinPath(folder, table->fileName()));
            }
        }
    }

    if (!options.withLibrary)
        return;
    const QString instructions = plan::ModEnglish::GetInstructionFolder(plan->planInfo());
    const QString examples = plan::ModEnglish::GetExampleFolder(plan->planInfo());
    QDir().mkpath(instructions);
    QDir().mkpath(examples);
    for (int c = 1; c <= options.chapters; ++c) {
        for (int s = 1; s <= options.sectionsPerChapter; ++s) {
            writeRtf(platform::joinPath(instructions, plan::ModEnglish::InstructionFileName(keyOf(c, s))),
                     QStringLiteral("How to write %1.%2").arg(c).arg(s));
            writeRtf(platform::joinPath(examples, plan::ModEnglish::ExampleFileName(keyOf(c, s))),
                     QStringLiteral("Example of %1.%2").arg(c).arg(s));
        }
        workbook::Workbook example;
        example.setText(1, 1, QStringLiteral("Example table %1").arg(c));
        example.write(platform::joinPath(
            examples, plan::ModEnglish::ExampleTableFileName(QStringLiteral("Tbl%1").arg(keyOf(c, 1)))));
    }
}

QString PlanFixture::planFolder() const
{
    return plan::ModEnglish::PlanFolderOfDocument(m_documentPath);
}

QString PlanFixture::keyOf(int chapter, int section)
{
    return QStringLiteral("%1%2").arg(chapter, 2, 10, QLatin1Char('0')).arg(section, 2, 10, QLatin1Char('0'));
}

QString PlanFixture::textOf(int chapter, int section)
{
    return QStringLiteral("Text of section %1.%2").arg(chapter).arg(section);
}

void PlanFixture::writeRtf(const QString &path, const QString &text)
{
    const QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}}\\f0\\fs24 "
                           + text.toLatin1() + "\\par }\r\n";
    const QString failure = platform::writeFileAtomically(path, rtf);
    if (!failure.isEmpty())
        throw std::runtime_error(failure.toStdString());
}

} // namespace qv::test
