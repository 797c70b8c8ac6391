#include "FakePlatform.h"
#include "TestFiles.h"

#include "create/opening/RegistryLookup.h"
#include "platform/Error.h"
#include "platform/Folders.h"
#include "support/registry/CRegistry.h"
#include "support/registry/RegistryFile.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using namespace qv::support;
using namespace qv::support::modRegistry;
using qv::test::fakes;
using qv::test::readFile;
using qv::test::writeTestFile;

namespace {

class Registry : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(system.isValid());
        qv::platform::Folders::setSystemFolder(system.path());
    }
    QString machineFile() const { return storeFile(HKEY_LOCAL_MACHINE); }
    QString userFile() const { return storeFile(HKEY_CURRENT_USER); }
    void machineStore(const QByteArray &text) { writeTestFile(machineFile(), "Quorvex Registry 1\n" + text); }

    QTemporaryDir system;
};

template <class F>
qv::QvError raised(F &&call)
{
    try {
        call();
    } catch (const qv::QvError &error) {
        return error;
    }
    return qv::QvError(0, QString(), QStringLiteral("nothing raised"));
}

} // namespace

TEST_F(Registry, AMissingUserKeyIsCreatedEmptyByDefault)
{
    CRegistry reg;
    EXPECT_EQ(reg.Root(), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(reg.Access(), 0x2001Fu);
    EXPECT_TRUE(reg.AutoCreate());
    reg.setRoot(HKEY_CURRENT_USER);
    reg.setKey(QStringLiteral("Software\\Corvane\\Test"));
    EXPECT_EQ(reg.GetValue(QStringLiteral("anything")), QString());
    EXPECT_EQ(reg.ValueCount(), 0);
    EXPECT_TRUE(readFile(userFile()).contains("[Software\\Corvane\\Test]"));
    EXPECT_TRUE(fakes().messages->shown.isEmpty());
}

TEST_F(Registry, AReadNeverCreatesAMachineKeyNorShowsAMessage)
{
    machineStore("[Software\\Corvane]\n\"Path\"=\"/opt/q/\"\n");
    const QByteArray before = readFile(machineFile());
    CRegistry reg;
    reg.setKey(QStringLiteral("Software\\Microsoft\\Office\\8.0\\Excel\\Viewer"));
    EXPECT_EQ(reg.GetValue(QStringLiteral("InstalledTo")), QString());
    reg.setAutoCreate(false);
    reg.setKey(QStringLiteral("Software\\Nowhere"));
    EXPECT_EQ(reg.ValueCount(), 0);
    EXPECT_EQ(readFile(machineFile()), before);
    EXPECT_TRUE(fakes().messages->shown.isEmpty());
    EXPECT_EQ(readRegistryValue(HKEY_LOCAL_MACHINE, QStringLiteral("software\\CORVANE"), QStringLiteral("path")),
              QStringLiteral("/opt/q/"));
}

TEST_F(Registry, ValuesReadAsTextByType)
{
    machineStore("[Software\\T]\n@=\"unnamed\"\n\"Count\"=dword:ffffffff\n\"Big\"=dword-be:00000102\n"
                 "\"Bin\"=hex:01,02\n\"Multi\"=multi:\"a\\0b\\0\\0\"\n\"Exp\"=expand:\"%QV_REG_TEST%/x\\0junk\"\n");
    qputenv("QV_REG_TEST", "/home/ann");
    CRegistry reg;
    reg.setKey(QStringLiteral("Software\\T"));
    ASSERT_EQ(reg.ValueCount(), 6);
    EXPECT_EQ(reg.GetName(1), QStringLiteral("<DEFAULT>"));
    EXPECT_EQ(reg.GetValue(QStringLiteral("<DEFAULT>")), QStringLiteral("unnamed"));
    EXPECT_EQ(reg.GetValue(QStringLiteral("count")), QStringLiteral("-1"));
    EXPECT_EQ(reg.GetValue(QStringLiteral("Big")), QString());
    EXPECT_EQ(reg.GetDataNumber(3), 0x102);
    EXPECT_EQ(reg.GetValue(QStringLiteral("Bin")), QString());
    EXPECT_FALSE(reg.GetDataVariant(4).isValid());
    EXPECT_EQ(reg.GetMultiString(5), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_EQ(reg.values().item(QStringLiteral("Multi"))->GetMultiStringCount(), 2);
    EXPECT_EQ(reg.GetExpandedString(6), QStringLiteral("/home/ann/x"));
    EXPECT_EQ(reg.GetValue(2), QStringLiteral("-1"));
    EXPECT_EQ(reg.GetValue(QStringLiteral("missing")), QString());
    EXPECT_EQ(reg.subKeyNames(), QStringList());
}

TEST_F(Registry, SetValueChoosesTheTypeFromTheValue)
{
    CRegistry reg;
    reg.setRoot(HKEY_CURRENT_USER);
    reg.setKey(QStringLiteral("Software\\Corvane\\Types"));
    EXPECT_TRUE(reg.SetValue(QStringLiteral("Plain"), QStringLiteral("text")));
    EXPECT_TRUE(reg.SetValue(QStringLiteral("Home"), QStringLiteral("%HOME%/plans")));
    EXPECT_TRUE(reg.SetValue(QStringLiteral("List"), QString(QStringLiteral("one") + QChar(0) + QStringLiteral("two"))));
    EXPECT_TRUE(reg.SetValue(QStringLiteral("Number"), 42));
    EXPECT_TRUE(reg.SetValue(QStringLiteral("Binary"), QByteArray("\x01\x02", 2), qint16(3)));
    EXPECT_FALSE(reg.SetValue(QStringLiteral("Bytes"), QByteArray("ab")));
    EXPECT_EQ(fakes().messages->lastText(), QStringLiteral("Byute Array"));
    ASSERT_EQ(reg.ValueCount(), 5);
    EXPECT_EQ(reg.GetDataType(1), 1);
    EXPECT_EQ(reg.GetDataType(2), 2);
    EXPECT_EQ(reg.GetDataType(3), 7);
    EXPECT_EQ(reg.GetDataType(4), 4);
    EXPECT_EQ(reg.GetDataType(5), 3);
    EXPECT_EQ(reg.GetValue(QStringLiteral("Number")), QStringLiteral("42"));
    EXPECT_TRUE(reg.SetValue(1, QStringLiteral("changed")));
    EXPECT_EQ(reg.GetValue(QStringLiteral("Plain")), QStringLiteral("changed"));

    CRegistry again; // read back from the file
    again.setRoot(HKEY_CURRENT_USER);
    again.setKey(QStringLiteral("Software\\Corvane\\Types"));
    EXPECT_EQ(again.GetValue(QStringLiteral("List")), QString(QStringLiteral("one") + QChar(0) + QStringLiteral("two")));
    EXPECT_TRUE(again.DeleteValue(QStringLiteral("list")));
    EXPECT_FALSE(again.DeleteValue(QStringLiteral("list")));
    EXPECT_EQ(again.ValueCount(), 4);
}

TEST_F(Registry, ErrorsCarryTheirNumbersSourcesAndTexts)
{
    CRegistry reg;
    qv::QvError error = raised([&] { reg.setValueCount(3); });
    EXPECT_EQ(error.number(), -2147220985);
    EXPECT_EQ(error.source(), QStringLiteral("CRegistry.Let ValueCount"));
    EXPECT_EQ(error.description(), QStringLiteral("The Let Property is not available"));

    error = raised([&] { reg.values().item(1); });
    EXPECT_EQ(error.number(), 1200);
    EXPECT_EQ(error.source(), QStringLiteral("Registry Collection"));
    EXPECT_EQ(error.description(), QStringLiteral("Invalid Index"));
    error = raised([&] { reg.values().item(QStringLiteral("x")); });
    EXPECT_EQ(error.description(), QStringLiteral("Name not Found in Current Key"));

    machineStore("[K]\n\"S\"=\"x\"\n");
    reg.setKey(QStringLiteral("K"));
    error = raised([&] { reg.GetMultiString(1); });
    EXPECT_EQ(error.number(), -2147220983);
    EXPECT_EQ(error.source(), QStringLiteral("CRegistry"));
    EXPECT_EQ(error.description(), QStringLiteral("The value you tried to retrive was nit a MultiSrting type"));
}

TEST_F(Registry, DeleteKeyRemovesNestedSubkeysDeepestFirst)
{
    CRegistry reg;
    reg.setRoot(HKEY_CURRENT_USER);
    reg.setKey(QStringLiteral("Software"));
    ASSERT_TRUE(reg.Create(QStringLiteral("Top\\Middle\\Deep"), QStringLiteral("v"), QStringLiteral("1")));
    reg.setKey(QStringLiteral("Software\\Top"));
    ASSERT_TRUE(reg.Create(QStringLiteral("Other")));
    reg.setKey(QStringLiteral("Software"));
    EXPECT_EQ(reg.subKeyNames(), QStringList{QStringLiteral("Top")});
    EXPECT_TRUE(reg.DeleteKey(QStringLiteral("Top")));
    reg.setKey(QStringLiteral("Software"));
    EXPECT_TRUE(reg.subKeyNames().isEmpty());
    EXPECT_FALSE(reg.DeleteKey(QStringLiteral("Top")));
}

TEST_F(Registry, AWriteThatFailsShowsThePartsMessages)
{
    // The machine store's folder is a file: nothing can be written there.
    writeTestFile(system.filePath(QStringLiteral("blocked")));
    qv::platform::Folders::setSystemFolder(system.filePath(QStringLiteral("blocked/System")));
    CRegistry reg;
    reg.setKey(QStringLiteral("Software"));
    EXPECT_TRUE(fakes().messages->shown.isEmpty());
    EXPECT_FALSE(reg.Create(QStringLiteral("New")));
    EXPECT_EQ(fakes().messages->lastText(), QStringLiteral("Unknown error"));
}

TEST_F(Registry, ADamagedStoreIsReportedOnceAndKeptWhenRewritten)
{
    machineStore("[Good]\n\"A\"=\"1\"\n\"B\"=dword:zz\nnonsense\n");
    CRegistry reg;
    reg.setKey(QStringLiteral("Good"));
    EXPECT_EQ(reg.GetValue(QStringLiteral("A")), QStringLiteral("1"));
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_TRUE(fakes().messages->lastText().contains(QStringLiteral("line 4")));
    reg.setKey(QStringLiteral("Good"));
    EXPECT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_FALSE(storeProblem(HKEY_LOCAL_MACHINE).isEmpty());

    EXPECT_TRUE(reg.SetValue(QStringLiteral("C"), QStringLiteral("3")));
    EXPECT_TRUE(readFile(machineFile() + QStringLiteral(".damaged")).contains("nonsense"));
    EXPECT_TRUE(storeProblem(HKEY_LOCAL_MACHINE).isEmpty());
    EXPECT_EQ(reg.ValueCount(), 2);
}

TEST_F(Registry, AStoreThatIsNotARegistryFileReadsAsEmpty)
{
    writeTestFile(machineFile(), QByteArray("\xff\xfe\x00garbage[", 11));
    EXPECT_EQ(readRegistryValue(HKEY_LOCAL_MACHINE, QStringLiteral("Software"), QStringLiteral("x")), QString());
    EXPECT_EQ(fakes().messages->shown.size(), 1);
}

TEST(RegistryFile, EveryTypeAndEscapeSurvivesARoundTrip)
{
    using namespace qv::support::registry;
    RegKey root;
    RegKey *key = root.addSubkey(QStringLiteral("A b"))->addSubkey(QStringLiteral("C]"));
    key->setValue(QString(), RegData{REG_SZ, QStringLiteral("q\"uote\\ tab\t nl\n é"), 0, {}});
    key->setValue(QStringLiteral("n\"ame"), RegData{REG_EXPAND_SZ, QStringLiteral("%X%"), 0, {}});
    key->setValue(QStringLiteral("m"), RegData{REG_MULTI_SZ, QStringLiteral("a") + QChar(0), 0, {}});
    key->setValue(QStringLiteral("d"), RegData{REG_DWORD, {}, 0xDEADBEEF, {}});
    key->setValue(QStringLiteral("e"), RegData{REG_DWORD_BIG_ENDIAN, {}, 7, {}});
    key->setValue(QStringLiteral("b"), RegData{REG_BINARY, {}, 0, QByteArray("\x00\xff", 2)});
    key->setValue(QStringLiteral("o"), RegData{11, {}, 0, QByteArray("\x10", 1)});
    root.addSubkey(QStringLiteral("Empty"));
    const ParsedStore parsed = parseStore(formatStore(root));
    EXPECT_TRUE(parsed.problems.isEmpty()) << parsed.problems.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(formatStore(parsed.root), formatStore(root));
    ASSERT_NE(parsed.root.subkey(QStringLiteral("empty")), nullptr);
    RegKey *back = parsed.root.subkey(QStringLiteral("a B"))->subkey(QStringLiteral("c]"));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->values.size(), 7u);
    EXPECT_EQ(back->value(QStringLiteral("O"))->data.type, 11u);
}

TEST_F(Registry, TheOpeningAreaLooksProgramsUpThroughTheClasses)
{
    machineStore("[SOFTWARE\\Microsoft\\Office\\9.0\\Word\\InstallRoot]\n\"Path\"=\"/opt/word/\"\n");
    qv::create::setRegistryLookup(nullptr);
    EXPECT_EQ(qv::create::registryLookup().value(qv::create::RegistryRoot::LocalMachine,
                                                 QStringLiteral("SOFTWARE\\Microsoft\\Office\\9.0\\Word\\InstallRoot"),
                                                 QStringLiteral("Path")),
              QStringLiteral("/opt/word/"));
    EXPECT_EQ(qv::create::registryLookup().value(qv::create::RegistryRoot::CurrentUser, QStringLiteral("Software\\X"),
                                                 QStringLiteral("Path")),
              QString());
    EXPECT_FALSE(QFile::exists(userFile()));
}
