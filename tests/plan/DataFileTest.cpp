// DataFile reads a text file line by line into its handler; a read error
// ends the reading as the end of the file would.

#include "PlanTestSupport.h"

#include "plan/DataFile.h"
#include "plan/ModEnglish.h"
#include "plan/PlanBuilder.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>

using namespace qv::plan;
using namespace qv::plan::test;

namespace {

class LineCollector : public iFile
{
public:
    QString ClassDebugID() override { return QStringLiteral("LineCollector"); }
    void ReadFileData(DataFile &file) override
    {
        ++calls;
        QString line;
        while (file.ReadLine(line))
            lines << line;
    }
    void WriteFileData(DataFile &file) override
    {
        for (const QString &line : std::as_const(toWrite))
            file.WriteLine(line);
    }
    QStringList lines;
    QStringList toWrite;
    int calls = 0;
};

// Gives some bytes, then fails as a broken disk or network share would.
class FailingDevice : public QIODevice
{
public:
    explicit FailingDevice(QByteArray first) : m_first(std::move(first)) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }
    bool atEnd() const override { return false; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (m_position >= m_first.size()) {
            setErrorString(QStringLiteral("Input/output error"));
            return -1;
        }
        const qint64 n = std::min<qint64>(maxSize, m_first.size() - m_position);
        memcpy(data, m_first.constData() + m_position, static_cast<size_t>(n));
        m_position += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_first;
    qint64 m_position = 0;
};

} // namespace

TEST(DataFile, ReadsEveryLineWithoutItsEnding)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("answers.txt"));
    ASSERT_TRUE(writeBytes(path, "[PLAN]=Business\r\n\r\n[FIELD1.1]=Retail\n  spaced  \nlast without ending"));
    LineCollector handler;
    DataFile file;
    file.setFilePath(path);
    file.setHandler(&handler);
    ASSERT_TRUE(file.Read());
    EXPECT_EQ(handler.calls, 1);
    EXPECT_EQ(handler.lines, (QStringList{QStringLiteral("[PLAN]=Business"), QString(),
                                          QStringLiteral("[FIELD1.1]=Retail"),
                                          QStringLiteral("  spaced  "), QStringLiteral("last without ending")}));
    EXPECT_TRUE(file.lastError().isEmpty());
}

TEST(DataFile, ReadsUtf8AndFallsBackToLatin1)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("answers.txt"));
    ASSERT_TRUE(writeBytes(path, "name=M\xC3\xBCller\nname=M\xFCller\n"));
    LineCollector handler;
    DataFile file;
    file.setFilePath(path);
    file.setHandler(&handler);
    ASSERT_TRUE(file.Read());
    EXPECT_EQ(handler.lines, (QStringList{QStringLiteral("name=Müller"), QStringLiteral("name=Müller")}));
}

TEST(DataFile, AReadErrorEndsTheReadingAsTheEndOfFile)
{
    FailingDevice device("first\nsecond\nthird, cut");
    LineCollector handler;
    DataFile file;
    file.setHandler(&handler);
    ASSERT_TRUE(file.Read(device));
    EXPECT_EQ(handler.lines,
              (QStringList{QStringLiteral("first"), QStringLiteral("second"), QStringLiteral("third, cut")}));
    EXPECT_TRUE(file.lastError().contains(QLatin1String("Input/output error")));
    QString line;
    EXPECT_FALSE(file.ReadLine(line)); // stays at its end
}

TEST(DataFile, AnOverlongLineEndsTheReading)
{
    QByteArray bytes = "ok\n" + QByteArray(DataFile::kMaxLineLength + 10, 'x') + "\nafter\n";
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    LineCollector handler;
    DataFile file;
    file.setHandler(&handler);
    file.Read(buffer);
    EXPECT_EQ(handler.lines, QStringList{QStringLiteral("ok")});
    EXPECT_FALSE(file.lastError().isEmpty());
}

TEST(DataFile, AMissingFileOrHandlerIsRefusedWithoutCallingTheHandler)
{
    LineCollector handler;
    DataFile file;
    file.setHandler(&handler);
    file.setFilePath(QStringLiteral("/nonexistent/answers.txt"));
    EXPECT_FALSE(file.Read());
    EXPECT_EQ(handler.calls, 0);
    EXPECT_FALSE(file.lastError().isEmpty());

    DataFile orphan;
    orphan.setFilePath(QStringLiteral("/etc/hostname"));
    EXPECT_FALSE(orphan.Read());
    QString line;
    EXPECT_FALSE(orphan.ReadLine(line));
}

TEST(DataFile, WritesTheHandlersLinesAtomically)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.txt"));
    LineCollector handler;
    handler.toWrite = {QStringLiteral("a=1"), QStringLiteral("b=ü")};
    DataFile file;
    file.setFilePath(path);
    file.setHandler(&handler);
    ASSERT_TRUE(file.Write());
    EXPECT_EQ(readBytes(path), QByteArray("a=1\nb=\xC3\xBC\n"));

    file.setFilePath(dir.filePath(QStringLiteral("missing/out.txt")));
    EXPECT_FALSE(file.Write());
    EXPECT_FALSE(file.lastError().isEmpty());
}

namespace {

// The plan-creation side of the library, as the creation window drives it:
// header answers set the plan info, then the template is copied and opened.
class CreationHandler : public iFile
{
public:
    CreationHandler(Plan &plan, QString templatePath) : m_plan(plan), m_template(std::move(templatePath)) {}
    QString ClassDebugID() override { return QString(); }
    void WriteFileData(DataFile &) override {}
    void ReadFileData(DataFile &file) override
    {
        PlanInfo info;
        QString line;
        while (file.ReadLine(line)) {
            const qsizetype equals = line.indexOf(QLatin1Char('='));
            if (equals < 0)
                continue;
            const QString key = line.left(equals).trimmed().toUpper();
            const QString value = line.mid(equals + 1).trimmed();
            if (key == QLatin1String("[PLAN]"))
                info.setPlanType(value.startsWith(QLatin1Char('b'), Qt::CaseInsensitive) ? BusinessPlan
                                                                                         : MarketingPlan);
            else if (key == QLatin1String("[FIELD1.4]"))
                m_plan.setFilePath(value.left(value.size() - 4) + QStringLiteral(".mpl"));
            else if (key == QLatin1String("[FIELD1.1]"))
                info.setBusinessKind(ModEnglish::BusinessKindFromName(value));
            else if (key == QLatin1String("[FIELD1.5]"))
                info.setBusinessName(value);
        }
        m_plan.setPlanInfo(info);
        QDir().mkpath(m_plan.folder());
        QFile::copy(m_template, m_plan.fullPath());
        m_plan.Open();
    }

private:
    Plan &m_plan;
    QString m_template;
};

} // namespace

TEST(DataFile, CarriesAWizardsAnswersIntoANewPlan)
{
    QTemporaryDir dir;
    auto templ = PlanBuilder(MarketingPlan).chapter(QStringLiteral("Products")).section(QStringLiteral("Lines")).take();
    templ->setTemplate(true);
    templ->setFilePath(dir.filePath(QStringLiteral("default.~pl")));
    templ->Save();
    const QString answers = dir.filePath(QStringLiteral("answers.txt"));
    const QString document = dir.filePath(QStringLiteral("Acme.txt"));
    ASSERT_TRUE(writeBytes(answers, ("[PLAN]=Marketing\n[FIELD1.4]=" + document.toUtf8()
                                     + "\n[FIELD1.1]=retail\n\n[field1.5] = Acme Shop \n")));

    Plan plan;
    plan.Initialise(QStringLiteral("B"), QStringLiteral("M"));
    CreationHandler handler(plan, templ->fullPath());
    DataFile file;
    file.setFilePath(answers);
    file.setHandler(&handler);
    ASSERT_TRUE(file.Read());
    plan.Save();

    EXPECT_EQ(plan.fullPath(), dir.filePath(QStringLiteral("Acme.mpl")));
    EXPECT_EQ(plan.folder(), dir.filePath(QStringLiteral("AcmeM")));
    EXPECT_EQ(plan.planInfo().businessKind(), Retail);
    EXPECT_EQ(plan.planInfo().businessName(), QStringLiteral("Acme Shop"));
    EXPECT_EQ(plan.outline().chapters().item(1)->name(), QStringLiteral("Products"));
    Plan reopened;
    reopened.planInfo().setPlanType(MarketingPlan);
    reopened.setFilePath(plan.fullPath());
    ASSERT_TRUE(reopened.Open());
    EXPECT_EQ(reopened.planInfo().businessName(), QStringLiteral("Acme Shop"));
}
