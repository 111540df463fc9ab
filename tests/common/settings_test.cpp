#include "common/settings.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace dn {
namespace {

using test::readFile;
using test::TempDir;
using test::writeFile;

TEST(Settings, MissingFileKeepsInitialValues) {
    TempDir dir;
    Settings s;
    readSettings(dir / "datanorm.ini", s);
    EXPECT_EQ(s.SourcePath, "a:");
    EXPECT_TRUE(s.TakeLongTexts);
    EXPECT_TRUE(s.ReplaceUnits);
}

TEST(Settings, OlderFiveLineFormLeavesTheLaterLines) {
    TempDir dir;
    writeFile(dir / "datanorm.ini", "c:\\daten\\\r\n0\r\n1\r\n1\r\n1\r\n");
    Settings s;
    s.CopyToLocalDisk = true;  // must stay: line 6 is not there
    readSettings(dir / "datanorm.ini", s);
    EXPECT_EQ(s.SourcePath, "c:\\daten\\");
    EXPECT_FALSE(s.TakeLongTexts);
    EXPECT_TRUE(s.TakeFactoryPrices);
    EXPECT_TRUE(s.TakeListPrice);
    EXPECT_TRUE(s.MultiSelectDialog);
    EXPECT_TRUE(s.CopyToLocalDisk);
    EXPECT_EQ(s.DeletedArticleMode, 0);
    EXPECT_TRUE(s.ReplaceUnits);
    EXPECT_FALSE(s.NetZeroUsesListPrice);
}

TEST(Settings, OnlyTheTextOneIsOnAndLineSevenIsClamped) {
    const struct {
        const char* line2;
        const char* line7;
        bool takeLongTexts;
        int mode;
    } cases[] = {{"1", "1", true, 1},
                 {" 1", "2", false, 0},
                 {"", "-1", false, 0},
                 {"ja", "0", false, 0},
                 {"1 ", "x", false, 0}};
    for (const auto& c : cases) {
        TempDir dir;
        writeFile(dir / "datanorm.ini", std::string("p\r\n") + c.line2 +
                                            "\r\n1\r\n0\r\n0\r\n0\r\n" + c.line7 +
                                            "\r\n1\r\n0\r\n");
        Settings s;
        readSettings(dir / "datanorm.ini", s);
        EXPECT_EQ(s.TakeLongTexts, c.takeLongTexts) << c.line2;
        EXPECT_EQ(s.DeletedArticleMode, c.mode) << c.line7;
    }
}

TEST(Settings, WritesNineLinesInCp850WithCrLf) {
    TempDir dir;
    Settings s;
    s.SourcePath = "/daten/größe/";
    s.DeletedArticleMode = 1;
    s.NetZeroUsesListPrice = true;
    writeSettings(dir / "datanorm.ini", s);
    EXPECT_EQ(readFile(dir / "datanorm.ini"),
              "/daten/gr\x94\xE1"
              "e/\r\n1\r\n1\r\n0\r\n0\r\n0\r\n1\r\n1\r\n1\r\n");
    Settings back;
    readSettings(dir / "datanorm.ini", back);
    EXPECT_EQ(back.SourcePath, s.SourcePath);
}

}  // namespace
}  // namespace dn
