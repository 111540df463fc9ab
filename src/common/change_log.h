#pragma once
// The change log `datanorm.log`: one line per import, newest first,
// Windows-1252, CR LF.

#include <filesystem>
#include <optional>
#include <string>

#include "common/dispatch.h"

namespace dn {

struct Session;

// Appends "dd.mm.yyyy kind(30) data supplier-line" as the new first line.
// The current supplier is read again from `aktuell.dat` first.
void AppendChangeLog(Session& s, const std::string& importKind, const std::string& data);
// The same with the full path of an input file as the data.
void AppendChangeLogFile(Session& s, const std::string& importKind,
                         const std::filesystem::path& file);
// The line as written (UTF-8), for a given date text. Control characters
// of the parts are escaped: a line is always one line.
std::string changeLogLine(const std::string& date, const std::string& importKind,
                          const std::string& data, const std::string& supplierLine);
// The whole log as UTF-8 text, or nothing when the file does not exist.
std::optional<std::string> ReadChangeLog(const Session& s);
void DeleteChangeLog(const Session& s);

// Command 64: the viewer "Protokoll".
CommandOutcome ShowChangeLog(Session& s);

}  // namespace dn
