#pragma once
// The line rules of DATANORM files, the same for every version (the reader
// that applies them is common/line_reader.h):
//
// - CR LF, LF and a lone CR each end a line.
// - A 0x1A byte marks the end of the file; when anything but line ends and
//   further 0x1A bytes follows it, the reader says so and reads no further.
// - No line is longer than kMaxLineLength; a longer one ends the file.
// - A file whose last line has no line end and fewer fields than its record
//   needs was cut off: the reader says so and drops that line.
// - Encoding: a UTF-8 byte-order mark means UTF-8 and is removed. Otherwise
//   the lines with non-ASCII bytes of the first kSniffSize bytes vote
//   between UTF-8 and the single-byte code pages, and the German letters
//   (umlauts and sharp s, frequent in German text and rare otherwise) vote
//   between CP850 and Windows-1252. When those bytes are plain ASCII, the
//   first line with other bytes decides alike. Lines are handed out as
//   CP850 bytes whatever the file's encoding.
// - Control bytes (below 0x20 and 0x7F) become blanks: none reaches a key,
//   a text or the screen.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dn {

enum class TextEncoding { Undecided, Cp850, Utf8, Win1252 };

inline constexpr std::size_t kMaxLineLength = 1 << 20;
inline constexpr std::size_t kSniffSize = 64 * 1024;
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
inline constexpr char kEndOfFileMark = '\x1A';

// A line end or the end-of-file mark.
inline bool IsLineTrailer(char c) {
    return c == '\r' || c == '\n' || c == kEndOfFileMark;
}

// The first line end (LF, CR) or end-of-file mark in [begin, end), or
// nullptr.
const char* FindLineBreak(const char* begin, const char* end);

// The encoding the first bytes of a file show (`cut`: they stop inside the
// file, so a UTF-8 sequence at their end may be incomplete). Undecided when
// they are plain ASCII.
TextEncoding SniffEncoding(std::string_view head, bool cut);

// The line (without line end) as CP850 bytes. An undecided encoding is
// decided by the first line with non-ASCII bytes. A line of a UTF-8 file
// that is not valid UTF-8 is taken as CP850 as it stands.
void LineToCp850(std::string& line, TextEncoding& encoding);

// Turns every control byte of the line into a blank; true when there was one.
bool BlankControlBytes(std::string& line);

// The number of ";"-separated fields of a line: a last field that no ";"
// closes counts too.
int FieldCount(std::string_view line);

// What a reader found worth telling about a file, in German.
struct LineReadReport {
    // Faults: the file was not read whole (cut off, data after the mark).
    std::vector<std::string> faults;
    // Notes for the protocol: the code page assumed, replaced control bytes.
    std::vector<std::string> notes;
};

// The messages of the rules above.
std::string LineTooLongMessage(std::int64_t lineNumber);
std::string CutOffMessage(std::int64_t lineNumber);
std::string EndMarkMessage(std::int64_t lineNumber);
std::string EncodingNote(TextEncoding encoding);
std::string ControlBytesNote(std::int64_t lines, std::int64_t firstLine);

// Counts the lines with control bytes and builds the report at the end.
class LineChecks {
  public:
    // Blanks the control bytes of the line with this number.
    void controlBytes(std::string& line, std::int64_t lineNumber);
    void fault(std::string message) { faults_.push_back(std::move(message)); }
    bool faulty() const { return !faults_.empty(); }
    LineReadReport report(TextEncoding encoding) const;

  private:
    std::vector<std::string> faults_;
    std::int64_t controlLines_ = 0;
    std::int64_t firstControlLine_ = 0;
};

}  // namespace dn
