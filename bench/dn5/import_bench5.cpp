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

#include "../common/import_report.h"
#include "common/session.h"
#include "features/articles/import_articles5.h"
#include "features/setup/startup.h"
#include "formats/dn5/tdatanorm5.h"
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
    const fs::path home =
        argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path() / "dn5_import_bench";
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
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    return dn::bench::printImportReport(s, host, file, seconds, outcome);
}
