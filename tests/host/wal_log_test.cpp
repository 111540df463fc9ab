// The store's write-ahead log: commits gathered into few writes must still
// be visible to other connections at once, survive a killed writer whole,
// and the log must stay bounded while the background checkpoints run.

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "host/store.h"
#include "host/wal_checkpointer.h"
#include "support/temp_dir.h"

namespace dn::test {
namespace {

// A plain connection of the system's own file layer, as another host
// program would open the store.
class Reader {
public:
    explicit Reader(const std::filesystem::path& file) {
        EXPECT_EQ(sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
        sqlite3_busy_timeout(db_, 5000);
    }
    ~Reader() { sqlite3_close(db_); }
    sqlite3* db() const { return db_; }

    std::string text(const std::string& sql) const {
        sqlite3_stmt* stmt = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr), SQLITE_OK) << sqlite3_errmsg(db_);
        std::string out;
        if (sqlite3_step(stmt) == SQLITE_ROW) {
            const auto* p = sqlite3_column_text(stmt, 0);
            out = p ? reinterpret_cast<const char*>(p) : "";
        }
        sqlite3_finalize(stmt);
        return out;
    }
    long number(const std::string& sql) const { return std::stol(text(sql)); }

private:
    sqlite3* db_ = nullptr;
};

ArticleRecord article(long n, std::size_t textLength = 20) {
    ArticleRecord a;
    a.key = "K" + std::to_string(n);
    a.shorttext1 = std::string(textLength, static_cast<char>('a' + n % 26));
    a.purchaseprice = static_cast<double>(n) / 100.0;
    return a;
}

TEST(WalLogTest, EveryCommitIsVisibleToAnotherConnectionAtOnce) {
    TempDir dir;
    const auto file = dir / "stamm.db";
    auto store = openSqliteStore(file, {});
    Reader reader(file);
    long written = 0;
    // Small commits, as an import commits every few records, and one commit
    // far larger than the gathering buffer.
    for (int batch = 0; batch < 150; ++batch) {
        store->StartTransaction();
        const int count = batch == 75 ? 20000 : 3;
        for (int i = 0; i < count; ++i) store->writeArticle(article(written++, batch == 75 ? 300 : 20));
        store->Commit();
        ASSERT_EQ(reader.number("SELECT count(*) FROM article"), written) << "after commit " << batch;
    }
    EXPECT_EQ(reader.text("PRAGMA integrity_check"), "ok");
    store.reset();
    EXPECT_EQ(Reader(file).number("SELECT count(*) FROM article"), written);
}

TEST(WalLogTest, RolledBackWorkLeavesNothingBehind) {
    TempDir dir;
    const auto file = dir / "stamm.db";
    auto store = openSqliteStore(file, {});
    store->StartTransaction();
    for (int i = 0; i < 5000; ++i) store->writeArticle(article(i, 300));
    store->Rollback();
    store->StartTransaction();
    store->writeArticle(article(1));
    store->Commit();
    Reader reader(file);
    EXPECT_EQ(reader.number("SELECT count(*) FROM article"), 1);
    EXPECT_EQ(reader.text("PRAGMA integrity_check"), "ok");
}

TEST(WalLogTest, KilledWriterLeavesOnlyWholeTransactions) {
    TempDir dir;
    const auto file = dir / "stamm.db";
    constexpr int kPerTransaction = 7;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Writes until killed; never returns into the test.
        try {
            auto store = openSqliteStore(file, {});
            for (long n = 0;;) {
                store->StartTransaction();
                for (int i = 0; i < kPerTransaction; ++i) store->writeArticle(article(n++, 200));
                store->Commit();
            }
        } catch (...) {
        }
        _exit(1);
    }
    // Let it write well past the first checkpoints, then kill it.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        std::error_code ec;
        const auto size = std::filesystem::file_size(file, ec);
        if (!ec && size > (24u << 20)) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped on its own";

    Reader reader(file);
    EXPECT_EQ(reader.text("PRAGMA integrity_check"), "ok");
    const long count = reader.number("SELECT count(*) FROM article");
    EXPECT_GT(count, 0);
    EXPECT_EQ(count % kPerTransaction, 0) << count << " articles";
    EXPECT_EQ(reader.number("SELECT max(CAST(substr(key, 2) AS INTEGER)) FROM article"), count - 1);
}

TEST(WalLogTest, BackgroundCheckpointsKeepTheLogBounded) {
    TempDir dir;
    const auto file = dir / "log.db";
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    sqlite3_exec(db, "PRAGMA journal_mode = WAL; CREATE TABLE t (v BLOB)", nullptr, nullptr, nullptr);
    std::uintmax_t largest = 0;
    {
        WalCheckpointer checkpointer(db, file, 64, 256);  // pages
        sqlite3_stmt* insert = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO t VALUES (zeroblob(3000))", -1, &insert, nullptr);
        for (int commit = 0; commit < 200; ++commit) {
            sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
            for (int i = 0; i < 10; ++i) {
                sqlite3_step(insert);
                sqlite3_reset(insert);
            }
            ASSERT_EQ(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
            std::error_code ec;
            largest = std::max(largest, std::filesystem::file_size(file.string() + "-wal", ec));
        }
        sqlite3_finalize(insert);
        EXPECT_GT(checkpointer.completed(), 0u);
    }
    // 256 pages and the growth until the next request, with frame headers.
    EXPECT_LT(largest, (256u + 64u + 16u) * 4120u);
    {
        Reader reader(file);
        EXPECT_EQ(reader.number("SELECT count(*) FROM t"), 2000);
    }
    sqlite3_close(db);
}

}  // namespace
}  // namespace dn::test
