#include "platform/Error.h"
#include "resources/ResText.h"

#include <gtest/gtest.h>

using qv::expandResEscapes;

TEST(ResText, BackslashRunsCollapseToOne)
{
    EXPECT_EQ(expandResEscapes(QStringLiteral("a\\\\\\\\b")), QStringLiteral("a\\b"));
}

TEST(ResText, StoredCarriageReturnStaysBareBesideTheEscape)
{
    EXPECT_EQ(expandResEscapes(QStringLiteral("one\rtwo\\rthree")), QStringLiteral("one\rtwo\r\nthree"));
}

TEST(ResText, AReplacementTrimsTheOuterBlanks)
{
    EXPECT_EQ(expandResEscapes(QStringLiteral("  a\\tb  ")), QStringLiteral("a\tb"));
    EXPECT_EQ(expandResEscapes(QStringLiteral("  a b  ")), QStringLiteral("  a b  "));
    EXPECT_EQ(expandResEscapes(QStringLiteral("say \\qhi\\q")), QStringLiteral("say \"hi\""));
}

TEST(ResText, LookupAddsAThousandAndMissingIdsRaise)
{
    EXPECT_EQ(qv::GetResText(302), QStringLiteral("Quorvex 8.0"));
    EXPECT_FALSE(qv::hasResText(-999));
    EXPECT_THROW(qv::GetResText(-999), qv::QvError);
}

TEST(ResText, TheFourBackslashEdgeCaseInsideASentence)
{
    EXPECT_EQ(expandResEscapes(QStringLiteral("C:\\\\\\\\Plans")), QStringLiteral("C:\\Plans"));
}

TEST(ResText, EveryIdTheProgramUsesIsInTheTable)
{
    // The captions, labels and messages the windows and messages ask for.
    const int used[] = {1004, 1005, 1006, 1007, 1008, 1009, 1010, 1011, 1012, 1016, 1017, 1018, 1020, 1021, 1022, 1025,
                        1027, 1028, 1032, 1034, 1036, 1037, 1038, 1039, 1041, 1042, 1043, 1044, 1053, 1054, 1055, 1056,
                        1057, 1058, 1059, 1060, 1061, 1062, 1063, 1064, 1071, 1072, 1073, 1074, 1075, 1076, 1078, 1080,
                        1081, 1082, 1083, 1084, 1085, 1086, 1087, 1088, 1089, 1090, 1091, 1092, 1093, 1097, 1099, 1100,
                        1101, 1102, 1103, 1104, 1131, 1133, 1301, 1302, 1303, 1304, 1311, 1312, 1313, 1314, 1315, 1316,
                        1317, 1318, 1319, 1320, 1321, 1322, 1323, 1324, 1325, 1326, 1327, 1328, 1329, 1330, 1335, 1336,
                        1337, 1338, 1339, 1340, 1341, 1342, 1343, 1344, 1352, 1353, 1355, 1356, 1357, 1358, 1359, 1360,
                        1362, 1363, 1364, 1365, 1366, 1367, 1374, 1376, 1379, 1380, 1383, 1384, 1385, 1386, 1387, 1388,
                        1389, 1390, 1391, 1392, 1393, 1394, 1395, 1396, 1397, 1398, 1399, 1403, 1404, 1406, 1407, 1408,
                        1410, 1411, 1412, 1413, 1414, 1415, 1416, 1418, 1423, 1424, 1425, 1426, 1427, 1428, 1429, 1430,
                        1431, 1432, 1433, 1434, 1435, 1436, 1437, 1438, 1439, 1440, 1441, 1442, 1443, 1444, 1445, 1449,
                        1451, 1453, 1454, 1455, 1456, 1462, 1463, 1464, 1465, 1471, 1473, 1602, 1603, 1604, 1605, 1607,
                        1608, 1609, 1610, 1611, 1612, 1613, 1615, 1616, 1622, 1623, 1624};
    for (int id : used) {
        EXPECT_TRUE(qv::hasResText(id - 1000)) << id;
        EXPECT_FALSE(qv::storedResText(id).trimmed().isEmpty()) << id;
    }
}

TEST(ResText, GapsStayGaps)
{
    for (int id : {1023, 1026, 1138, 1200, 1300})
        EXPECT_FALSE(qv::hasResText(id - 1000)) << id;
}

TEST(ResText, MonthsAndShortMonthsRunInOrder)
{
    EXPECT_EQ(qv::GetResText(312), QStringLiteral("January"));
    EXPECT_EQ(qv::GetResText(323), QStringLiteral("December"));
    EXPECT_EQ(qv::GetResText(311 + 9), QStringLiteral("September"));
    EXPECT_EQ(qv::GetResText(423), QStringLiteral("Jan"));
    EXPECT_EQ(qv::GetResText(422 + 12), QStringLiteral("Dec"));
    EXPECT_EQ(qv::GetResText(335), QStringLiteral("Service"));
    EXPECT_EQ(qv::GetResText(339), QStringLiteral("Custom"));
}

TEST(ResText, MessagesExpandTheirEscapes)
{
    EXPECT_EQ(qv::GetResText(604), QStringLiteral("By selecting \"OK\" your plan will be saved and processed for "
                                                  "compiling.\r\n\r\nWould you like to proceed?"));
    EXPECT_EQ(qv::GetResText(623), QStringLiteral("Your system does not have a default printer driver."));
    const QString unlock = qv::GetResText(602);
    EXPECT_TRUE(unlock.startsWith(QStringLiteral("The \"Unlock Cells\" function")));
    EXPECT_FALSE(unlock.contains(QStringLiteral("\\q")));
    EXPECT_TRUE(qv::GetResText(624).endsWith(QStringLiteral("\"restore.bat\".")));
    EXPECT_EQ(qv::GetResText(616).count(QStringLiteral("<FileName>")), 1);
}
