#pragma once
// The lines of a DATANORM 5 article file gathered into blocks, before they
// are parsed (article_block5) and written (article_writer5).
//
// An article block holds the A, C, D and Z lines of one article number (a C
// line names its article in field 4, the others in field 3), whatever their
// order: it stays open while the lines that follow carry its number, also
// across the T and G blocks of that number, which wait behind it. T and G
// lines form blocks of their own, one per text or graphics key and letter.
// A block without A line is handed on as well: its C lines act on the
// stored article, its D and Z lines are reported.
//
// Blocks leave in the order article block, the T and G blocks that waited
// behind it, the open text block.

#include <functional>
#include <string>
#include <vector>

#include "formats/dn5/record.h"

namespace dn::dn5 {

// A line of a block: its record (CP850, trimmed, with its line number).
struct BlockLine {
    Record record;
    bool faulty = false;  // a numeric field holds no number
};

using BlockLines = std::vector<BlockLine>;

class BlockGrouping {
  public:
    // Takes each finished block; it may raise, which drops the blocks not
    // yet handed on.
    using Emit = std::function<void(BlockLines&& lines)>;

    explicit BlockGrouping(Emit emit) : emit_(std::move(emit)) {}

    // The line of this letter (A, C, D, Z, T or G) and block key.
    void add(char letter, const std::string& key, BlockLine line);
    // Hands on every open block (at a B record, at the end of a file).
    void closeAll();
    // Drops every open block unwritten (Escape).
    void clear();
    // The key of the open block that a line of this letter would continue,
    // or nullptr when it would begin a block of its own.
    const std::string* openKey(char letter) const;

  private:
    struct Open {
        std::string key;
        char letter = ' ';
        BlockLines lines;
        bool open() const { return !lines.empty(); }
    };
    static bool isArticleLine(char letter);
    void addArticleLine(char letter, const std::string& key, BlockLine line);
    void addTextLine(char letter, const std::string& key, BlockLine line);

    Emit emit_;
    Open article_;                     // A, C, D, Z of one number
    std::vector<BlockLines> waiting_;  // T and G blocks of that number
    Open text_;                        // the T or G block being read
};

}  // namespace dn::dn5
