// `datanorm settings`: the nine settings of datanorm.ini by their names.

#include <iostream>

#include "cli/cli_commands.h"
#include "common/session.h"
#include "features/setup/settings_dialogs.h"
#include "host/errors.h"
#include "shared/exit_codes.h"

namespace dn::cli {
namespace {

struct SettingName {
    const char* name;
    bool Settings::*flag;  // null for the two non-booleans
    int command;           // the dialog that changes it: 61 drive, 63 parameters
};

const SettingName kNames[] = {
    {"SourcePath", nullptr, 61},
    {"TakeLongTexts", &Settings::TakeLongTexts, 63},
    {"TakeFactoryPrices", &Settings::TakeFactoryPrices, 63},
    {"TakeListPrice", &Settings::TakeListPrice, 63},
    {"MultiSelectDialog", &Settings::MultiSelectDialog, 61},
    {"CopyToLocalDisk", &Settings::CopyToLocalDisk, 61},
    {"DeletedArticleMode", nullptr, 63},
    {"ReplaceUnits", &Settings::ReplaceUnits, 63},
    {"NetZeroUsesListPrice", &Settings::NetZeroUsesListPrice, 63},
};

const SettingName* findName(const std::string& name) {
    for (const auto& n : kNames)
        if (name == n.name) return &n;
    throw InputError("Unbekannte Einstellung: " + name);
}

void assign(Settings& s, const std::string& name, const std::string& value) {
    if (name == "SourcePath") {
        s.SourcePath = value;
        return;
    }
    if (name == "DeletedArticleMode") {
        if (value != "0" && value != "1") throw InputError("DeletedArticleMode nimmt 0 oder 1");
        s.DeletedArticleMode = value[0] - '0';
        return;
    }
    for (const auto& n : kNames)
        if (name == n.name && n.flag) {
            if (value != "0" && value != "1") throw InputError(name + " nimmt 0 oder 1");
            s.*(n.flag) = value == "1";
            return;
        }
    throw InputError("Unbekannte Einstellung: " + name);
}

}  // namespace

int changeSettings(Session& s, const CliRequest& req) {
    if (!req.assignments.empty()) {
        Settings v = s.settings;
        for (const auto& a : req.assignments) {
            auto eq = a.find('=');
            if (eq == std::string::npos) throw InputError("NAME=VALUE erwartet: " + a);
            if (deniedRight(s, findName(a.substr(0, eq))->command)) return kExitRefused;
            assign(v, a.substr(0, eq), a.substr(eq + 1));
        }
        // Kept only when the file took them.
        writeSettings(s.masterDataDir() / "datanorm.ini", v);
        s.settings = v;
        bindDn3Files(s);
    }
    for (const auto& n : kNames) {
        std::cout << n.name << '=';
        if (n.flag)
            std::cout << (s.settings.*(n.flag) ? 1 : 0);
        else if (std::string(n.name) == "SourcePath")
            std::cout << s.settings.SourcePath;
        else
            std::cout << s.settings.DeletedArticleMode;
        std::cout << '\n';
    }
    return kExitDone;
}

}  // namespace dn::cli
