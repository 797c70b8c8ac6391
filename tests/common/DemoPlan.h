#pragma once

// The demonstration plan of data/demo made from the generated template
// library, for tests that need a whole plan with linked tables. Link
// qv_create_core to use it.

#include "create/creation/CreationProgress.h"
#include "create/creation/PlanCreation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

namespace qv::test {

class DemoPlan
{
public:
    // Makes the plan of the answer file (data/demo/<name>); documentPath()
    // is empty when the library is not generated or creation failed.
    explicit DemoPlan(const QString &name = QStringLiteral("Retail-New.qa"))
    {
        if (!QFileInfo(QStringLiteral(QV_INSTALL_DIR "/Data/ENG")).isDir())
            return;
        QFile demo(QStringLiteral(QV_TEST_DATA_DIR "/../../data/demo/") + name);
        if (!demo.open(QIODevice::ReadOnly))
            return;
        QByteArray text = demo.readAll();
        text.replace("@MYPLANS@", QDir(m_dir.path()).absolutePath().toUtf8());
        const QString answers = m_dir.filePath(QStringLiteral("answers.qa"));
        QFile copy(answers);
        if (!copy.open(QIODevice::WriteOnly) || copy.write(text) != text.size())
            return;
        copy.close();
        create::SilentProgress progress;
        create::PlanCreation creation(progress);
        const auto result = creation.createPlanFromQA(answers);
        if (result.planMade())
            m_document = result.documentPath;
    }

    const QString &documentPath() const { return m_document; }
    bool made() const { return !m_document.isEmpty(); }
    // The plan folder: the document's path less ".bpl", with the type's letter.
    QString folder() const { return m_document.left(m_document.size() - 4) + m_document.right(3).left(1).toUpper(); }

private:
    QTemporaryDir m_dir;
    QString m_document;
};

} // namespace qv::test
