// Tools > Calculator: the desktop entry that names a calculator, and the
// message that names a package when there is none.

#include "FakePlatform.h"
#include "support/Calculator.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace qv::support;
using qv::test::fakes;

namespace {

void writeEntry(const QString &folder, const QString &name, const QString &body)
{
    QDir().mkpath(folder);
    QFile file(QDir(folder).filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(body.toUtf8());
}

// "sh" stands in for a calculator program: it exists on every system.
QString entry(const QString &categories, const QString &more = QString())
{
    return QStringLiteral("[Desktop Entry]\nType=Application\nName=Calc\nExec=sh --calc %U\nCategories=%1\n%2")
        .arg(categories, more);
}

} // namespace

TEST(Calculator, FoundThroughItsDesktopEntry)
{
    QTemporaryDir apps;
    writeEntry(apps.path(), QStringLiteral("editor.desktop"), entry(QStringLiteral("Utility;TextEditor;")));
    EXPECT_TRUE(findCalculator({apps.path()}).isEmpty());
    writeEntry(apps.path() + QStringLiteral("/kde"), QStringLiteral("calc.desktop"), entry(QStringLiteral("Utility;Calculator;")));
    const DesktopCommand command = findCalculator({apps.path()});
    EXPECT_EQ(command.program, QStringLiteral("sh"));
    EXPECT_EQ(command.arguments, QStringList{QStringLiteral("--calc")}) << "the field code is dropped";
}

TEST(Calculator, EntriesHiddenOrWithoutTheirProgramArePassedOver)
{
    QTemporaryDir apps;
    writeEntry(apps.path(), QStringLiteral("a.desktop"), entry(QStringLiteral("Calculator;"), QStringLiteral("NoDisplay=true\n")));
    writeEntry(apps.path(), QStringLiteral("b.desktop"), entry(QStringLiteral("Calculator;"), QStringLiteral("Hidden=true\n")));
    writeEntry(apps.path(), QStringLiteral("c.desktop"),
               entry(QStringLiteral("Calculator;"), QStringLiteral("TryExec=/nonexistent/calculator\n")));
    writeEntry(apps.path(), QStringLiteral("d.desktop"),
               entry(QStringLiteral("Calculator;")).replace(QStringLiteral("Exec=sh"), QStringLiteral("Exec=no-such-calculator")));
    EXPECT_TRUE(findCalculator({apps.path()}).isEmpty());

    // The user's own entry of the same name hides the system's.
    QTemporaryDir user;
    writeEntry(user.path(), QStringLiteral("e.desktop"), entry(QStringLiteral("Calculator;"), QStringLiteral("Hidden=true\n")));
    writeEntry(apps.path(), QStringLiteral("e.desktop"), entry(QStringLiteral("Calculator;")));
    EXPECT_TRUE(findCalculator({user.path(), apps.path()}).isEmpty());
    EXPECT_FALSE(findCalculator({apps.path()}).isEmpty());
}

TEST(Calculator, WithoutOneTheMessageNamesAPackage)
{
    QTemporaryDir empty;
    const QByteArray dataDirs = qgetenv("XDG_DATA_DIRS");
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_DIRS", QFile::encodeName(empty.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(empty.path()));
    EXPECT_FALSE(StartCalculator(nullptr));
    EXPECT_TRUE(fakes().processes->started.isEmpty());
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_TRUE(fakes().messages->lastText().contains(QStringLiteral("gnome-calculator")));
    EXPECT_FALSE(fakes().messages->lastText().contains(QStringLiteral("File not found")));

    writeEntry(empty.path() + QStringLiteral("/applications"), QStringLiteral("calc.desktop"), entry(QStringLiteral("Calculator;")));
    EXPECT_TRUE(StartCalculator(nullptr));
    ASSERT_EQ(fakes().processes->started.size(), 1);
    EXPECT_EQ(fakes().processes->started[0].arguments, QStringList{QStringLiteral("--calc")});
    qputenv("XDG_DATA_DIRS", dataDirs);
    qputenv("XDG_DATA_HOME", dataHome);
}
