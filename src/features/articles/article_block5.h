#pragma once
// The blocks of a DATANORM 5 article file, parsed: every field an import
// block needs is read from its lines (with the reader's length checks)
// before anything is written, so that a faulty field ends the file without
// a half-written block, and so that a batch of blocks can be written again
// after a database failure.
//
// Texts are CP850 bytes as the file has them; they become UTF-8 where they
// are written to the store or the protocol.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "formats/dn5/block_grouping5.h"
#include "formats/dn5/prices5.h"
#include "host/store_records.h"

namespace dn {
class tdatanorm5;
}  // namespace dn

namespace dn::dn5 {

// An A line: fields 1 to 29 as read (index = field number) and its price
// fields.
struct ArticleLine {
    std::array<std::string, 30> f;
    ArticlePriceInput price;
    // The row this line makes of a key without stored article, built ahead
    // on the reading thread (ArticleWriter::prepare); used only when the
    // key turns out to have none.
    std::optional<ArticleRecord> fresh;
    bool present(int n) const;  // field n holds more than blanks
};

// A C line: flag, subtype and fields 4 to 8.
struct CalcLine {
    std::array<std::string, 9> f;
    // The first ARBS line of its article in the run: the article's stored
    // "C50" lines give way to those of the file (set by the import run).
    bool replacesStoredLines = false;
};

// A D or Z line of a block without A line: it has no article to go to.
struct UnattachedLine {
    char letter = ' ';
    long lineNumber = 0;
};

struct ArticleBlock {
    enum class Kind { Article, Text, Graphics, Deletion, Renumber };
    Kind kind = Kind::Article;
    std::string number;  // field 3 as read (15)

    // Article blocks: the A lines, then the C lines, each in block order;
    // the D records (UTF-8, prefix already in front of the text key), the
    // built Z lines; the D and Z lines of a block without A line.
    std::vector<std::variant<ArticleLine, CalcLine>> steps;
    std::vector<DRecord> dRecords;
    std::vector<std::string> surchargeLines;
    std::array<double, 2> copperValues{};
    std::vector<UnattachedLine> unattached;

    // Text and graphics blocks: one line per T (with long texts on) or G
    // line; flag and kind of the block's last line.
    std::vector<std::string> textLines;
    std::string lastFlag;
    std::string textKind;

    // B records: field 4 (new number or replacement) and field 5 (date).
    // A deletion may come from an A line with flag "L" (no replacement, no
    // date).
    std::string newNumber;
    std::string date;
    bool byArticleLine = false;
};

// The block of these lines (a T or G first line makes a text or graphics
// block, any other an article block), read through their records; the
// data module gives the file's currency. Raises edatanormfehler for a
// faulty field. `takeLongTexts` decides whether D and
// T lines count.
ArticleBlock parseArticleBlock(tdatanorm5& dn5, const BlockLines& lines, bool takeLongTexts);

// A B record ("L" deletion, "A" number change).
ArticleBlock parseBRecord(const Record& record, ArticleBlock::Kind kind);

// An A record with flag "L": the deletion of its article.
ArticleBlock parseArticleDeletion(const Record& record);

// --- helpers of the field mapping ---------------------------------------

// `ReplaceUnit5`: with `replace` off the field unchanged; else upper-cased,
// trimmed, EDIFACT code replaced by the host unit, padded to 4.
std::string ReplaceUnit5(std::string_view unit, bool replace);

// A Z line as the surcharge blob keeps it ("50" + padded fields), built from
// fields 1..16 of the record (index = field number); empty for an unknown
// subtype. The amount fields are turned into the host currency by
// `convert` (none: as the file has them). Sets `copper` for a subtype 3 "CU"
// line.
std::string surchargeLine(const std::array<std::string, 17>& f, std::array<double, 2>& copper,
                          const std::function<double(double)>& convert = {});

// The text padded with blanks (or cut) to width bytes.
std::string pad(std::string_view text, std::size_t width);

}  // namespace dn::dn5
