#pragma once
// Reads a DATANORM 5 file line by line from disk, in bounded memory
// whatever the file's size. Lines come out as CP850 bytes without their line
// end, so that field lengths count characters; a UTF-8 or Windows-1252 file
// is recognised and converted line by line. Line ends, the end-of-file mark,
// cut-off last lines, control bytes and the length limit follow the rules
// of host/text_lines.h.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "host/text_lines.h"

namespace dn {

class LineReader5 {
  public:
    // Lines longer than this end the file as faulty.
    static constexpr std::size_t kMaxLine = kMaxLineLength;
    // The first bytes looked at to recognise the encoding.
    static constexpr std::size_t kSniffSize = dn::kSniffSize;

    // Raises IoError when the file cannot be opened.
    explicit LineReader5(const std::filesystem::path& file);

    // The next line (CR LF, LF or CR; a last line without line end counts
    // unless it was cut off; a 0x1A byte ends the file). False at the end of
    // the file. Raises edatanormfehler for a line longer than kMaxLine and
    // IoError when the file cannot be read.
    bool next(std::string& line);

    // True once the file has been recognised as UTF-8.
    bool isUtf8() const { return encoding_ == TextEncoding::Utf8; }
    TextEncoding encoding() const { return encoding_; }
    // Faults (cut off, data after the end-of-file mark) and protocol notes
    // of the file read so far.
    LineReadReport report() const { return checks_.report(encoding_); }
    // The last line, dropped because the file ends inside it; empty if none.
    const std::string& cutLine() const { return cutLine_; }
    // Bytes of the file consumed so far, line ends included.
    std::uint64_t bytesRead() const { return bytesRead_; }
    // Number of the line last returned, from 1.
    long lineNumber() const { return lineNumber_; }
    // Size of the file in bytes when it was opened.
    std::uint64_t fileSize() const { return fileSize_; }

  private:
    struct FileCloser {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };

    bool fill();
    void sniff();
    void toCp850(std::string& line);
    void checkAfterMark();

    std::unique_ptr<std::FILE, FileCloser> file_;
    std::filesystem::path path_;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool atEnd_ = false;
    bool afterCr_ = false;  // the last line ended with CR: an LF next is its line end
    bool stopped_ = false;  // an end-of-file mark was met
    TextEncoding encoding_ = TextEncoding::Undecided;
    LineChecks checks_;
    std::string cutLine_;
    std::uint64_t bytesRead_ = 0;
    std::uint64_t fileSize_ = 0;
    long lineNumber_ = 0;
};

}  // namespace dn
