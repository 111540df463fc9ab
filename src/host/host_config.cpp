#include "host/host_config.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "host/errors.h"

namespace dn {
namespace fs = std::filesystem;

const std::array<const char*, 12> kKonfLabels = {
    "System      : ", "Stammdaten  : ", "Adressen    : ", "Angebote    : ",
    "Aufmasse    : ", "Briefe      : ", "Temporaer   : ", "Overlay     : ",
    "Netzuser    : ", "Auslagern   : ", "Baustelle   : ", "Mandant     : "};

namespace {

const std::array<const char*, 12> kDefaultDirs = {"system",  "stamm",     "adressen",  "angebote",
                                                  "aufmass", "briefe",    "temp",      "overlay",
                                                  "user",    "auslagern", "baustelle", "mandant"};

std::string withSlash(std::string s) {
    if (!s.empty() && s.back() != '/') s += '/';
    return s;
}

std::string trim(const std::string& s) {
    auto b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return {};
    auto e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

bool flag(const std::string& v) {
    return v == "1" || v == "ja" || v == "true";
}

}  // namespace

fs::path HostConfig::resolveHome(const std::string& given) {
    if (!given.empty()) return fs::absolute(given);
    if (const char* env = std::getenv("TORVALO_HOME"); env && *env) return fs::absolute(env);
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        return fs::absolute(fs::path(xdg) / "torvalo");
    if (const char* h = std::getenv("HOME"); h && *h)
        return fs::absolute(fs::path(h) / ".local/share/torvalo");
    return fs::absolute("torvalo");
}

HostConfig HostConfig::load(const fs::path& home) {
    HostConfig c;
    c.home = home;
    for (std::size_t i = 0; i < c.konf.size(); ++i)
        c.konf[i] = withSlash((home / kDefaultDirs[i]).string());
    std::error_code ec;
    fs::create_directories(home, ec);
    if (ec)
        throw IoError("Verzeichnis " + home.string() +
                      " kann nicht angelegt werden: " + ec.message());

    std::map<std::string, std::string> values;
    const bool existed = fs::exists(c.configFile());
    if (existed) {
        std::ifstream in(c.configFile());
        std::string line;
        while (std::getline(in, line)) {
            line = trim(line);
            if (line.empty() || line[0] == '#' || line[0] == ';') continue;
            auto eq = line.find('=');
            if (eq == std::string::npos) continue;
            values[trim(line.substr(0, eq))] = trim(line.substr(eq + 1));
        }
    }
    for (std::size_t i = 0; i < c.konf.size(); ++i)
        if (auto it = values.find("konf" + std::to_string(i));
            it != values.end() && !it->second.empty()) {
            fs::path p(it->second);
            c.konf[i] = withSlash((p.is_absolute() ? p : home / p).string());
        }
    auto get = [&](const char* key) -> const std::string* {
        auto it = values.find(key);
        return it == values.end() ? nullptr : &it->second;
    };
    if (auto v = get("f_edel")) c.f_edel = flag(*v);
    if (auto v = get("f_rtfpreview")) c.f_rtfpreview = flag(*v);
    if (auto v = get("f_dbbrowser")) c.f_dbbrowser = flag(*v);
    if (auto v = get("waehrung"); v && !v->empty()) c.baseCurrency = *v;
    if (auto v = get("lohn1")) c.wageRate1 = std::atof(v->c_str());
    if (auto v = get("lohn2")) c.wageRate2 = std::atof(v->c_str());
    if (auto v = get("edel_dat_name"); v && !v->empty()) c.edel_dat_name = *v;
    if (auto v = get("datenbankformat"); v && !v->empty()) c.databaseFormat = *v;
    if (auto v = get("gesperrte_kommandos")) {
        std::stringstream ss(*v);
        std::string item;
        while (std::getline(ss, item, ','))
            if (!trim(item).empty()) c.deniedCommands.insert(std::atoi(trim(item).c_str()));
    }
    c.today = todayDayNumber();
    if (auto v = get("datum"); v && !v->empty()) {
        int d = 0, m = 0, y = 0;
        if (std::sscanf(v->c_str(), "%d.%d.%d", &d, &m, &y) == 3 && isValidDate(Date{y, m, d}))
            c.today = toDayNumber(Date{y, m, d});
    }
    for (const auto& dir : c.konf) {
        fs::create_directories(dir, ec);
        if (ec)
            throw IoError("Verzeichnis " + dir + " kann nicht angelegt werden: " + ec.message());
    }
    if (!existed) c.save();
    return c;
}

void HostConfig::save() const {
    std::ofstream out(configFile(), std::ios::trunc);
    out << "# TORVALO host configuration\n";
    for (std::size_t i = 0; i < konf.size(); ++i) out << "konf" << i << '=' << konf[i] << '\n';
    out << "f_edel=" << (f_edel ? 1 : 0) << '\n'
        << "f_rtfpreview=" << (f_rtfpreview ? 1 : 0) << '\n'
        << "f_dbbrowser=" << (f_dbbrowser ? 1 : 0) << '\n'
        << "waehrung=" << baseCurrency << '\n'
        << "lohn1=" << wageRate1 << '\n'
        << "lohn2=" << wageRate2 << '\n'
        << "edel_dat_name=" << edel_dat_name << '\n'
        << "datenbankformat=" << databaseFormat << '\n'
        << "# datum=dd.mm.yyyy fixes the host date\n"
        << "# gesperrte_kommandos=41,62 denies commands to this user\n";
    if (!deniedCommands.empty()) {
        out << "gesperrte_kommandos=";
        bool first = true;
        for (int n : deniedCommands) {
            out << (first ? "" : ",") << n;
            first = false;
        }
        out << '\n';
    }
    if (!out) throw IoError("Fehler beim Schreiben von " + configFile().string());
}

}  // namespace dn
