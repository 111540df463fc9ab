#pragma once
// Reads a DATANORM 5 file line by line from disk, in bounded memory
// whatever the file's size. Lines come out as CP850 bytes without their line
// end, so that field lengths count characters; a UTF-8 file is recognised
// and converted line by line.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace dn {

class LineReader5 {
public:
    // Lines longer than this end the file as faulty.
    static constexpr std::size_t kMaxLine = 1 << 20;
    // The first bytes looked at to recognise a UTF-8 file.
    static constexpr std::size_t kSniffSize = 64 * 1024;

    // Raises IoError when the file cannot be opened.
    explicit LineReader5(const std::filesystem::path& file);

    // The next line (CR LF or LF; a last line without line end counts; a
    // 0x1A byte ends the file). False at the end of the file. Raises
    // edatanormfehler for a line longer than kMaxLine and IoError when the
    // file cannot be read.
    bool next(std::string& line);

    // True once the file has been recognised as UTF-8.
    bool isUtf8() const { return encoding_ == Encoding::Utf8; }
    // Bytes of the file consumed so far, line ends included.
    std::uint64_t bytesRead() const { return bytesRead_; }
    // Number of the line last returned, from 1.
    long lineNumber() const { return lineNumber_; }
    // Size of the file in bytes when it was opened.
    std::uint64_t fileSize() const { return fileSize_; }

private:
    enum class Encoding { Undecided, Cp850, Utf8 };
    struct FileCloser {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };

    bool fill();
    void sniff();
    void toCp850(std::string& line);

    std::unique_ptr<std::FILE, FileCloser> file_;
    std::filesystem::path path_;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool atEnd_ = false;
    Encoding encoding_ = Encoding::Undecided;
    std::uint64_t bytesRead_ = 0;
    std::uint64_t fileSize_ = 0;
    long lineNumber_ = 0;
};

}  // namespace dn
