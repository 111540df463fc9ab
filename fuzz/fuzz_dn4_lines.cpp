// The DATANORM 4 line reader and line converter: every line of the input
// converted ahead without the user and, where that leaves it to a reader
// with session (the header, an over-long field), converted by one.

#include <cstdint>
#include <string>
#include <string_view>

#include "common/session.h"
#include "formats/dn4/dn4_lines.h"
#include "formats/dn4/dn4_reader.h"
#include "fuzz_support.h"
#include "host/errors.h"
#include "host/scripted_host.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static dn::ScriptedHost host = [] {
        dn::ScriptedHost h;
        h.defaultAnswer = true;
        return h;
    }();
    static dn::Session session(host);
    dn::fuzz::forget(host);
    const auto file = dn::fuzz::writeInput(
        "DATANORM.001", std::string_view(reinterpret_cast<const char*>(data), size));
    session.AllowOverlongFields = size > 0 && (data[0] & 1) != 0;
    try {
        dn::LineReader lines(file, dn::dn4::kLineOptions);
        dn::Dn4Reader ahead;
        dn::Dn4Reader reader(session);
        reader.startFile();
        ahead.startFile();
        std::string line;
        while (lines.readLine(line)) {
            if (ahead.ConvertAhead(line)) {
                reader.adopt(ahead.buffers());
            } else if (!reader.ConvertDn4Line(line)) {
                break;
            }
            (void)dn::dn4ToUtf8(reader.record().at(1, 128));
        }
    } catch (const dn::Error&) {
        // A file that cannot be read on ends with a message: not a finding.
    }
    return 0;
}
