// Other writers and readers beside a running DATANORM 4 article import: a
// second connection in this process and a second process commit, roll back
// and checkpoint while the import commits its batches. No commit is lost,
// the store stays whole, and readers only ever see whole batches.

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>

#include "support/import4_fixture.h"

namespace dn::test {
namespace {

constexpr int kArticles = 6000;
constexpr int kRounds = 300;

// A plain connection as another host program would open the store.
class Connection {
  public:
    explicit Connection(const std::filesystem::path& file) {
        sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_busy_timeout(db_, 8000);
    }
    ~Connection() { sqlite3_close(db_); }
    int exec(const std::string& sql) {
        return sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr);
    }
    long number(const std::string& sql) {
        sqlite3_stmt* stmt = nullptr;
        long value = -1;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK &&
            sqlite3_step(stmt) == SQLITE_ROW)
            value = sqlite3_column_int64(stmt, 0);
        sqlite3_finalize(stmt);
        return value;
    }
    std::string text(const std::string& sql) {
        sqlite3_stmt* stmt = nullptr;
        std::string value;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK &&
            sqlite3_step(stmt) == SQLITE_ROW)
            value = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
        sqlite3_finalize(stmt);
        return value;
    }

  private:
    sqlite3* db_ = nullptr;
};

// Round r of a writer: commits its row, except every third round, which is
// rolled back; every fifth round checkpoints. Returns the rows committed.
int writeRounds(const std::filesystem::path& file, const std::string& table) {
    Connection c(file);
    int committed = 0;
    for (int r = 0; r < kRounds; ++r) {
        if (c.exec("BEGIN IMMEDIATE") != SQLITE_OK) continue;
        c.exec("INSERT INTO " + table + " VALUES (" + std::to_string(r) + ")");
        if (r % 3 == 2) {
            c.exec("ROLLBACK");
        } else if (c.exec("COMMIT") == SQLITE_OK) {
            ++committed;
        }
        if (r % 5 == 4)
            c.exec(r % 10 == 9 ? "PRAGMA wal_checkpoint(RESTART)"
                               : "PRAGMA wal_checkpoint(PASSIVE)");
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return committed;
}

class StoreWritersTest : public Import4Test {};

TEST_F(StoreWritersTest, ImportBesideAnotherConnectionAndProcess) {
    std::vector<std::string> lines{dn4Header()};
    for (int i = 0; i < kArticles; ++i) {
        char number[16];
        std::snprintf(number, sizeof number, "A%06d", i);
        ALine a;
        a.number = number;
        a.text1 = "Rohr " + std::to_string(i);
        lines.push_back(a.str());
        lines.push_back(std::string("D;N;") + number + ";1;;;Einbauhinweis;2;;;Fachbetrieb;");
    }
    const std::string delivery = writeDelivery("DATANORM.001", lines);
    const auto file = session->storeFile();
    store();  // created before the others begin
    {
        Connection setup(file);
        ASSERT_EQ(setup.exec("CREATE TABLE other_process (n INTEGER); CREATE TABLE "
                             "other_connection (n INTEGER)"),
                  SQLITE_OK);
    }
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    // The exit code is the number of rows the process committed.
    if (child == 0) _exit(writeRounds(file, "other_process"));

    std::atomic<bool> importing{true};
    int connectionCommits = 0;
    std::thread writer([&] { connectionCommits = writeRounds(file, "other_connection"); });
    std::atomic<long> views{0}, partial{0};
    std::thread reader([&] {
        Connection c(file);
        while (importing) {
            // Within one read transaction: the articles form a prefix of the
            // file, each with its D lines.
            c.exec("BEGIN");
            const long count = c.number("SELECT count(*) FROM article");
            const long last = c.number(
                "SELECT coalesce(max(CAST(substr(key, 4) AS INTEGER)) + 1, 0) FROM article");
            const long lonely = c.number(
                "SELECT count(*) FROM article a WHERE NOT EXISTS (SELECT 1 FROM article_dline d "
                "WHERE d.key = a.key)");
            c.exec("COMMIT");
            ++views;
            if (count != last || lonely != 0) ++partial;
        }
    });
    const CommandOutcome outcome = importFiles({delivery}, {{105, "0"}});
    importing = false;
    reader.join();
    writer.join();
    int status = 0;
    waitpid(child, &status, 0);

    EXPECT_EQ(outcome, CommandOutcome::Done);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_GT(WEXITSTATUS(status), 0) << "the second process committed nothing";
    EXPECT_GT(views.load(), 0);
    EXPECT_EQ(partial.load(), 0) << "of " << views.load() << " views";
    Connection check(file);
    EXPECT_EQ(check.text("PRAGMA integrity_check"), "ok");
    EXPECT_EQ(check.number("SELECT count(*) FROM article"), kArticles);
    EXPECT_EQ(check.number("SELECT count(*) FROM article_dline"), 2 * kArticles);
    EXPECT_EQ(check.number("SELECT count(*) FROM other_connection"), connectionCommits);
    EXPECT_EQ(check.number("SELECT count(*) FROM other_process"), WEXITSTATUS(status));
}

}  // namespace
}  // namespace dn::test
