#pragma once
// What a version 5 command counts while it reads one file. Each command's
// run keeps its own and starts it at 0 with every file.

#include <cstdint>

namespace dn::dn5 {

struct RunCounts {
    std::int32_t RecordCount = 0;
    std::int32_t LongTextCount = 0;
    std::int32_t DeletedCount = 0;
    std::int32_t RenamedCount = 0;
    // Records not taken over because a numeric field held no number.
    std::int32_t SkippedCount = 0;
};

}  // namespace dn::dn5
