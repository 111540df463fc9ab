// The DATANORM 5 line reader (line ends, 0x1A, UTF-8 recognition), field
// access and number reading on every line of the input.

#include <cstdint>
#include <string>
#include <string_view>

#include "formats/dn5/field_split5.h"
#include "formats/dn5/line_options5.h"
#include "fuzz_support.h"
#include "host/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto file = dn::fuzz::writeInput(
        "DATANORM.001", std::string_view(reinterpret_cast<const char*>(data), size));
    try {
        dn::LineReader reader(file, dn::dn5::kLineOptions);
        std::string line;
        while (reader.readLine(line)) {
            for (int n = 1; n <= 40; ++n) {
                const std::string_view field = dn::dn5::fieldOf(line, n);
                const std::string_view trimmed = dn::dn5::trim(field);
                (void)dn::dn5::parseNumber(trimmed);
                (void)dn::dn5::integerOf(field);
                (void)dn::dn5::utf8Of(field);
            }
        }
    } catch (const dn::Error&) {
        // A faulty line ends the file with a message: not a finding.
    }
    return 0;
}
