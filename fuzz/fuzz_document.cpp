// The rewriter of the host's 82-byte document records (offers "*.ang" and
// measurements "*.auf"): every key it finds is mapped to a longer one.
// Property: a rewritten document keeps its length, one that is refused is
// left exactly as it was.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "features/services/documents.h"
#include "fuzz_support.h"
#include "host/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const dn::DocumentKind kind =
        (data[0] & 1) ? dn::DocumentKind::Offer : dn::DocumentKind::Measurement;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto file =
        dn::fuzz::writeInput(kind == dn::DocumentKind::Offer ? "doc.ang" : "doc.auf", bytes);
    for (std::size_t at = 0; at + dn::kDocumentRecordSize <= bytes.size();
         at += dn::kDocumentRecordSize)
        (void)dn::documentKeyOffset(bytes.substr(at, dn::kDocumentRecordSize), kind);
    const dn::KeyMapper map = [](const std::string& key) {
        return key.empty() || key.size() % 3 == 0 ? std::string() : key + "-NEU-123456789012345";
    };
    try {
        dn::rewriteDocument(file, kind, map);
        if (dn::fuzz::readInput(file).size() != bytes.size()) std::abort();
    } catch (const dn::Error&) {
        if (dn::fuzz::readInput(file) != bytes) std::abort();
    }
    return 0;
}
