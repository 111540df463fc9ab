// The DATANORM 5 article block parser: the input's lines (LF-separated) as
// one block of a file whose header has been read, through the data module's
// records with the checks of their field policy.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/session.h"
#include "features/articles/article_block5.h"
#include "formats/dn5/block_grouping5.h"
#include "formats/dn5/tdatanorm5.h"
#include "fuzz_support.h"
#include "host/errors.h"
#include "host/scripted_host.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static dn::ScriptedHost host = [] {
        dn::ScriptedHost h;
        h.defaultAnswer = true;  // "/KA": over-long fields are cut, not refused
        return h;
    }();
    static dn::Session session(host);
    dn::fuzz::forget(host);
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (size == 0) return 0;
    session.AllowOverlongFields = (data[0] & 1) != 0;
    const dn::dn5::FieldPolicy policy(session.AllowOverlongFields, host);
    dn::dn5::BlockLines lines;
    for (std::size_t start = 0; start <= bytes.size() && lines.size() < 64;) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) end = bytes.size();
        lines.push_back({dn::dn5::Record(std::string(bytes.substr(start, end - start)),
                                         static_cast<long>(lines.size() + 1), policy)});
        start = end + 1;
    }
    if (lines.empty() || lines.front().record.line().empty()) return 0;
    dn::tdatanorm5 dn5(session);
    dn5.HeaderMissing = false;
    try {
        (void)dn::dn5::parseArticleBlock(dn5, lines, (size & 1) != 0);
    } catch (const dn::Error&) {
        // A faulty field ends the file with a message: not a finding.
    }
    return 0;
}
