// One writing command per store from the command line: two commands started
// at once on a fresh home, a second writing command refused while one runs,
// and a store held by another program's connection.

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <future>
#include <string>

#include "host/store_write_lock.h"
#include "support/cli_runner.h"
#include "support/temp_dir.h"

namespace dn {
namespace {

using test::runDatanorm;

const std::string kDelivery =
    (std::filesystem::path(DATANORM_SOURCE_DIR) / "examples" / "datanorm4" / "DATANORM.001")
        .string();
constexpr const char* kDone = "20 Artikel von der Datei nach TORVALO übernommen!";

class CliStoreWriterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        auto r = run({"supplier", "edit", "1", "--name", "Beispiel", "--version", "4"});
        ASSERT_EQ(r.code, 0) << r.err;
    }
    test::CliResult run(const std::vector<std::string>& args) {
        return runDatanorm(home.path().string(), args);
    }
    test::CliResult import() { return run({"--yes", "run", "33", "--file", kDelivery}); }
    std::filesystem::path storeFile() {
        for (const auto& e : std::filesystem::recursive_directory_iterator(home.path()))
            if (e.path().filename() == "stamm.db") return e.path();
        return {};
    }
    static bool has(const test::CliResult& r, const std::string& part) {
        return (r.out + r.err).find(part) != std::string::npos;
    }
    test::TempDir home;
};

TEST_F(CliStoreWriterTest, CommandsStartedAtOnceOnAFreshHomeBothWork) {
    for (int round = 0; round < 4; ++round) {
        std::filesystem::remove(storeFile());
        auto reading = std::async(std::launch::async, [&] {
            return run({"articles", "--format", "csv"});
        });
        auto writing = std::async(std::launch::async, [&] { return import(); });
        const auto r = reading.get();
        const auto w = writing.get();
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(w.code, 0) << w.err;
        EXPECT_TRUE(has(w, kDone)) << w.out << w.err;
    }
    // Two writing commands at once: one waits for nobody and is refused, or
    // runs after the other; neither fails in any other way.
    for (int round = 0; round < 4; ++round) {
        std::filesystem::remove(storeFile());
        auto first = std::async(std::launch::async, [&] { return import(); });
        auto second = std::async(std::launch::async, [&] { return import(); });
        for (const auto& r : {first.get(), second.get()}) {
            if (r.code == 4)
                EXPECT_TRUE(has(r, "Die Stammdaten werden gerade von Befehl 33")) << r.err;
            else
                EXPECT_EQ(r.code, 0) << r.err;
            EXPECT_FALSE(has(r, "Tabellen anlegen")) << r.err;
        }
        EXPECT_EQ(run({"articles", "--format", "csv"}).code, 0);
    }
}

TEST_F(CliStoreWriterTest, SecondWritingCommandIsRefusedReadingCommandsAreNot) {
    ASSERT_EQ(run({"articles"}).code, 0);  // creates the store
    const auto file = storeFile();
    ASSERT_FALSE(file.empty());
    auto claim = lockStoreForWriting(file, "Befehl 41 \"mit Preispflegedatei\"");
    const auto r = import();
    EXPECT_EQ(r.code, 4) << r.err;
    EXPECT_TRUE(
        has(r, "Die Stammdaten werden gerade von Befehl 41 \"mit Preispflegedatei\" (Prozess " +
                   std::to_string(getpid()) + ") geändert."))
        << r.out << r.err;
    EXPECT_FALSE(has(r, kDone));
    EXPECT_EQ(run({"articles", "--format", "csv"}).code, 0);
    EXPECT_EQ(run({"log"}).out.find("Artikelübernahme"), std::string::npos);
    claim.reset();
    EXPECT_EQ(import().code, 0);
}

// For both article imports: the DATANORM 5 import writes on a second
// thread and replays a batch without a failing block; a busy store is no
// failing block.
TEST_F(CliStoreWriterTest, StoreHeldByAnotherConnectionEndsTheImportWithCode4) {
    const auto dn5File = home / "DATANORM5.001";
    test::writeFile(dn5File,
                    "V;050;A;20250415;EUR;Lieferung;;;;;;;;;\r\n"
                    "A;N;R-100;Rohr 20 mm;;STK;1;100;1234;R01;W01;;rohr;;;;;;;;1;;0;;1;L;;;;\r\n");
    const struct {
        const char* version;
        std::string file;
        const char* article;
    } cases[] = {{"4", kDelivery, "1-KR-1000"}, {"5", dn5File.string(), "1-R-100"}};
    for (const auto& c : cases) {
        ASSERT_EQ(run({"supplier", "edit", "1", "--version", c.version}).code, 0);
        ASSERT_EQ(run({"articles"}).code, 0);
        const auto file = storeFile();
        sqlite3* other = nullptr;
        ASSERT_EQ(sqlite3_open(file.c_str(), &other), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
        const auto r = run({"--yes", "run", "33", "--file", c.file});
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        EXPECT_EQ(r.code, 4) << c.version << r.out << r.err;
        EXPECT_TRUE(has(r, "ist von einem anderen Programm belegt")) << r.out << r.err;
        EXPECT_TRUE(has(r, "Bis dahin gespeichert: 0 Artikel")) << r.out << r.err;
        EXPECT_FALSE(has(r, "übernommen!")) << r.out;
        const auto listed = run({"articles", "--format", "csv"});
        EXPECT_EQ(listed.out.find(c.article), std::string::npos) << listed.out;
        // Once the other program is done, the same import runs through.
        EXPECT_EQ(run({"--yes", "run", "33", "--file", c.file}).code, 0) << c.version;
        EXPECT_NE(run({"articles", "--format", "csv"}).out.find(c.article), std::string::npos)
            << c.version;
    }
}

}  // namespace
}  // namespace dn
