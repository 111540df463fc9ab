#pragma once
// The system configuration page ("&Info"): host directories with their
// labels, call path, current directory, program date, database format, the
// linked libraries as the front end lists them, computer and user, date.

#include <string>
#include <vector>

#include "features/setup/startup.h"

namespace dn {

struct Session;

std::vector<std::string> infoPageLines(const Session& s, const std::string& programPath,
                                       const std::vector<LibraryVersion>& libraries);
// Prints the page through the host print service.
void printInfoPage(Session& s, const std::string& programPath,
                   const std::vector<LibraryVersion>& libraries);

}  // namespace dn
