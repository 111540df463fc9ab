#pragma once
// What one run of the DATANORM 5 article import keeps from its dialog to its
// last file: the options, the store's optional article columns, the per-run
// note, and the counts of the file being read.

#include <string>
#include <vector>

#include "formats/dn5/run_counts.h"

namespace dn::dn5 {

// The options of the article import dialog.
struct ArticleImportOptions {
    bool OnlySelectedProductGroups = false;  // field 100
    bool OnlyNumberRange = false;            // field 101
    std::string RangeFrom;                   // `ArticlePrefix` + up to 15 characters
    std::string RangeTo;
    bool OnlySelectedDiscountGroups = false;  // field 106
    bool KeepAssemblyMinutes = false;         // field 107
};

struct ArticleRunState {
    ArticleImportOptions ImportOptions;
    std::vector<std::string> OptionalColumns;  // upper-cased "_" columns of the article table
    bool LongTextKeyNoteShown = false;         // the note about an over-long long-text key
    RunCounts counts;                          // of the file being read, from 0 at each file
};

}  // namespace dn::dn5
