// An article import killed at some moment never leaves an article whose
// long-text or graphics key names a text the store does not have: the
// batch commits never fall between an article and the T and G blocks after
// it. A child process imports; the test kills it once the store holds a
// given number of committed articles and then looks at what is stored.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "support/import_fixture5.h"
#include "support/store_dump.h"

namespace dn {
namespace {

constexpr const char* kArticles = "SELECT count(*) FROM article";
constexpr const char* kDangling =
    "SELECT count(*) FROM article a WHERE "
    "(a.longtextkey <> '' AND NOT EXISTS (SELECT 1 FROM longtext t WHERE t.key = a.longtextkey AND "
    "t.kind = '1')) OR "
    "(a.graphickey <> '' AND NOT EXISTS (SELECT 1 FROM longtext t WHERE t.key = a.graphickey AND "
    "t.kind = '3'))";

class KilledImportTest : public test::ImportFixture5 {};

TEST_F(KilledImportTest, NoArticleNamesAMissingText) {
    // Each article: its A line, its long text (two lines) and its picture;
    // three blocks, so that a batch of blocks ends inside an article more
    // often than not when commits may fall anywhere.
    std::string text = std::string(kHeader) + "\r\n";
    constexpr int kCount = 20000;
    for (int n = 0; n < kCount; ++n) {
        const std::string number = std::to_string(100000 + n);
        text += "A;N;" + number + ";Rohr " + number + ";;;2;1;100;;;;;;;;;;;G" + number + ";;;;T" +
                number + ";;;;;;\r\n";
        text += "T;N;T" + number + ";1;01;Zeile 1;\r\nT;N;T" + number + ";1;02;Zeile 2;\r\n";
        text += "G;N;G" + number + ";01;BI;B" + number + ";JPG;Foto;\r\n";
    }
    const auto file = home / "DATANORM.001";
    test::writeFile(file, text);
    const std::filesystem::path db = masterDir() / "stamm.db";

    // Killed once the store has at least this many articles committed.
    for (const long long seen : {1LL, 3000LL, 7000LL, 12000LL}) {
        SCOPED_TRACE("killed after " + std::to_string(seen) + " articles");
        for (const char* suffix : {"", "-wal", "-shm"})
            std::filesystem::remove(db.string() + suffix);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            session->OnlineImportFiles = {file.string()};
            session->OnlineImportStatus = "0";
            host.forms.push_back(FormScript{"TUEBERNEHMEN4", {}, {}, {}});
            host.defaultAnswer = true;
            try {
                ImportArticles5(*session, 1);
            } catch (...) {
                _exit(1);
            }
            _exit(0);
        }
        int status = 0;
        bool ended = false;
        while (!ended && test::QueryNumber(db, kArticles) < seen) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            ended = waitpid(child, &status, WNOHANG) == child;
        }
        if (!ended) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
        }
        const long long stored = test::QueryNumber(db, kArticles);
        EXPECT_GE(stored, 0);
        EXPECT_EQ(test::QueryNumber(db, kDangling), 0) << stored << " articles stored";
    }
}

}  // namespace
}  // namespace dn
