#pragma once
// Streaming line reader of DATANORM 4 files: one line at a time, of any
// length, never the whole file in memory.
//
// - Lines end with CR LF, LF or CR; a last line without line break is read
//   too, unless it stops inside its record (fewer fields than the record
//   needs): such a cut-off line is dropped and reported.
// - A 0x1A end-of-file byte (and line breaks around it) at the end of the
//   file is not data. A 0x1A followed by data ends the reading and is
//   reported.
// - Encoding, control bytes and the line length limit: the rules of
//   host/text_lines.h. Every line handed out is CP850 bytes, so that fixed
//   widths and positions count characters whatever the file's encoding.
// - Counts physical lines and bytes consumed (for the progress bar).
// - A line can be pushed back (`PushedBackLine` of the importers): the next
//   readLine() returns it again without counting it twice.
// - `report()` tells, once the end was reached, what was wrong with the file
//   (faults) and which code page was assumed (notes for the protocol).

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "host/text_lines.h"

namespace dn {

class Dn4LineReader {
  public:
    // Opens the file; throws IoError when it cannot be opened.
    explicit Dn4LineReader(const std::filesystem::path& file);
    Dn4LineReader(const Dn4LineReader&) = delete;
    Dn4LineReader& operator=(const Dn4LineReader&) = delete;

    // The next line as CP850 bytes without its line break; false at the end
    // of the file. Throws IoError on a read error and for a line longer than
    // kMaxLineLength.
    bool readLine(std::string& line);

    // `PushedBackLine`: the line is handed out again by the next readLine().
    void pushBack(std::string line);
    bool hasPushedBack() const { return pushedBack_.has_value(); }

    // Physical lines read so far (the number of the last line read).
    std::int64_t lineNumber() const { return lineNumber_; }
    // Bytes consumed so far, line breaks included.
    std::int64_t bytesRead() const { return offset_; }
    // Size of the file in bytes.
    std::int64_t fileSize() const { return fileSize_; }
    // Encoding as decided so far (Undecided while only ASCII was seen).
    TextEncoding encoding() const { return encoding_; }
    const std::filesystem::path& path() const { return path_; }
    // Faults and protocol notes of the file read so far.
    LineReadReport report() const { return checks_.report(encoding_); }

  private:
    void findContentEnd();
    void sniffEncoding();
    bool fillBuffer();
    void decode(std::string& line);
    bool lineIsCut(std::string_view line) const;

    std::filesystem::path path_;
    std::ifstream in_;
    std::int64_t fileSize_ = 0;
    std::int64_t contentEnd_ = 0;   // offset after the last data byte
    bool lastLineEnded_ = false;    // a line break or 0x1A follows the data
    bool afterCr_ = false;          // the last line ended with CR: an LF next is its line end
    bool stopped_ = false;          // a 0x1A before the end of the data
    std::int64_t offset_ = 0;       // bytes consumed
    std::int64_t bufferStart_ = 0;  // file offset of buffer_[0]
    std::vector<char> buffer_;
    std::size_t bufPos_ = 0;
    std::size_t bufLen_ = 0;
    std::int64_t lineNumber_ = 0;
    TextEncoding encoding_ = TextEncoding::Undecided;
    std::optional<std::string> pushedBack_;
    LineChecks checks_;
};

}  // namespace dn
