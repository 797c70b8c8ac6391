#include "FakePlatform.h"

#include "platform/Settings.h"
#include "support/gui/HelpViewer.h"
#include "support/gui/ReversedScrollBar.h"
#include "support/gui/frmPreferences.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

using namespace qv;
using qv::platform::Settings;
using qv::support::frmPreferences;
using qv::support::ReversedScrollBar;
using qv::test::fakes;

namespace
{

struct Dialog {
    frmPreferences dialog;
    Dialog()
    {
        dialog.load();
        dialog.show();
    }
    template <typename T> T *find(const char *name)
    {
        T *widget = dialog.findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QString text(const char *label) { return find<QLabel>(label)->text(); }
    void click(const char *button) { QTest::mouseClick(find<QAbstractButton>(button), Qt::LeftButton); }
};

QString stored(const char *key)
{
    return Settings::get(QStringLiteral("Preferences"), QString::fromLatin1(key), QStringLiteral("<absent>"));
}

} // namespace

TEST(PreferencesDialog, HasEveryControlAndItsCaption)
{
    Dialog d;
    EXPECT_EQ(d.dialog.windowTitle(), QStringLiteral("Preferences ..."));
    EXPECT_EQ(d.find<QCheckBox>("chkSave")->text(), QStringLiteral("Automatic Save Every:"));
    EXPECT_EQ(d.find<QCheckBox>("chkRecent")->text(), QStringLiteral("Recently Used File List:"));
    EXPECT_EQ(d.text("lblMinutes"), QStringLiteral("Minutes"));
    EXPECT_EQ(d.text("lblEntries"), QStringLiteral("Entries"));
    EXPECT_EQ(d.text("lblFont"), QStringLiteral("Font:"));
    EXPECT_EQ(d.text("lblSize"), QStringLiteral("Size:"));
    EXPECT_EQ(d.find<QPushButton>("cmdHelp")->text(), QStringLiteral("&Help"));
    EXPECT_EQ(d.find<QPushButton>("cmdCancel")->text(), QStringLiteral("&Cancel"));
    EXPECT_TRUE(d.find<QPushButton>("cmdBrowse")->text().startsWith(QStringLiteral("&Browse")));
    for (const char *name : {"chkNormal", "chkBlack", "lblDefaultBrowser", "lblDefaultFont", "txtBrowse", "cboFont",
                             "cboSize", "vsMinutes", "vsRecent", "lblMins", "lblRecent", "cmdOk"})
        EXPECT_NE(d.dialog.findChild<QWidget *>(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_FALSE(d.find<QCheckBox>("chkNormal")->text().isEmpty());
    EXPECT_FALSE(d.text("lblDefaultBrowser").isEmpty());
    // At least its designed size, wider where the system's font needs it.
    EXPECT_GE(d.dialog.width(), 568);
    EXPECT_GE(d.dialog.height(), 360);
    EXPECT_TRUE(fakes().messages->shown.isEmpty());
}

TEST(PreferencesDialog, AnEmptyStoreShowsTheDefaults)
{
    Dialog d;
    EXPECT_TRUE(d.find<QCheckBox>("chkNormal")->isChecked());
    EXPECT_TRUE(d.find<QCheckBox>("chkBlack")->isChecked());
    EXPECT_FALSE(d.find<QCheckBox>("chkSave")->isChecked());
    EXPECT_FALSE(d.find<ReversedScrollBar>("vsMinutes")->isEnabled());
    EXPECT_FALSE(d.find<QLabel>("lblMinutes")->isEnabled());
    EXPECT_EQ(d.text("lblMins"), QStringLiteral("10"));
    EXPECT_TRUE(d.find<QCheckBox>("chkRecent")->isChecked());
    EXPECT_TRUE(d.find<ReversedScrollBar>("vsRecent")->isEnabled());
    EXPECT_EQ(d.text("lblRecent"), QStringLiteral("4"));
    EXPECT_EQ(d.find<QComboBox>("cboFont")->currentText(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(d.find<QComboBox>("cboSize")->currentText(), QStringLiteral("11"));
    EXPECT_TRUE(d.find<QLineEdit>("txtBrowse")->text().isEmpty());
}

TEST(PreferencesDialog, ScrollBarsRunOneToThirtyAndOneToFourWithUpRaising)
{
    Dialog d;
    auto *minutes = d.find<ReversedScrollBar>("vsMinutes");
    auto *recent = d.find<ReversedScrollBar>("vsRecent");
    EXPECT_EQ(minutes->lowest(), 1);
    EXPECT_EQ(minutes->highest(), 30);
    EXPECT_EQ(recent->lowest(), 1);
    EXPECT_EQ(recent->highest(), 4);

    minutes->stepUp();
    EXPECT_EQ(minutes->number(), 11);
    EXPECT_EQ(d.text("lblMins"), QStringLiteral("11"));
    minutes->stepDown();
    minutes->stepDown();
    EXPECT_EQ(d.text("lblMins"), QStringLiteral("9"));
    minutes->setNumber(30);
    minutes->stepUp();
    EXPECT_EQ(minutes->number(), 30);

    recent->stepUp();
    EXPECT_EQ(recent->number(), 4); // already at the top
    recent->stepDown();
    EXPECT_EQ(d.text("lblRecent"), QStringLiteral("3"));
}

TEST(PreferencesDialog, TheUpArrowOfTheScrollBarRaisesTheNumber)
{
    Dialog d;
    auto *minutes = d.find<ReversedScrollBar>("vsMinutes");
    d.find<QCheckBox>("chkSave")->setChecked(true);
    ASSERT_TRUE(minutes->isEnabled());
    const QRect up = minutes->upArrowRect();
    ASSERT_TRUE(up.isValid()) << minutes->height();
    EXPECT_LT(up.center().y(), minutes->height() / 2); // the arrow at the top
    QTest::mouseClick(minutes, Qt::LeftButton, {}, up.center());
    EXPECT_EQ(minutes->number(), 11);
}

TEST(PreferencesDialog, FontsAreOfferedOnceIgnoringCase)
{
    fakes().printers->fonts = {QStringLiteral("Arial"), QStringLiteral("Times New Roman"), QStringLiteral("ARIAL"),
                               QStringLiteral("Courier New")};
    Dialog d;
    auto *fonts = d.find<QComboBox>("cboFont");
    QStringList items;
    for (int i = 0; i < fonts->count(); ++i)
        items << fonts->itemText(i);
    EXPECT_EQ(items,
              (QStringList{QStringLiteral("Arial"), QStringLiteral("Times New Roman"), QStringLiteral("Courier New")}));
}

TEST(PreferencesDialog, TheSizesListInOrder)
{
    Dialog d;
    auto *sizes = d.find<QComboBox>("cboSize");
    QStringList items;
    for (int i = 0; i < sizes->count(); ++i)
        items << sizes->itemText(i);
    EXPECT_EQ(items.join(QLatin1Char(' ')), QStringLiteral("8 9 10 11 12 14 16 18 20 22 24 26 28 36 48 72"));
}

TEST(PreferencesDialog, StoredValuesAreShown)
{
    Settings::save(QStringLiteral("Preferences"), QStringLiteral("AutoSave"), QStringLiteral("-1"));
    Settings::save(QStringLiteral("Preferences"), QStringLiteral("Minutes"), QStringLiteral("25"));
    Settings::save(QStringLiteral("Preferences"), QStringLiteral("Recent Files"), QStringLiteral("0"));
    Settings::save(QStringLiteral("Preferences"), QStringLiteral("Recent Count"), QStringLiteral("2"));
    Settings::save(QStringLiteral("Preferences"), QStringLiteral("Font"), QStringLiteral("Old Face"));
    Settings::save(QStringLiteral("Preferences"), QStringLiteral("Font Size"), QStringLiteral("5"));
    Settings::save(QStringLiteral("Preferences"), QStringLiteral("Browser"), QStringLiteral("/opt/web"));
    Dialog d;
    EXPECT_TRUE(d.find<ReversedScrollBar>("vsMinutes")->isEnabled());
    EXPECT_EQ(d.text("lblMins"), QStringLiteral("25"));
    EXPECT_FALSE(d.find<ReversedScrollBar>("vsRecent")->isEnabled());
    EXPECT_FALSE(d.find<QLabel>("lblEntries")->isEnabled());
    EXPECT_EQ(d.text("lblRecent"), QStringLiteral("2"));
    EXPECT_EQ(d.find<QComboBox>("cboFont")->currentText(), QStringLiteral("Old Face")); // shown as stored
    EXPECT_EQ(d.find<QComboBox>("cboSize")->currentText(), QStringLiteral("11"));
    EXPECT_EQ(d.find<QLineEdit>("txtBrowse")->text(), QStringLiteral("/opt/web"));
    EXPECT_EQ(d.find<QLineEdit>("txtBrowse")->toolTip(), QStringLiteral("/opt/web"));
}

TEST(PreferencesDialog, OkWritesAllNineKeys)
{
    Dialog d;
    d.find<QCheckBox>("chkBlack")->setChecked(false);
    d.find<QComboBox>("cboFont")->setCurrentText(QStringLiteral("Arial"));
    d.find<QComboBox>("cboSize")->setCurrentText(QStringLiteral("14"));
    d.click("cmdOk");
    EXPECT_EQ(d.dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Settings::keys(Settings::appName(), QStringLiteral("Preferences")).size(), 9);
    EXPECT_EQ(stored("Print Normal"), QStringLiteral("-1"));
    EXPECT_EQ(stored("Print Color"), QStringLiteral("0"));
    EXPECT_EQ(stored("Font"), QStringLiteral("Arial"));
    EXPECT_EQ(stored("Font Size"), QStringLiteral("14"));
    EXPECT_EQ(stored("AutoSave"), QStringLiteral("0"));
    EXPECT_EQ(stored("Minutes"), QStringLiteral("10"));
    EXPECT_EQ(stored("Browser"), QString());
    EXPECT_EQ(stored("Recent Files"), QStringLiteral("-1"));
    EXPECT_EQ(stored("Recent Count"), QStringLiteral("4"));
}

TEST(PreferencesDialog, UncheckingAutoSaveStillWritesMinutes)
{
    Settings::save(QStringLiteral("Preferences"), QStringLiteral("AutoSave"), QStringLiteral("-1"));
    Dialog d;
    d.find<ReversedScrollBar>("vsMinutes")->setNumber(20);
    d.find<QCheckBox>("chkSave")->setChecked(false);
    EXPECT_FALSE(d.find<ReversedScrollBar>("vsMinutes")->isEnabled());
    d.click("cmdOk");
    EXPECT_EQ(stored("AutoSave"), QStringLiteral("0"));
    EXPECT_EQ(stored("Minutes"), QStringLiteral("20"));
    EXPECT_EQ(frmPreferences::getAutoSaveTime(), 20);
    EXPECT_FALSE(frmPreferences::IsAutoSave());
}

TEST(PreferencesDialog, CancelWritesNothing)
{
    Dialog d;
    d.find<QCheckBox>("chkNormal")->setChecked(false);
    d.click("cmdCancel");
    EXPECT_EQ(d.dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(Settings::keys(Settings::appName(), QStringLiteral("Preferences")).isEmpty());
}

TEST(PreferencesDialog, BrowseSetsTheBrowserAndItsTip)
{
    Dialog d;
    fakes().dialogs->setNextFileName(QStringLiteral("/usr/bin/firefox-esr"));
    d.click("cmdBrowse");
    ASSERT_EQ(fakes().dialogs->requests.size(), 1);
    EXPECT_EQ(d.find<QLineEdit>("txtBrowse")->text(), QStringLiteral("/usr/bin/firefox-esr"));
    EXPECT_EQ(d.find<QLineEdit>("txtBrowse")->toolTip(), QStringLiteral("/usr/bin/firefox-esr"));

    fakes().dialogs->setNextFileName(std::nullopt); // cancelled
    d.click("cmdBrowse");
    EXPECT_EQ(d.find<QLineEdit>("txtBrowse")->text(), QStringLiteral("/usr/bin/firefox-esr"));
    d.click("cmdOk");
    EXPECT_EQ(stored("Browser"), QStringLiteral("/usr/bin/firefox-esr"));
}

TEST(PreferencesDialog, HelpOpensTheMainHelpPage)
{
    Dialog d;
    d.click("cmdHelp");
    auto *viewer = support::HelpViewer::instance();
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_TRUE(viewer->browser()->source().toLocalFile().endsWith(QStringLiteral("Help/BPlan8.html")));
    EXPECT_EQ(viewer->browser()->source().fragment(), QStringLiteral("preferences"));
    viewer->close();
}

TEST(PreferencesDialog, GettersNeedNoWindow)
{
    EXPECT_EQ(frmPreferences::getPreferenceFont(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(frmPreferences::getPreferenceFontSize(), 11);
    EXPECT_EQ(frmPreferences::getRecentFilesCount(), 4);
    EXPECT_TRUE(frmPreferences::showRecentFileList());
    EXPECT_TRUE(frmPreferences::IsPreferencePrintBlack());
    EXPECT_TRUE(frmPreferences::IsPreferencePrintNormal());
    EXPECT_TRUE(frmPreferences::getPreferenceBrowser().isEmpty());
}
