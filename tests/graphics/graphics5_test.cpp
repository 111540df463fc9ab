#include "features/graphics/graphics5.h"

#include <gtest/gtest.h>

#include "support/maintenance5_fixture.h"

namespace dn {
namespace {
namespace fs = std::filesystem;

class Graphics5Test : public test::Maintenance5Test {
  protected:
    fs::path pictures(const std::string& folder) const { return masterDir() / "bilder" / folder; }

    // An article of the prefix with a graphics binding of these lines.
    void boundArticle(const std::string& key, const std::vector<std::string>& binding) {
        ArticleRecord a;
        a.key = key;
        a.graphickey = key + "G";
        store().writeArticle(a);
        store().writeLongText({a.graphickey, "3", binding});
    }

    // A binding line: kind (2), kind (2), file name (12), text.
    static std::string binding(const std::string& kind, const std::string& file,
                               const std::string& text) {
        auto pad = [](std::string s, std::size_t n) { return s + std::string(n - s.size(), ' '); };
        return pad("01", 2) + pad(kind, 2) + pad(file, 12) + text;
    }
};

TEST(SupplierPictureFolder, FromThePrefix) {
    const std::pair<const char*, const char*> cases[] = {
        {"5-", "05"}, {"12-", "12"}, {"99-", "99"}, {"K-", "0K"}, {" 7-", "07"},
    };
    for (const auto& [prefix, folder] : cases)
        EXPECT_EQ(SupplierPictureFolder(prefix), folder) << prefix;
}

TEST_F(Graphics5Test, CopyReplacesReadOnlyTargetsAndBuildsTheIndex) {
    test::writeFile(source() / "rohr.jpg", "neu-jpg");
    test::writeFile(source() / "PLAN.BMP", "neu-bmp");
    test::writeFile(source() / "notiz.txt", "kein Bild");
    fs::create_directories(pictures("01"));
    test::writeFile(pictures("01") / "rohr.jpg", "alt");
    fs::permissions(pictures("01") / "rohr.jpg", fs::perms::owner_read | fs::perms::group_read);
    boundArticle("1-4711",
                 {binding("02", "ROHR.JPG", "Rohrbild"), binding("03", "fehlt.jpg", "Fehlt")});
    host.answers = {true};

    EXPECT_EQ(CopyGraphics5(*session), CommandOutcome::Done);
    EXPECT_EQ(test::readFile(pictures("01") / "rohr.jpg"), "neu-jpg");
    EXPECT_EQ(test::readFile(pictures("01") / "PLAN.BMP"), "neu-bmp");
    EXPECT_FALSE(fs::exists(pictures("01") / "notiz.txt"));
    EXPECT_TRUE(said("2 Grafiken kopiert!"));
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0],
              "Wollen Sie einen Index für die Grafiken des aktuellen Lieferanten anlegen, damit "
              "Sie die Grafiken in "
              "Reports und Auswertungen verwenden können?");
    // The bmp pattern comes before jpg; the article key shows in the window.
    const std::vector<std::string> shown{"PLAN.BMP", "rohr.jpg", "1-4711"};
    EXPECT_EQ(host.output, shown);

    // The missing file adds no entry.
    const auto index = store().readGraphicsIndex("1-");
    ASSERT_EQ(index.size(), 1u);
    EXPECT_EQ(index[0].articleKey, "1-4711");
    EXPECT_EQ(index[0].pictureKind, "02");
    EXPECT_EQ(index[0].fileName, (pictures("01") / "rohr.jpg").string());
    EXPECT_EQ(index[0].text, "Rohrbild");
}

TEST_F(Graphics5Test, AFileThatCannotBeCopiedIsReportedAndTheTargetKept) {
    test::writeFile(source() / "gut.jpg", "gut");
    test::writeFile(source() / "klotz.jpg", "neu");
    fs::create_directories(pictures("01") / "klotz.jpg");  // a folder where the file should go
    host.answers = {false};
    EXPECT_EQ(CopyGraphics5(*session), CommandOutcome::Done);
    EXPECT_TRUE(said("1 Grafiken kopiert!"));
    EXPECT_TRUE(fs::is_directory(pictures("01") / "klotz.jpg"));
    bool reported = false;
    for (const auto& l : host.output)
        reported |= l.rfind("Fehler beim Kopieren von klotz.jpg", 0) == 0;
    EXPECT_TRUE(reported);
    for (const auto& e : fs::directory_iterator(pictures("01")))
        EXPECT_FALSE(e.path().filename().string().starts_with(".dn")) << e.path();
    EXPECT_TRUE(store().readGraphicsIndex("1-").empty());
}

TEST_F(Graphics5Test, ALinkInTheDeliveryIsNamedAndNotFollowed) {
    const fs::path outside = masterDir() / "geheim.txt";
    test::writeFile(outside, "nicht fuer die Bilder");
    fs::create_symlink(outside, source() / "system.jpg");
    test::writeFile(source() / "echt.jpg", "bild");
    host.answers = {false};

    EXPECT_EQ(CopyGraphics5(*session), CommandOutcome::Done);
    EXPECT_TRUE(said("1 Grafiken kopiert!"));
    EXPECT_EQ(test::readFile(pictures("01") / "echt.jpg"), "bild");
    EXPECT_FALSE(fs::exists(fs::symlink_status(pictures("01") / "system.jpg")));
    const std::vector<std::string> shown{"echt.jpg", "Verknüpfung nicht kopiert: system.jpg"};
    EXPECT_EQ(host.output, shown);
}

TEST_F(Graphics5Test, CopyOverAGoodFileFromAMissingSourceKeepsIt) {
    fs::create_directories(pictures("01"));
    test::writeFile(pictures("01") / "bild.jpg", "gut");
    std::string why;
    EXPECT_FALSE(CopyPictureFile5(source() / "gibtsnicht.jpg", pictures("01") / "bild.jpg", why));
    EXPECT_FALSE(why.empty());
    EXPECT_EQ(test::readFile(pictures("01") / "bild.jpg"), "gut");
}

TEST_F(Graphics5Test, AllSuppliersCoverOnlyNumericPrefixes) {
    fs::create_directories(pictures("07"));
    fs::create_directories(pictures("0K"));
    test::writeFile(pictures("07") / "a.jpg", "x");
    test::writeFile(pictures("0K") / "a.jpg", "x");
    boundArticle("7-1", {binding("01", "a.jpg", "Sieben")});
    boundArticle("K-1", {binding("01", "a.jpg", "Buchstabe")});
    store().addGraphicsIndexEntry({"7-OLD", "01", "alt", "alt"});
    host.answers = {true};
    EXPECT_EQ(RebuildGraphicsIndexAll5(*session), CommandOutcome::Done);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0],
              "Wollen Sie einen Index für die Grafiken ALLER Lieferanten anlegen, damit Sie die "
              "Grafiken in Reports "
              "und Auswertungen verwenden können?");
    const auto seven = store().readGraphicsIndex("7-");
    ASSERT_EQ(seven.size(), 1u);
    EXPECT_EQ(seven[0].articleKey, "7-1");
    EXPECT_TRUE(store().readGraphicsIndex("K-").empty());

    // Through command 371 of a supplier with a letter, its folder is indexed.
    EXPECT_EQ(BuildGraphicsIndex5(*session, {{"K-", "0K"}}), 1u);
    EXPECT_EQ(store().readGraphicsIndex("K-").size(), 1u);
}

}  // namespace
}  // namespace dn
