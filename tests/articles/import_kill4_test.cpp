// A DATANORM 4 article import killed at some moment never leaves an article
// whose long texts are stored only in part: a batch commit never falls
// between an A record and the T and E records after it. A child process
// imports; the test kills it once the store holds a given number of
// committed articles and then looks at what is stored.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "support/import4_fixture.h"
#include "support/store_dump.h"

namespace dn::test {
namespace {

constexpr const char* kArticles = "SELECT count(*) FROM article";
constexpr const char* kIncomplete =
    "SELECT count(*) FROM article a WHERE a.longtextkey <> '' AND ("
    "NOT EXISTS (SELECT 1 FROM longtext t WHERE t.key = a.longtextkey AND t.kind = '1') OR "
    "NOT EXISTS (SELECT 1 FROM longtext t WHERE t.key = a.longtextkey AND t.kind = '2'))";

TEST_F(Import4Test, KilledImportLeavesNoArticleWithPartOfItsTexts) {
    // Each article: its A record and a T and an E text of its text number;
    // three records, so that batches of 100 records end inside an article
    // more often than not when commits may fall anywhere.
    std::vector<std::string> lines{dn4Header()};
    for (int n = 0; n < 20000; ++n) {
        const std::string number = "N" + std::to_string(100000 + n);
        lines.push_back(ALine{.number = number, .textNumber = number}.str());
        lines.push_back("T;N;" + number + ";;1;;Langtext;2;;;");
        lines.push_back("E;N;" + number + ";;1;;Erste;2;;Zweite;");
    }
    const std::string file = writeDelivery("DATANORM.001", lines);
    const std::filesystem::path db = session->storeFile();

    // Killed once the store has at least this many articles committed.
    for (const long long seen : {1LL, 3000LL, 7000LL, 12000LL}) {
        SCOPED_TRACE("killed after " + std::to_string(seen) + " articles");
        for (const char* suffix : {"", "-wal", "-shm"})
            std::filesystem::remove(db.string() + suffix);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            try {
                importFiles({file}, {});
            } catch (...) {
                _exit(1);
            }
            _exit(0);
        }
        int status = 0;
        bool ended = false;
        while (!ended && QueryNumber(db, kArticles) < seen) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            ended = waitpid(child, &status, WNOHANG) == child;
        }
        if (!ended) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
        }
        const long long stored = QueryNumber(db, kArticles);
        EXPECT_GE(stored, 0);
        EXPECT_EQ(QueryNumber(db, kIncomplete), 0) << stored << " articles stored";
    }
}

}  // namespace
}  // namespace dn::test
