#include "FakePlatform.h"

#include "platform/Error.h"
#include "support/gui/CWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTextEdit>
#include <QWidget>

using namespace qv;
using qv::support::CWindow;
using qv::test::fakes;

namespace
{

// A shown window with one line edit that has the focus.
struct EditWindow {
    QWidget window;
    QLineEdit *edit = new QLineEdit(&window);

    explicit EditWindow(const QString &text)
    {
        edit->setText(text);
        window.show();
        QApplication::setActiveWindow(&window);
        edit->setFocus();
        QApplication::processEvents();
    }
};

long errorNumberOf(void (*command)())
{
    try {
        command();
    } catch (const QvError &error) {
        EXPECT_EQ(error.source(), QStringLiteral("CApplication"));
        return error.number();
    }
    return 0;
}

} // namespace

TEST(CWindow, CopyPutsTheSelectionOnTheClipboard)
{
    EditWindow w(QStringLiteral("Quarterly revenue"));
    w.edit->setSelection(0, 9);
    CWindow::EditCopy();
    EXPECT_EQ(fakes().clipboard->text(), QStringLiteral("Quarterly"));
    EXPECT_EQ(fakes().clipboard->clears, 1);
    EXPECT_EQ(w.edit->text(), QStringLiteral("Quarterly revenue"));
}

TEST(CWindow, CutRemovesTheSelection)
{
    EditWindow w(QStringLiteral("Quarterly revenue"));
    w.edit->setSelection(9, 8);
    CWindow::EditCut();
    EXPECT_EQ(fakes().clipboard->text(), QStringLiteral(" revenue"));
    EXPECT_EQ(w.edit->text(), QStringLiteral("Quarterly"));
}

TEST(CWindow, CutWithAnEmptySelectionStillClearsTheClipboard)
{
    EditWindow w(QStringLiteral("abc"));
    fakes().clipboard->setText(QStringLiteral("old"));
    w.edit->deselect();
    CWindow::EditCut();
    EXPECT_EQ(fakes().clipboard->clears, 1);
    EXPECT_TRUE(fakes().clipboard->text().isEmpty());
    EXPECT_EQ(w.edit->text(), QStringLiteral("abc"));
}

TEST(CWindow, PasteReplacesTheSelection)
{
    EditWindow w(QStringLiteral("one two"));
    fakes().clipboard->setText(QStringLiteral("three"));
    w.edit->setSelection(4, 3);
    CWindow::EditPaste();
    EXPECT_EQ(w.edit->text(), QStringLiteral("one three"));
}

TEST(CWindow, ParagraphsOfATextEditCopyAsLineBreaks)
{
    QWidget window;
    auto *edit = new QTextEdit(&window);
    edit->setPlainText(QStringLiteral("first\nsecond"));
    window.show();
    QApplication::setActiveWindow(&window);
    edit->setFocus();
    edit->selectAll();
    CWindow::EditCopy();
    EXPECT_EQ(fakes().clipboard->text(), QStringLiteral("first\nsecond"));
}

TEST(CWindow, ClipboardFailuresRaiseTheirNumbers)
{
    EditWindow w(QStringLiteral("abc"));
    w.edit->selectAll();
    fakes().clipboard->failClear = true;
    EXPECT_EQ(errorNumberOf(&CWindow::EditCopy), CWindow::kClearFailed);
    EXPECT_EQ(errorNumberOf(&CWindow::EditCut), -2147220989);
    EXPECT_EQ(w.edit->text(), QStringLiteral("abc")); // a failed cut removes nothing

    fakes().clipboard->failClear = false;
    fakes().clipboard->failSet = true;
    EXPECT_EQ(errorNumberOf(&CWindow::EditCopy), -2147220988);
    EXPECT_EQ(errorNumberOf(&CWindow::EditCut), CWindow::kCopyFailed);
    EXPECT_EQ(w.edit->text(), QStringLiteral("abc"));
}

TEST(CWindow, PasteWithoutATextControlRaises)
{
    QWidget window;
    auto *label = new QLabel(QStringLiteral("x"), &window);
    label->setFocusPolicy(Qt::StrongFocus);
    window.show();
    QApplication::setActiveWindow(&window);
    label->setFocus();
    fakes().clipboard->setText(QStringLiteral("abc"));
    EXPECT_EQ(errorNumberOf(&CWindow::EditPaste), -2147220987);
    EXPECT_EQ(errorNumberOf(&CWindow::EditCopy), CWindow::kCopyFailed);
}

TEST(CWindow, CenterWithoutASecondWindowCentresOnTheScreen)
{
    QWidget window;
    window.resize(300, 200);
    window.show();
    CWindow::Center(&window);
    const QRect screen = window.screen()->geometry();
    EXPECT_NEAR(window.frameGeometry().center().x(), screen.center().x(), 1);
    EXPECT_NEAR(window.frameGeometry().center().y(), screen.center().y(), 1);
}

TEST(CWindow, CenterOverASecondWindow)
{
    QWidget owner;
    owner.setGeometry(100, 100, 600, 400);
    owner.show();
    QWidget window;
    window.resize(200, 100);
    window.show();
    CWindow::Center(&window, &owner);
    EXPECT_NEAR(window.frameGeometry().center().x(), owner.frameGeometry().center().x(), 1);
    EXPECT_NEAR(window.frameGeometry().center().y(), owner.frameGeometry().center().y(), 1);
}

TEST(CWindow, OnTopKeepsTheWindowWhereItIs)
{
    QWidget window;
    window.setGeometry(50, 60, 300, 200);
    window.show();
    CWindow::OnTop(&window, true);
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.geometry(), QRect(50, 60, 300, 200));
    CWindow::OnTop(&window, false);
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.isVisible());
}
