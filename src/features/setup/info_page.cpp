#include "features/setup/info_page.h"

#include <pwd.h>
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

// The user's login name: $USER, else the account of the process, else
// the login of its terminal.
std::string loginName() {
    if (std::string user = env("USER"); !user.empty()) return user;
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_name) return pw->pw_name;
    const char* login = ::getlogin();
    return login ? login : "";
}

// The address of the remote client (SSH_CLIENT is "address port port"),
// empty for a session on this computer.
std::string remoteClient() {
    const std::string client = env("SSH_CLIENT");
    return client.substr(0, client.find(' '));
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
    l.push_back("Datenbankformat : " + s.host.databaseFormat);
    for (const auto& lib : libraries) l.push_back("Bibliothek  : " + lib.name + " " + lib.running);
    char host[256] = {};
    gethostname(host, sizeof host - 1);
    l.push_back("Computername : " + std::string(host));
    l.push_back("Anwendername : " + loginName());
    if (const std::string client = remoteClient(); !client.empty())
        l.push_back("Clientname   : " + client);
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
