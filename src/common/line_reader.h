#pragma once
// The line reader of every DATANORM version: one line at a time, of any
// length, never the whole file in memory.
//
// - Lines end with CR LF, LF or CR; a last line without line end is read
//   too, unless it stops inside its record (fewer fields than the record
//   needs): such a cut-off line is dropped, kept as `cutLine()` and
//   reported.
// - A 0x1A end-of-file byte (and line ends around it) at the end of the
//   file is not data. A 0x1A followed by data ends the reading and is
//   reported.
// - Encoding, control bytes and the line length limit: the rules of
//   common/line_rules.h. Every line handed out is CP850 bytes, so that
//   widths and positions count characters whatever the file's encoding.
// - Counts physical lines and bytes consumed (for the progress bar); once
//   the last line is handed out, the file counts as read whole.
// - A line can be pushed back (`PushedBackLine`): the next readLine()
//   returns it again without counting it twice.
// - `report()` tells, once the end was reached, what was wrong with the file
//   (faults) and which code page was assumed (notes for the protocol).
//
// What differs between the versions (the record layouts that decide a cut
// line, the texts of read errors, the kind of error for an over-long line)
// comes in `LineReaderOptions`: dn4::kLineOptions, dn5::kLineOptions.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/line_rules.h"

namespace dn {

// Every member but `raiseTooLong` must be set.
struct LineReaderOptions {
    // The number of fields the record of this line needs.
    int (*fieldsNeeded)(std::string_view line) = nullptr;
    // The message when the file cannot be opened (`error` is errno).
    std::string (*openFailed)(const std::filesystem::path& file, int error) = nullptr;
    // The message when reading the file fails.
    std::string (*readFailed)(const std::filesystem::path& file, int error) = nullptr;
    // Raises the error for a line longer than kMaxLineLength; without it
    // the reader raises IoError.
    void (*raiseTooLong)(const std::string& message) = nullptr;
};

class LineReader {
  public:
    // Opens the file; throws IoError when it cannot be opened or read.
    LineReader(const std::filesystem::path& file, const LineReaderOptions& options);
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // The next line as CP850 bytes without its line end; false at the end
    // of the file. Throws IoError on a read error and the options' error for
    // a line longer than kMaxLineLength.
    bool readLine(std::string& line);

    // `PushedBackLine`: the line is handed out again by the next readLine().
    void pushBack(std::string line) { pushedBack_ = std::move(line); }
    bool hasPushedBack() const { return pushedBack_.has_value(); }

    // Physical lines read so far (the number of the last line read).
    std::int64_t lineNumber() const { return lineNumber_; }
    // Bytes consumed so far, line ends included.
    std::int64_t bytesRead() const { return offset_; }
    // Size of the file in bytes when it was opened.
    std::int64_t fileSize() const { return fileSize_; }
    // Encoding as decided so far (Undecided while only ASCII was seen).
    TextEncoding encoding() const { return encoding_; }
    bool isUtf8() const { return encoding_ == TextEncoding::Utf8; }
    const std::filesystem::path& path() const { return path_; }
    // Faults and protocol notes of the file read so far.
    LineReadReport report() const { return checks_.report(encoding_); }
    // The last line, dropped because the file ends inside it; empty if none.
    const std::string& cutLine() const { return cutLine_; }

  private:
    struct FileCloser {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };

    void findContentEnd();
    void sniffEncoding();
    bool fillBuffer();
    std::size_t readAt(std::int64_t offset, char* to, std::size_t n);
    void readFailed() const;
    void tooLong() const;

    LineReaderOptions options_;
    std::filesystem::path path_;
    std::unique_ptr<std::FILE, FileCloser> file_;
    std::int64_t fileSize_ = 0;
    std::int64_t contentEnd_ = 0;   // offset after the last data byte
    bool lastLineEnded_ = false;    // a line end or 0x1A follows the data
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
    std::string cutLine_;
    LineChecks checks_;
};

}  // namespace dn
