// The supplier table `lieferan.dat` and the current supplier `aktuell.dat`
// read from whatever bytes the files hold.

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "fuzz_support.h"
#include "host/errors.h"
#include "suppliers/supplier_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto dir = dn::fuzz::scratchDir();
    dn::fuzz::writeInput("lieferan.dat", bytes);
    dn::fuzz::writeInput("aktuell.dat", bytes.substr(0, 16));
    try {
        dn::SupplierTable table;
        table.load(dir);
        for (int n = 1; n <= dn::kMaxSupplier; ++n) {
            const dn::SupplierEntry& e = table.entry(n);
            (void)dn::SupplierDisplayLine(n, e);
            (void)dn::ArticlePrefixFor(n, e.letter);
            (void)table.readRecord(n);
        }
        (void)dn::readCurrentSupplierNumber(dir);
    } catch (const dn::Error&) {
        // An unreadable file is reported: not a finding.
    }
    return 0;
}
