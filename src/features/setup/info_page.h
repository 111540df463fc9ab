#pragma once
// The system configuration page ("&Info"): host directories with their
// labels, call path, current directory, program date, database format,
// computer and user, date.

#include <string>
#include <vector>

namespace dn {

struct Session;

std::vector<std::string> InfoPageLines(const Session& s, const std::string& programPath);
// Prints the page through the host print service.
void PrintInfoPage(Session& s, const std::string& programPath);

}  // namespace dn
