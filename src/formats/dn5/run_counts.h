#pragma once
// What a version 5 command counts while it reads one file: the records it
// took over and those it left out. Each command's run keeps its own and
// starts it at 0 with every file; the article import's writer counts its
// articles, long texts, deletions and renamings itself.

#include <cstdint>

namespace dn::dn5 {

struct RunCounts {
    std::int32_t RecordCount = 0;
    // Records not taken over because a numeric field held no number.
    std::int32_t SkippedCount = 0;
};

}  // namespace dn::dn5
