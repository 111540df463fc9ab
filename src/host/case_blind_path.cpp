#include "host/case_blind_path.h"

#include "host/codepage.h"

namespace dn {
namespace fs = std::filesystem;

fs::path caseBlindPath(const fs::path& dir, const std::string& name) {
    const fs::path exact = dir / name;
    std::error_code ec;
    if (fs::exists(exact, ec)) return exact;
    const std::string wanted = utf8Lower(name);
    const fs::path where = dir.empty() ? fs::path(".") : dir;
    for (fs::directory_iterator it(where, ec), end; !ec && it != end; it.increment(ec))
        if (utf8Lower(it->path().filename().string()) == wanted) return dir / it->path().filename();
    return exact;
}

std::string caseBlindDirectory(const std::string& dir, const std::string& name) {
    return caseBlindPath(dir, name).string() + "/";
}

}  // namespace dn
