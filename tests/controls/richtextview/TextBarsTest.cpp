#include "controls/richtextview/TextButtonBar.h"
#include "controls/richtextview/TextEditor.h"
#include "controls/richtextview/TextRuler.h"
#include "controls/richtextview/TextStatusBar.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QFontComboBox>
#include <QLabel>
#include <QTest>
#include <QTextBlock>
#include <QVBoxLayout>

using namespace qv::richtext;

namespace
{

// The editor with its bars, laid out as the word processor lays them out.
struct Bars : ::testing::Test {
    QWidget window;
    TextEditor *editor = new TextEditor;
    TextButtonBar *bar = new TextButtonBar;
    TextRuler *ruler = new TextRuler;
    TextStatusBar *status = new TextStatusBar;

    void SetUp() override
    {
        auto *layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->addWidget(bar);
        layout->addWidget(ruler);
        layout->addWidget(editor);
        layout->addWidget(status);
        bar->attach(editor);
        ruler->attach(editor);
        status->attach(editor);
        window.resize(900, 500);
        window.show();
        editor->loadRtf(
            "{\\rtf1{\\fonttbl{\\f0 Times New Roman;}}\\f0\\fs24 Plain \\b bold\\b0  text.\\par Second line.\\par}");
        editor->setFocus();
    }

    template <class T> T *child(const char *name) { return window.findChild<T *>(QLatin1String(name)); }

    QTextCharFormat formatAt(int position)
    {
        QTextCursor c(editor->document());
        c.setPosition(position + 1);
        return c.charFormat();
    }
};

} // namespace

TEST_F(Bars, EveryPartCarriesItsName)
{
    EXPECT_EQ(bar->objectName(), QStringLiteral("txBar"));
    EXPECT_EQ(ruler->objectName(), QStringLiteral("txRulerBar"));
    EXPECT_EQ(status->objectName(), QStringLiteral("txStatus"));
    for (const char *name : {"cmdBold", "cmdItalic", "cmdUnderline", "cmdAlignLeft", "cmdAlignCenter", "cmdAlignRight",
                             "cmdJustify", "cmdColor", "cmdBullets"})
        EXPECT_NE(child<QAction>(name), nullptr) << name;
    EXPECT_NE(child<QFontComboBox>("cboFont"), nullptr);
    EXPECT_NE(child<QComboBox>("cboSize"), nullptr);
}

TEST_F(Bars, TheButtonsFormatTheSelection)
{
    editor->setSelection(0, 5);
    child<QAction>("cmdItalic")->trigger();
    EXPECT_TRUE(formatAt(1).fontItalic());
    child<QAction>("cmdUnderline")->trigger();
    EXPECT_TRUE(formatAt(1).fontUnderline());
    child<QAction>("cmdBold")->trigger();
    EXPECT_EQ(formatAt(1).fontWeight(), QFont::Bold);
    EXPECT_FALSE(formatAt(7).fontItalic());

    auto *size = child<QComboBox>("cboSize");
    size->setEditText(QStringLiteral("18"));
    emit size->textActivated(QStringLiteral("18"));
    EXPECT_DOUBLE_EQ(formatAt(1).fontPointSize(), 18.0);
    emit size->textActivated(QStringLiteral("nonsense"));
    EXPECT_DOUBLE_EQ(formatAt(1).fontPointSize(), 18.0);

    auto *font = child<QFontComboBox>("cboFont");
    emit font->textActivated(QStringLiteral("Liberation Sans"));
    EXPECT_EQ(formatAt(1).font().family(), QStringLiteral("Liberation Sans"));

    child<QAction>("cmdAlignCenter")->trigger();
    EXPECT_EQ(editor->document()->firstBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    child<QAction>("cmdBullets")->trigger();
    EXPECT_TRUE(editor->isBulleted());
}

TEST_F(Bars, TheButtonsShowTheFormattingAtTheCursor)
{
    editor->setSelection(8, 0); // inside "bold"
    EXPECT_TRUE(child<QAction>("cmdBold")->isChecked());
    EXPECT_EQ(child<QComboBox>("cboSize")->currentText(), QStringLiteral("12"));
    editor->setSelection(2, 0);
    EXPECT_FALSE(child<QAction>("cmdBold")->isChecked());
    EXPECT_TRUE(child<QAction>("cmdAlignLeft")->isChecked());
}

TEST_F(Bars, ShortcutsWorkInTheEditor)
{
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    editor->setFocus();
    editor->setSelection(0, 5);
    QTest::keyClick(editor, Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(formatAt(1).fontWeight(), QFont::Bold);
}

TEST_F(Bars, TheStatusBarShowsPageLineColumnAndZoom)
{
    editor->setSelection(18, 0); // "Second line." starts at 17
    EXPECT_EQ(child<QLabel>("lblPage")->text(), QStringLiteral("Page 1 of 1"));
    EXPECT_EQ(child<QLabel>("lblLine")->text(), QStringLiteral("Line 2"));
    EXPECT_EQ(child<QLabel>("lblColumn")->text(), QStringLiteral("Col 2"));
    editor->setZoomFactor(75);
    EXPECT_EQ(child<QLabel>("lblZoom")->text(), QStringLiteral("75%"));
}

TEST_F(Bars, TheRulerSitsOverTheTextAndClicksSetTabStops)
{
    QCoreApplication::processEvents();
    // The ruler's zero is the text's left edge.
    const QPoint textLeft = editor->viewport()->mapTo(&window, QPoint(editor->textLeftInViewport(), 0));
    EXPECT_NEAR(ruler->mapTo(&window, QPoint(int(ruler->rulerX(0)), 0)).x(), textLeft.x(), 1);

    editor->setSelection(2, 0);
    const int oneInch = int(ruler->rulerX(96));
    QTest::mouseClick(ruler, Qt::LeftButton, {}, QPoint(oneInch, ruler->height() - 6));
    const QList<QTextOption::Tab> tabs = editor->document()->firstBlock().blockFormat().tabPositions();
    ASSERT_EQ(tabs.size(), 1);
    EXPECT_NEAR(tabs.first().position, 96.0, 0.01);
    EXPECT_EQ(tabs.first().type, QTextOption::LeftTab);
    // Only the paragraph at the cursor gets it.
    EXPECT_TRUE(editor->document()->lastBlock().blockFormat().tabPositions().isEmpty());

    // Dragged off the ruler, it goes away.
    QTest::mousePress(ruler, Qt::LeftButton, {}, QPoint(oneInch, ruler->height() - 6));
    QMouseEvent move(QEvent::MouseMove, QPointF(oneInch, ruler->height() + 60),
                     ruler->mapToGlobal(QPointF(oneInch, ruler->height() + 60)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(ruler, &move);
    QTest::mouseRelease(ruler, Qt::LeftButton, {}, QPoint(oneInch, ruler->height() + 60));
    EXPECT_TRUE(editor->document()->firstBlock().blockFormat().tabPositions().isEmpty());
}

TEST_F(Bars, DraggingTheIndentMarksIndentsTheParagraph)
{
    QCoreApplication::processEvents();
    editor->setSelection(2, 0);
    const auto drag = [this](QPoint from, QPoint to) {
        QTest::mousePress(ruler, Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, QPointF(to), ruler->mapToGlobal(QPointF(to)), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(ruler, &move);
        QTest::mouseRelease(ruler, Qt::LeftButton, {}, to);
    };
    const int bottom = ruler->height() - 6;
    // The left indent moves; the first line stays where it was.
    drag(QPoint(int(ruler->rulerX(0)), bottom), QPoint(int(ruler->rulerX(48)), bottom));
    QTextBlockFormat f = editor->document()->firstBlock().blockFormat();
    EXPECT_NEAR(f.leftMargin(), 48.0, 0.01);
    EXPECT_NEAR(f.leftMargin() + f.textIndent(), 0.0, 0.01);
    // The first-line mark moves the first line alone.
    drag(QPoint(int(ruler->rulerX(0)), 6), QPoint(int(ruler->rulerX(72)), 6));
    f = editor->document()->firstBlock().blockFormat();
    EXPECT_NEAR(f.leftMargin(), 48.0, 0.01);
    EXPECT_NEAR(f.textIndent(), 24.0, 0.01);
}
