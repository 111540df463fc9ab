// The store's write-ahead log: every commit visible to other connections at
// once, a rolled-back transaction never reaching another connection's commit,
// a killed writer leaving whole transactions, and the log bounded while the
// background checkpoints run.

#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
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
        EXPECT_EQ(sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr), SQLITE_OK)
            << sqlite3_errmsg(db_);
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
    // of many megabytes.
    for (int batch = 0; batch < 150; ++batch) {
        store->StartTransaction();
        const int count = batch == 75 ? 20000 : 3;
        for (int i = 0; i < count; ++i)
            store->writeArticle(article(written++, batch == 75 ? 300 : 20));
        store->Commit();
        ASSERT_EQ(reader.number("SELECT count(*) FROM article"), written)
            << "after commit " << batch;
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

// A transaction larger than the page cache writes pages into the log before
// it ends. Rolled back, those pages must never reach the log later: a second
// connection's commit in between stays as it was committed, in the open store
// and in a copy of its files taken as a kill would leave them.
TEST(WalLogTest, RolledBackSpillNeverOverwritesAnotherConnectionsCommit) {
    TempDir dir;
    const auto file = dir / "stamm.db";
    const std::string log = file.string() + "-wal";
    // Created and closed: the log is empty when the two connections begin.
    openSqliteStore(file, {}).reset();
    auto first = openSqliteStore(file, {});
    auto second = openSqliteStore(file, {});
    const auto logSize = [&] {
        std::error_code ec;
        const auto size = std::filesystem::file_size(log, ec);
        return ec ? std::uintmax_t{0} : size;
    };
    const auto bigArticle = [](int n) {
        char key[16];
        std::snprintf(key, sizeof key, "K%08d", n);  // in key order: no spilled page is read again
        ArticleRecord a;
        a.key = key;
        a.shorttext1 = std::string(3000, 'a');
        return a;
    };
    first->StartTransaction();
    // About one page per article: write until the page cache (64 MB) has
    // begun to spill into the log, then a few hundred pages more.
    int written = 0;
    while (written < 60000 && logSize() == 0) {
        for (int i = 0; i < 50; ++i) first->writeArticle(bigArticle(written++));
    }
    ASSERT_LT(written, 60000) << "the transaction never reached the log";
    for (int i = 0; i < 300; ++i) first->writeArticle(bigArticle(written++));
    first->Rollback();

    // The second connection's commit reaches well past the spilled pages.
    constexpr int kCommitted = 3000;
    second->StartTransaction();
    for (int i = 0; i < kCommitted; ++i) {
        ArticleRecord a;
        a.key = "B" + std::to_string(i);
        a.shorttext1 = std::string(3000, 'b');
        second->writeArticle(a);
    }
    second->Commit();
    // The first connection goes on reading and writing as an import would.
    EXPECT_FALSE(first->articleExists("K00000001"));
    first->StartTransaction();
    first->writeArticle(article(1));
    first->Commit();

    const auto copy = dir / "copy";
    std::filesystem::create_directory(copy);
    for (const char* suffix : {"", "-wal"}) {
        std::filesystem::copy_file(file.string() + suffix, (copy / "stamm.db").string() + suffix);
    }
    const auto check = [&](const std::filesystem::path& f, const char* what) {
        Reader reader(f);
        EXPECT_EQ(reader.text("PRAGMA integrity_check"), "ok") << what;
        EXPECT_EQ(reader.number("SELECT count(*) FROM article WHERE key LIKE 'B%' AND "
                                "shorttext1 = replace(hex(zeroblob(3000)), '00', 'b')"),
                  kCommitted)
            << what;
        EXPECT_EQ(reader.number("SELECT count(*) FROM article"), kCommitted + 1) << what;
    };
    check(file, "open store");
    check(copy / "stamm.db", "copy as after a kill");
    first.reset();
    second.reset();
    check(file, "closed store");
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
    sqlite3_exec(db, "PRAGMA journal_mode = WAL; CREATE TABLE t (v BLOB)", nullptr, nullptr,
                 nullptr);
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
