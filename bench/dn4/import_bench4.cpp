// Imports a DATANORM 4 article file into a fresh store through
// `ImportArticles4` in its online mode (options dialog with its defaults,
// every question answered yes) and prints the time, the articles per
// second and the peak resident memory.
//
//   dn4_import_bench FILE [HOME [BATCH]]
//     HOME: emptied first; default a new directory under the temporary
//     directory. BATCH: `CommitBatchSize` written to "flag.dat" as
//     "/tp=BATCH"; without it the default of 100 records applies.

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "../common/import_report.h"
#include "common/session.h"
#include "features/articles/article_import4.h"
#include "features/setup/startup.h"
#include "host/scripted_host.h"
#include "host/store.h"

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    if (argc < 2) {
        std::fprintf(stderr, "usage: dn4_import_bench FILE [HOME]\n");
        return 2;
    }
    const fs::path file = fs::absolute(argv[1]);
    const fs::path home =
        argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path() / "dn4_import_bench";
    fs::remove_all(home);
    fs::create_directories(home);

    dn::ScriptedHost host;
    host.defaultAnswer = true;
    dn::Session s(host);
    dn::Setup(s, home.string(), {});
    if (argc > 3) {
        std::FILE* flag = std::fopen((s.dir(dn::kSystemDir) / "flag.dat").string().c_str(), "wb");
        if (flag) {
            std::fprintf(flag, "/tp=%s\r\n", argv[3]);
            std::fclose(flag);
        }
    }
    s.OnlineImportFiles = {file.string()};
    s.OnlineImportStatus = "0";

    const auto start = std::chrono::steady_clock::now();
    const dn::CommandOutcome outcome = dn::ImportArticles4(s, 1);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    return dn::bench::printImportReport(s, host, file, seconds, outcome);
}
