#pragma once
// The nine global settings kept in `datanorm.ini`.

#include <filesystem>
#include <string>

namespace dn {

struct Settings {
    std::string SourcePath = "a:";  // UTF-8 in memory, CP850 in the file
    bool TakeLongTexts = true;
    bool TakeFactoryPrices = true;
    bool TakeListPrice = false;
    bool MultiSelectDialog = false;
    bool CopyToLocalDisk = false;
    int DeletedArticleMode = 0;  // 0 delete, 1 keep with a note
    bool ReplaceUnits = true;
    bool NetZeroUsesListPrice = false;
};

// Reads the file; a missing file leaves the settings as they are. A file of
// five lines (the older form) leaves lines 6 to 9 untouched.
void readSettings(const std::filesystem::path& iniFile, Settings& s);
// Writes all nine lines, CR LF. A `SourcePath` with a control character
// raises InputError and leaves the file as it was; a path that is not
// absolute (no master-data directory known) raises IoError and writes
// nothing.
void writeSettings(const std::filesystem::path& iniFile, const Settings& s);

}  // namespace dn
