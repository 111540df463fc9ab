#pragma once
// Streaming line reader of DATANORM 4 files: one line at a time, of any
// length, never the whole file in memory.
//
// - Lines end with CR LF or LF; a last line without line break is read too.
// - A 0x1A end-of-file byte (and line breaks around it) at the end of the
//   file is not data. A 0x1A inside the file stays a byte of its line.
// - Encoding: DATANORM 4 is CP850. A file whose first 64 KiB are valid UTF-8
//   with non-ASCII characters (or that starts with a UTF-8 byte-order mark)
//   is read as UTF-8; when the first 64 KiB are plain ASCII the first line
//   with non-ASCII bytes decides. Each UTF-8 line is converted to CP850 as it
//   is read, so that every line handed out is CP850 bytes and fixed widths
//   and positions count characters whatever the file's encoding. A line of a
//   UTF-8 file that is not valid UTF-8 is taken as CP850 as it stands.
//   Characters without a place in CP850 (e.g. the euro sign) become '?'.
// - Counts physical lines and bytes consumed (for the progress bar).
// - A line can be pushed back (`PushedBackLine` of the importers): the next
//   readLine() returns it again without counting it twice.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace dn {

enum class TextEncoding { Undecided, Cp850, Utf8 };

class Dn4LineReader {
  public:
    // Opens the file; throws IoError when it cannot be opened.
    explicit Dn4LineReader(const std::filesystem::path& file);
    Dn4LineReader(const Dn4LineReader&) = delete;
    Dn4LineReader& operator=(const Dn4LineReader&) = delete;

    // The next line as CP850 bytes without its line break; false at the end
    // of the file. Throws IoError on a read error.
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

  private:
    void findContentEnd();
    void sniffEncoding();
    bool fillBuffer();
    void decode(std::string& line);

    std::filesystem::path path_;
    std::ifstream in_;
    std::int64_t fileSize_ = 0;
    std::int64_t contentEnd_ = 0;   // offset after the last data byte
    std::int64_t offset_ = 0;       // bytes consumed
    std::int64_t bufferStart_ = 0;  // file offset of buffer_[0]
    std::vector<char> buffer_;
    std::size_t bufPos_ = 0;
    std::size_t bufLen_ = 0;
    std::int64_t lineNumber_ = 0;
    TextEncoding encoding_ = TextEncoding::Undecided;
    std::optional<std::string> pushedBack_;
};

}  // namespace dn
