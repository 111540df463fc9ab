// The settings file `datanorm.ini` read from whatever bytes it holds.
// Property: settings read, written and read again are the same.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/settings.h"
#include "fuzz_support.h"
#include "host/errors.h"

namespace {

bool same(const dn::Settings& a, const dn::Settings& b) {
    return a.SourcePath == b.SourcePath && a.TakeLongTexts == b.TakeLongTexts &&
           a.TakeFactoryPrices == b.TakeFactoryPrices && a.TakeListPrice == b.TakeListPrice &&
           a.MultiSelectDialog == b.MultiSelectDialog && a.CopyToLocalDisk == b.CopyToLocalDisk &&
           a.DeletedArticleMode == b.DeletedArticleMode && a.ReplaceUnits == b.ReplaceUnits &&
           a.NetZeroUsesListPrice == b.NetZeroUsesListPrice;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto file = dn::fuzz::writeInput(
        "datanorm.ini", std::string_view(reinterpret_cast<const char*>(data), size));
    dn::Settings read;
    try {
        dn::readSettings(file, read);
    } catch (const dn::Error&) {
        return 0;  // refused with a message: not a finding
    }
    const auto again = dn::fuzz::scratchDir() / "again.ini";
    try {
        dn::writeSettings(again, read);
    } catch (const dn::Error&) {
        return 0;  // a value that may not be written is refused
    }
    dn::Settings back;
    dn::readSettings(again, back);
    if (!same(read, back)) std::abort();
    return 0;
}
