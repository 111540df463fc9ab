// The code-page sniffer and converters. Property: every byte string is
// CP850, and CP850 -> UTF-8 -> CP850 gives it back unchanged.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "host/codepage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string utf8 = dn::cp850ToUtf8(bytes);
    if (!dn::isValidUtf8(utf8)) std::abort();
    if (dn::utf8ToCp850(utf8) != bytes) std::abort();

    (void)dn::looksLikeUtf8(bytes);
    if (dn::isValidUtf8(bytes)) {
        (void)dn::utf8ToCp850(bytes);
        (void)dn::utf8ToWin1252(bytes);
        const std::size_t length = dn::utf8Length(bytes);
        if (dn::utf8Length(dn::utf8Left(bytes, length / 2)) != length / 2) std::abort();
        (void)dn::utf8Upper(bytes);
        (void)dn::utf8Lower(bytes);
    }
    (void)dn::win1252ToUtf8(bytes);
    (void)dn::asciitoansistr(bytes);
    (void)dn::ansitoasciistr(bytes);
    (void)dn::utf8Upper(utf8);
    return 0;
}
