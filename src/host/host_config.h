#pragma once
// The host's configuration under its home directory: the directory table
// `konf`, the host flags, base currency, wage rates and today's day number.
// Created with defaults on first run.

#include <array>
#include <filesystem>
#include <set>
#include <string>

#include "host/day_number.h"

namespace dn {

enum KonfSlot : int {
    kSystemDir = 0,
    kMasterDataDir = 1,
    kAddressDir = 2,
    kOfferDir = 3,
    kMeasurementDir = 4,
    kLetterDir = 5,
    kTempDir = 6,
    kOverlayDir = 7,
    kUserDir = 8,
    kArchiveDir = 9,
    kSiteDir = 10,
    kClientDir = 11,
};

struct HostConfig {
    std::filesystem::path home;
    // Twelve directories, each ending in "/".
    std::array<std::string, 12> konf;
    bool f_edel = false;       // metal quotations kept by the host
    bool f_rtfpreview = true;  // preview of formatted texts
    bool f_dbbrowser = true;   // grid list instead of the older list picker
    std::string baseCurrency = "EUR";
    double wageRate1 = 50.0;  // hourly wage rates for services
    double wageRate2 = 60.0;
    DayNumber today = 0;
    std::string edel_dat_name = "edel.dat";
    std::set<int> deniedCommands;  // user rights: everything else is allowed
    std::string databaseFormat = "Erweitert";

    bool euroIsBase() const { return baseCurrency == "EUR"; }
    std::filesystem::path dir(int slot) const { return konf.at(slot); }
    std::filesystem::path configFile() const { return home / "torvalo.ini"; }

    // `lies_konfig` and friends: reads `home`/torvalo.ini, writing it with
    // defaults and creating the default directories when missing.
    static HostConfig load(const std::filesystem::path& home);
    // The home directory: the given one, else $TORVALO_HOME, else a
    // per-user default; always an absolute path.
    static std::filesystem::path resolveHome(const std::string& given);
    void save() const;
};

// Labels of the twelve slots as the information page prints them.
extern const std::array<const char*, 12> kKonfLabels;

}  // namespace dn
