#include "controls/richtextview/SpellCheckDialog.h"
#include "controls/richtextview/TextEditor.h"

#include "controls/spell/SpellChecker.h"

#include "FakePlatform.h"
#include "platform/Folders.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextEdit>

using namespace qv::richtext;
using qv::spell::SpellChecker;

namespace
{
struct SpellDialog : ::testing::Test {
    SpellChecker checker;
    TextEditor editor;
    void SetUp() override
    {
        ASSERT_TRUE(checker.openMainDictionary()) << checker.errorString().toStdString();
        editor.resize(500, 300);
        editor.show();
    }
    static void click(QDialog &dialog, const char *name)
    {
        auto *button = dialog.findChild<QPushButton *>(QLatin1String(name));
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }
};
} // namespace

TEST_F(SpellDialog, ShowsTheWordInContextWithSuggestions)
{
    editor.loadPlainText(QStringLiteral("Our busness plan."));
    SpellCheckDialog dialog(&editor, checker);
    ASSERT_TRUE(dialog.start());
    dialog.show();
    EXPECT_EQ(dialog.objectName(), QStringLiteral("dlgSpelling"));
    EXPECT_EQ(dialog.currentWord(), QStringLiteral("busness"));
    EXPECT_EQ(dialog.findChild<QTextEdit *>(QStringLiteral("txtContext"))->toPlainText(),
              QStringLiteral("Our busness plan."));
    auto *list = dialog.findChild<QListWidget *>(QStringLiteral("lstSuggestions"));
    ASSERT_GE(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("business"));
    EXPECT_EQ(dialog.findChild<QLineEdit *>(QStringLiteral("txtChangeTo"))->text(), QStringLiteral("business"));
    // The word is selected in the editor, so the user sees where it is.
    EXPECT_EQ(editor.textCursor().selectedText(), QStringLiteral("busness"));
    for (const char *name : {"cmdIgnore", "cmdIgnoreAll", "cmdChange", "cmdChangeAll", "cmdAdd", "cmdCancel"})
        EXPECT_NE(dialog.findChild<QPushButton *>(QLatin1String(name)), nullptr) << name;
}

TEST_F(SpellDialog, ChangeChangeAllAndIgnoreWalkToTheEnd)
{
    editor.loadPlainText(QStringLiteral("Teh plan. Teh market. Zorbleq. Teh end."));
    SpellCheckDialog dialog(&editor, checker);
    QSignalSpy done(&dialog, &QDialog::finished);
    ASSERT_TRUE(dialog.start());
    dialog.show();
    auto *changeTo = dialog.findChild<QLineEdit *>(QStringLiteral("txtChangeTo"));
    changeTo->setText(QStringLiteral("The"));
    click(dialog, "cmdChange");
    EXPECT_EQ(dialog.currentWord(), QStringLiteral("Teh"));
    changeTo->setText(QStringLiteral("The"));
    click(dialog, "cmdChangeAll");
    EXPECT_EQ(dialog.currentWord(), QStringLiteral("Zorbleq"));
    click(dialog, "cmdIgnore");
    ASSERT_EQ(done.count(), 1);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("The plan. The market. Zorbleq. The end."));
}

TEST_F(SpellDialog, IgnoreAllAndAddSkipEveryLaterOccurrence)
{
    editor.loadPlainText(QStringLiteral("Flimbat one, Vantorix two, flimbat three, Vantorix four."));
    SpellCheckDialog dialog(&editor, checker);
    ASSERT_TRUE(dialog.start());
    dialog.show();
    click(dialog, "cmdIgnoreAll");
    EXPECT_EQ(dialog.currentWord(), QStringLiteral("Vantorix"));
    click(dialog, "cmdAdd");
    EXPECT_EQ(dialog.currentWord(), QStringLiteral("flimbat")); // another spelling
    click(dialog, "cmdIgnore");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    QFile dictionary(SpellChecker::userDictionaryPath());
    ASSERT_TRUE(dictionary.open(QIODevice::ReadOnly));
    EXPECT_EQ(dictionary.readAll(), QByteArray("Vantorix\n"));
}

TEST_F(SpellDialog, CancelStopsAndKeepsTheText)
{
    editor.loadPlainText(QStringLiteral("Wrng wrds."));
    SpellCheckDialog dialog(&editor, checker);
    ASSERT_TRUE(dialog.start());
    dialog.show();
    click(dialog, "cmdCancel");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("Wrng wrds."));
}

TEST_F(SpellDialog, ACleanTextIsCompleteWithoutTheDialog)
{
    editor.loadPlainText(QStringLiteral("A clean text."));
    SpellCheckDialog dialog(&editor, checker);
    EXPECT_FALSE(dialog.start());
    EXPECT_EQ(checkSpelling(&editor, checker), SpellCheckOutcome::Completed);
}

TEST_F(SpellDialog, WithoutADictionaryTheCheckSaysSo)
{
    QTemporaryDir empty;
    qv::platform::Folders::setSystemFolder(empty.path());
    SpellChecker none;
    EXPECT_FALSE(none.openMainDictionary());
    editor.loadPlainText(QStringLiteral("Wrng."));
    EXPECT_EQ(checkSpelling(&editor, none), SpellCheckOutcome::NoDictionary);
}

TEST_F(SpellDialog, TheEditorMarksMisspelledWordsWithoutReportingAChange)
{
    QSignalSpy changes(&editor, &TextEditor::changed);
    editor.loadPlainText(QStringLiteral("Some wrods here."));
    editor.setSpellChecker(&checker);
    QCoreApplication::processEvents();
    const auto formats = editor.document()->firstBlock().layout()->formats();
    ASSERT_EQ(formats.size(), 1);
    EXPECT_EQ(formats.first().start, 5);
    EXPECT_EQ(formats.first().format.underlineStyle(), QTextCharFormat::SpellCheckUnderline);
    editor.setMarkMisspelledWords(false);
    EXPECT_TRUE(editor.document()->firstBlock().layout()->formats().isEmpty());
    editor.setMarkMisspelledWords(true);
    QCoreApplication::processEvents();
    EXPECT_EQ(changes.count(), 0);
    EXPECT_FALSE(editor.document()->isModified());
    // A new text keeps being marked.
    editor.loadPlainText(QStringLiteral("Anothr one."));
    EXPECT_EQ(editor.document()->firstBlock().layout()->formats().size(), 1);
}
