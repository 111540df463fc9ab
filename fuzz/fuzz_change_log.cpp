// The change log `datanorm.log`: read from whatever bytes it holds, and a
// line prepended to it.

#include <cstdint>
#include <string>
#include <string_view>

#include "common/change_log.h"
#include "common/session.h"
#include "fuzz_support.h"
#include "host/errors.h"
#include "host/scripted_host.h"

namespace {

dn::Session& session() {
    static dn::ScriptedHost host;
    static dn::Session s(host);
    static const bool ready = [] {
        for (auto& dir : s.host.konf) dir = dn::fuzz::scratchDir().string() + "/";
        return true;
    }();
    (void)ready;
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    dn::Session& s = session();
    dn::fuzz::writeInput("datanorm.log", bytes);
    try {
        (void)dn::ReadChangeLog(s);
        // The import kind and file name as an import passes them.
        const std::string name(bytes.substr(0, 40));
        (void)dn::changeLogLine("10.12.2026", "5 Artikelübernahme", name, "1 Eins");
        dn::AppendChangeLog(s, "5 Artikelübernahme", name);
        (void)dn::ReadChangeLog(s);
    } catch (const dn::Error&) {
        // A file that cannot be read or written is reported: not a finding.
    }
    return 0;
}
