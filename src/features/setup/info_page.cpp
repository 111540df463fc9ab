#include "features/setup/info_page.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "common/session.h"

namespace dn {
namespace fs = std::filesystem;

namespace {

std::string env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

std::string fileTime(const std::string& path, bool date) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return "";
    std::time_t tt = st.st_mtime;
    std::tm tm{};
    localtime_r(&tt, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, date ? "%d.%m.%Y" : "%H:%M:%S", &tm);
    return buf;
}

}  // namespace

std::vector<std::string> infoPageLines(const Session& s, const std::string& programPath,
                                       const std::vector<LibraryVersion>& libraries) {
    std::vector<std::string> l;
    l.push_back("Systemkonfiguration:");
    l.push_back("====================");
    l.push_back("");
    for (int i = 0; i < 12; ++i) l.push_back(std::string(kKonfLabels[i]) + s.host.konf[i]);
    l.push_back("");
    l.push_back("Aufrufpfad  : " + programPath);
    std::error_code ec;
    l.push_back("Verzeichnis : " + fs::current_path(ec).string());
    l.push_back("Programmdatum : " + fileTime(programPath, true) +
                "       Uhrzeit : " + fileTime(programPath, false));
    l.push_back("Windowsdruck ist aktiv");
    l.push_back("Datenbankformat : " + s.host.databaseFormat);
    for (const auto& lib : libraries) l.push_back("Bibliothek  : " + lib.name + " " + lib.running);
    char host[256] = {};
    gethostname(host, sizeof host - 1);
    l.push_back("Computername : " + std::string(host));
    l.push_back("Anwendername : " + env("USER"));
    l.push_back("Clientname   : " + env("SSH_CLIENT"));
    if (!env("SSH_CONNECTION").empty()) l.push_back("Remote");
    l.push_back("Tagesdatum   : " + formatDotted(fromDayNumber(s.host.today)));
    l.push_back("DB Protokoll : " + s.storeFile().string());
    return l;
}

void printInfoPage(Session& s, const std::string& programPath,
                   const std::vector<LibraryVersion>& libraries) {
    if (!s.ui.open_drucker()) return;
    for (const auto& line : infoPageLines(s, programPath, libraries)) s.ui.druckeln(line);
    s.ui.close_drucker();
}

}  // namespace dn
