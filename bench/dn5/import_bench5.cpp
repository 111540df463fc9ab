// Imports a DATANORM 5 article file into a fresh store through
// `ImportArticles5` in its online mode, every question answered yes, and
// prints the time, the articles per second and the peak resident memory.
//
//   dn5_import_bench FILE [HOME]   (HOME: an empty directory; default a new
//                                   one under the temporary directory)

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "dn5/import_articles5.h"
#include "dn5/tdatanorm5.h"
#include "frame/session.h"
#include "frame/startup.h"
#include "host/scripted_host.h"
#include "host/store.h"

namespace {

// The scripted host keeps every status text for the tests; a status line
// shows only the latest one.
class BenchHost : public dn::ScriptedHost {
public:
    void SetInfo(const std::string&) override {}
};

}  // namespace

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    if (argc < 2) {
        std::fprintf(stderr, "usage: dn5_import_bench FILE [HOME]\n");
        return 2;
    }
    const fs::path file = fs::absolute(argv[1]);
    const fs::path home = argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path() / "dn5_import_bench";
    fs::remove_all(home);
    fs::create_directories(home);

    BenchHost host;
    host.defaultAnswer = true;
    dn::Session s(host);
    dn::Setup(s, home.string(), {});
    s.OnlineImportFiles = {file.string()};
    s.OnlineImportStatus = "0";

    const auto start = std::chrono::steady_clock::now();
    const dn::CommandOutcome outcome = dn::ImportArticles5(s, 1);
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
    std::printf("processor time (user + system): %.2f s, %.0f articles per processor second\n", cpu, articles / cpu);
    std::printf("peak resident memory: %.1f MB\n", usage.ru_maxrss / 1024.0);
    return outcome == dn::CommandOutcome::Done ? 0 : 1;
}
