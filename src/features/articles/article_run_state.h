#pragma once
// What one run of the DATANORM 5 article import keeps from its dialog to its
// last file: the options, the store's optional article columns, the per-run
// note, and the records of the file being read that were left out.

#include <string>
#include <vector>

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
    long skipped = 0;  // records of the file being read left out for faulty fields
};

}  // namespace dn::dn5
