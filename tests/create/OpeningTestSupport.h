#pragma once

// A laid-out install folder of the test's own, a registry that answers from
// a table, and a sample viewer that records what it was told.

#include "create/opening/RegistryLookup.h"
#include "create/opening/SampleViewer.h"
#include "platform/Folders.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace qv::test
{

inline void touchFile(const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write("x");
}

class TableRegistry final : public create::RegistryLookup
{
public:
    QString value(create::RegistryRoot, const QString &key, const QString &valueName) override
    {
        asked.append(key);
        return values.value(key + QLatin1Char('|') + valueName);
    }
    void set(const QString &key, const QString &valueName, const QString &value)
    {
        values.insert(key + QLatin1Char('|') + valueName, value);
    }
    QHash<QString, QString> values;
    QStringList asked;
};

struct ViewerRecord {
    QStringList calls;
};

class RecordingViewer final : public create::SampleViewer
{
public:
    explicit RecordingViewer(ViewerRecord *record) : m_record(record) {}
    void LoadPlan(const QString &path) override { m_record->calls.append(QStringLiteral("LoadPlan ") + path); }
    void setDoReturn(bool on) override { m_record->calls.append(QStringLiteral("DoReturn %1").arg(on)); }
    void setTypefield(const QString &name) override { m_record->calls.append(QStringLiteral("typefield ") + name); }
    void setSample(bool on) override { m_record->calls.append(QStringLiteral("Sample %1").arg(on)); }
    void Show() override { m_record->calls.append(QStringLiteral("Show")); }

private:
    ViewerRecord *m_record;
};

// Every test starts with an empty install folder, no registry entries and
// no viewer, and leaves none behind.
class OpeningTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        registry = std::make_shared<TableRegistry>();
        create::setRegistryLookup(registry);
        platform::Folders::setInstallFolder(install.path());
    }
    void TearDown() override
    {
        create::setRegistryLookup(nullptr);
        create::registerSampleViewer(create::kSampleViewerProgId, nullptr);
    }
    QString installed(const QString &relative) const { return QDir(install.path()).filePath(relative); }
    void installViewer()
    {
        create::registerSampleViewer(create::kSampleViewerProgId,
                                     [this] { return std::make_unique<RecordingViewer>(&viewer); });
    }
    void installWord97()
    {
        registry->set(QStringLiteral("SOFTWARE\\Microsoft\\Office\\8.0\\Word\\InstallRoot"), QStringLiteral("Path"),
                      QStringLiteral("C:\\Office\\"));
        touchFile(installed(QStringLiteral("Compile/BPLAN.DOC")));
    }

    QTemporaryDir install;
    std::shared_ptr<TableRegistry> registry;
    ViewerRecord viewer;
};

} // namespace qv::test
