// What a new user meets first in the composer: Preferences from the File
// menu, Ctrl+S, the title naming the plan, a section of their own, and Main
// Menu back to the welcome menu.

#include "ComposerTestSupport.h"

#include "controls/richtextview/DisplayBox.h"
#include "shell/frmParent.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace qv;
using namespace qv::test;

TEST(ComposerFirstUse, PreferencesFromTheFileMenuShowsEveryCaptionAndItsLists)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    fakes().printers->fonts.clear(); // no printer reports its fonts
    QStringList seen;
    QTimer::singleShot(0, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog) {
            seen << QStringLiteral("no dialog");
            return;
        }
        seen << dialog->windowTitle();
        for (const char *name : {"cmdBrowse", "cmdHelp", "cmdCancel", "cmdOk"})
            seen << dialog->findChild<QPushButton *>(QLatin1String(name))->text();
        for (const char *name : {"chkNormal", "chkBlack", "chkRecent", "chkSave"})
            seen << dialog->findChild<QCheckBox *>(QLatin1String(name))->text();
        for (const char *name : {"lblFont", "lblSize", "lblDefaultFont", "lblDefaultBrowser", "lblMinutes"})
            seen << dialog->findChild<QLabel *>(QLatin1String(name))->text();
        seen << QString::number(dialog->findChild<QComboBox *>(QStringLiteral("cboFont"))->count());
        seen << QString::number(dialog->findChild<QComboBox *>(QStringLiteral("cboSize"))->count());
        dialog->close();
    });
    c.child<QAction>("mnuFile_5")->trigger();
    ASSERT_EQ(seen.size(), 16) << seen.join(u'|').toStdString();
    EXPECT_EQ(seen[0], QStringLiteral("Preferences ..."));
    EXPECT_TRUE(seen[1].startsWith(QStringLiteral("&Browse")));
    for (const QString &caption : seen)
        EXPECT_FALSE(caption.trimmed().isEmpty() || caption == QStringLiteral("0")) << seen.join(u'|').toStdString();
    EXPECT_EQ(seen[15], QStringLiteral("16")) << "the sizes 8 to 72";
}

TEST(ComposerFirstUse, TheTitleNamesThePlanAndCtrlSSaves)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    EXPECT_EQ(c.window->windowTitle(), QStringLiteral("Plan Composer - Acme"));
    QAction *save = c.child<QAction>("mnuFile_2");
    EXPECT_EQ(save->shortcut(), QKeySequence(QKeySequence::Save)) << "shown in the menu, and it works";
    c.window->show();
    QApplication::setActiveWindow(c.window.get());
    c.editor()->setFocus();
    c.type(QStringLiteral(" More words."));
    c.window->writeSectionText();
    ASSERT_TRUE(shell::currentPlan()->modified());
    QTest::keyClick(c.editor(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(shell::currentPlan()->modified()) << "Ctrl+S saved the plan";
}

TEST(ComposerFirstUse, AnAddedSectionIsNamedInPlaceAndHasGeneralInstructions)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    c.select(QStringLiteral("Plan.2.1"));
    c.child<QAction>("mnuOutline_4")->trigger();
    const auto *nameEditor = c.tree()->viewport()->findChild<QLineEdit *>();
    EXPECT_TRUE(nameEditor && nameEditor->isVisibleTo(c.tree())) << "the name is asked for at once";
    c.child<QRadioButton>("optHelper_0")->click();
    const QString shown = c.child<richtext::DisplayBox>("sbsIEWeb")->text();
    EXPECT_TRUE(shown.contains(QStringLiteral("section of your own"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("New Section")));
}

TEST(ComposerFirstUse, MainMenuReturnsToTheWelcomeMenu)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    c.window->show();
    c.child<QAction>("mnuFile_14")->trigger();
    ASSERT_NE(shell::frmParent::loaded(), nullptr);
    EXPECT_TRUE(shell::frmParent::loaded()->isVisible());
    EXPECT_FALSE(c.window->isVisible());
    shell::frmParent::Unload();
}
