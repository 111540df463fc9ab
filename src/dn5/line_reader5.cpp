#include "dn5/line_reader5.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "dn5/edatanormfehler.h"
#include "host/codepage.h"
#include "host/errors.h"

namespace dn {

namespace {

constexpr char kCtrlZ = 0x1A;

bool hasNonAscii(std::string_view bytes) {
    return std::any_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Drops an incomplete UTF-8 sequence at the end of a cut-off block.
std::string_view withoutCutSequence(std::string_view bytes) {
    for (std::size_t back = 1; back <= 3 && back <= bytes.size(); ++back) {
        const auto b = static_cast<unsigned char>(bytes[bytes.size() - back]);
        if ((b & 0xC0) == 0x80) continue;  // continuation byte: look further back
        if (b >= 0xC0) {
            const std::size_t len = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
            if (len > back) return bytes.substr(0, bytes.size() - back);
        }
        break;
    }
    return bytes;
}

}  // namespace

LineReader5::LineReader5(const std::filesystem::path& file) : path_(file), buffer_(kSniffSize) {
    file_.reset(std::fopen(file.c_str(), "rb"));
    if (!file_)
        throw IoError("Datei " + file.string() + " kann nicht geöffnet werden: " + std::strerror(errno));
    std::error_code ec;
    const auto size = std::filesystem::file_size(file, ec);
    fileSize_ = ec ? 0 : size;
    fill();
    sniff();
}

bool LineReader5::fill() {
    if (atEnd_) return false;
    pos_ = 0;
    end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_.get());
    if (end_ == 0) {
        if (std::ferror(file_.get()))
            throw IoError("Dateifehler: " + std::to_string(errno) + " (" + path_.string() + ")");
        atEnd_ = true;
        return false;
    }
    return true;
}

void LineReader5::sniff() {
    std::string_view head(buffer_.data(), end_);
    head = head.substr(0, head.find(kCtrlZ));
    if (!hasNonAscii(head)) return;  // decided by the first line that has such characters
    const bool whole = end_ < buffer_.size();
    encoding_ = isValidUtf8(whole ? head : withoutCutSequence(head)) ? Encoding::Utf8 : Encoding::Cp850;
}

void LineReader5::toCp850(std::string& line) {
    if (encoding_ == Encoding::Cp850) return;
    if (encoding_ == Encoding::Undecided) {
        if (!hasNonAscii(line)) return;
        encoding_ = isValidUtf8(line) ? Encoding::Utf8 : Encoding::Cp850;
        if (encoding_ == Encoding::Cp850) return;
    }
    if (lineNumber_ == 1 && line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
    // A stray line that is not UTF-8 stays as it is (read as CP850).
    if (isValidUtf8(line)) line = utf8ToCp850(line);
}

bool LineReader5::next(std::string& line) {
    line.clear();
    bool consumed = false;
    for (;;) {
        if (pos_ == end_ && !fill()) {
            if (!consumed) return false;
            break;
        }
        const char* begin = buffer_.data() + pos_;
        const std::size_t avail = end_ - pos_;
        const char* stop = static_cast<const char*>(std::memchr(begin, '\n', avail));
        const char* ctrlZ = static_cast<const char*>(std::memchr(begin, kCtrlZ, stop ? stop - begin : avail));
        if (ctrlZ) {
            // End-of-file mark: what stands before it is the last line.
            line.append(begin, ctrlZ);
            // Whatever follows the mark is no content: the file counts as read.
            bytesRead_ = std::max(bytesRead_ + static_cast<std::uint64_t>(ctrlZ - begin) + 1, fileSize_);
            atEnd_ = true;
            pos_ = end_ = 0;
            if (!consumed && line.empty()) return false;
            break;
        }
        const std::size_t take = stop ? static_cast<std::size_t>(stop - begin) : avail;
        line.append(begin, take);
        consumed = true;
        pos_ += take + (stop ? 1 : 0);
        bytesRead_ += take + (stop ? 1 : 0);
        if (line.size() > kMaxLine)
            throw edatanormfehler("FEHLER in DATANORM-Datei !!!\n\nZeile " + std::to_string(lineNumber_ + 1) +
                                  " ist länger als " + std::to_string(kMaxLine) + " Zeichen.\n\n" +
                                  "Die Übernahme wird abgebrochen!");
        if (stop) break;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    ++lineNumber_;
    toCp850(line);
    return true;
}

}  // namespace dn
