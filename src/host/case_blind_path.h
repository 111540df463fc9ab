#pragma once
// Deliveries come from Windows, where file names are case-blind: the fixed
// names of a delivery ("datanorm.rab", "DATPREIS.001", "d5grund", ...) are
// looked up here in whatever case the directory holds them.

#include <filesystem>
#include <string>

namespace dn {

// The entry `name` of `dir`: the entry of that exact name when there is one,
// else the first entry whose name equals it without regard to case, else
// dir / name as given (for a file that does not exist yet).
std::filesystem::path caseBlindPath(const std::filesystem::path& dir, const std::string& name);

// The same for a directory given as text ending in "/": the result is the
// text of the found directory, again ending in "/".
std::string caseBlindDirectory(const std::string& dir, const std::string& name);

}  // namespace dn
