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

#include "dn4/article_import4.h"
#include "frame/session.h"
#include "frame/startup.h"
#include "host/scripted_host.h"
#include "host/store.h"

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    if (argc < 2) {
        std::fprintf(stderr, "usage: dn4_import_bench FILE [HOME]\n");
        return 2;
    }
    const fs::path file = fs::absolute(argv[1]);
    const fs::path home = argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path() / "dn4_import_bench";
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
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    const long articles = static_cast<long>(s.store().countArticles(dn::KeyRange::all()));
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("outcome %d, status %s\n", static_cast<int>(outcome), s.OnlineImportStatus.c_str());
    for (const auto& m : host.messages) std::printf("message: %s\n", m.c_str());
    std::printf("articles in store: %ld\n", articles);
    std::printf("file: %.1f MB\n", static_cast<double>(fs::file_size(file)) / 1e6);
    std::printf("time: %.2f s\n", seconds);
    std::printf("articles per second: %.0f\n", articles / seconds);
    const double cpu = usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec +
                       usage.ru_stime.tv_usec / 1e6;
    std::printf("processor time (user + system): %.2f s\n", cpu);
    std::printf("peak resident memory: %.1f MB\n", usage.ru_maxrss / 1024.0);
    return outcome == dn::CommandOutcome::Done ? 0 : 1;
}
