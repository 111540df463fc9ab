// One writer at a time: the lock file of writing commands, and a store
// held by another connection past the busy wait.

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "host/errors.h"
#include "host/store.h"
#include "host/store_write_lock.h"
#include "support/temp_dir.h"

namespace dn::test {
namespace {

ArticleRecord article(const std::string& key) {
    ArticleRecord a;
    a.key = key;
    a.shorttext1 = "Rohr";
    return a;
}

TEST(StoreWriterTest, SecondWritingCommandIsRefusedWithTheHolderNamed) {
    TempDir dir;
    const auto file = dir / "stamm.db";
    auto store = openSqliteStore(file, {});
    {
        auto claim = store->claimWriting("Befehl 33 \"Artikel übernehmen\"");
        auto other = openSqliteStore(file, {});
        try {
            other->claimWriting("Befehl 41 \"mit Preispflegedatei\"");
            FAIL() << "second claim granted";
        } catch (const StoreBusyError& e) {
            EXPECT_EQ(
                std::string(e.what()),
                "Die Stammdaten werden gerade von Befehl 33 \"Artikel übernehmen\" (Prozess " +
                    std::to_string(getpid()) +
                    ") geändert. Es kann immer nur ein Befehl die Stammdaten ändern; bitte warten, "
                    "bis er beendet ist.");
        }
        // Reading and writing through another connection is not part of the claim.
        EXPECT_FALSE(other->articleExists("1"));
    }
    // Given back when the claim ends.
    EXPECT_NO_THROW(store->claimWriting("Befehl 22 \"Einlesen Rabattdaten\""));
}

TEST(StoreWriterTest, StoreHeldByAnotherConnectionFailsAfterWaitingAndSaysHowFar) {
    TempDir dir;
    const auto file = dir / "stamm.db";
    int waits = 0;
    StoreOptions options;
    options.waiting = [&] { ++waits; };
    auto store = openSqliteStore(file, options);
    store->StartTransaction();
    store->writeArticle(article("1-4711"));
    store->Commit();

    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    try {
        store->StartTransaction();
        FAIL() << "the transaction began beside another writer";
    } catch (const StoreBusyError& e) {
        const std::string text = e.what();
        EXPECT_NE(text.find("ist von einem anderen Programm belegt"), std::string::npos) << text;
        EXPECT_NE(
            text.find(
                "Bis dahin gespeichert: 1 Artikel in 1 Transaktionen, zuletzt Artikel 1-4711."),
            std::string::npos)
            << text;
    } catch (const DatabaseError& e) {
        FAIL() << "taken for a faulty record: " << e.what();
    }
    EXPECT_EQ(waits, 1);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_NO_THROW(store->StartTransaction());
    store->Rollback();
}

TEST(StoreWriterTest, TwoStoresOpenedAtOnceOnANewFileBothWork) {
    for (int round = 0; round < 10; ++round) {
        TempDir dir;
        const auto file = dir / "stamm.db";
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            int rc = 0;
            try {
                openSqliteStore(file, {})->writeArticle(article("2-1"));
            } catch (...) {
                rc = 1;
            }
            _exit(rc);
        }
        std::string failure;
        try {
            openSqliteStore(file, {})->writeArticle(article("1-1"));
        } catch (const std::exception& e) {
            failure = e.what();
        }
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_EQ(failure, "") << "round " << round;
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round;
        auto store = openSqliteStore(file, {});
        EXPECT_TRUE(store->articleExists("1-1"));
        EXPECT_TRUE(store->articleExists("2-1"));
    }
}

}  // namespace
}  // namespace dn::test
