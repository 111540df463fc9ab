#pragma once
// Command 41 for a DATANORM 5 supplier: a price-change file (kind P)
// applied to the articles already in the store.

#include <cstddef>
#include <string>

#include "common/dispatch.h"
#include "features/prices/price_form4.h"
#include "formats/dn5/run_counts.h"
#include "formats/dn5/tdatanorm5.h"

namespace dn {

struct Session;

namespace dn5 {
// How a price-change file ended and what its run counted (`RecordCount`:
// the articles changed, also those whose write was refused).
struct PriceFileEnd {
    FileEnd end = FileEnd::ReadError;
    RunCounts counts;
};

// Records of one store transaction. Each record stays atomic on its own
// (see UnitBatch).
inline constexpr std::size_t kPriceBatchSize = 4096;
}  // namespace dn5

// Mode 0: the dialog, then the file chosen by the user (kind "p"). Mode 1
// (online import): the dialog, then the file `PriceFilePath`; sets
// `OnlineImportStatus` to "1" when it is not empty and the file was read.
CommandOutcome PriceMaintenance5(Session& s, int mode = 0);

// Reads one price-change file with the given options: progress bar, the
// settings block, the records. The caller has opened the protocol; the
// change log and the final message are the command's.
dn5::PriceFileEnd RunPriceFile5(Session& s, const std::string& file, const PriceModes& options,
                                std::size_t batchSize = dn5::kPriceBatchSize);

}  // namespace dn
