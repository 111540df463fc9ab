#include "dn4/dn4_line_reader.h"

#include <algorithm>
#include <cstring>

#include "host/codepage.h"
#include "host/errors.h"

namespace dn {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;  // also the size of the encoding sniff
constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool isTrailer(char c) {
    return c == '\r' || c == '\n' || c == '\x1A';
}

bool hasNonAscii(std::string_view s) {
    return std::any_of(s.begin(), s.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Drops a UTF-8 sequence cut off at the end of a sniffed block.
std::string_view withoutCutSequence(std::string_view s) {
    std::size_t back = 0;
    while (back < 3 && back < s.size() &&
           (static_cast<unsigned char>(s[s.size() - 1 - back]) & 0xC0) == 0x80)
        ++back;
    if (back >= s.size()) return s;
    auto lead = static_cast<unsigned char>(s[s.size() - 1 - back]);
    std::size_t len = lead < 0x80         ? 1
                      : (lead >> 5) == 6  ? 2
                      : (lead >> 4) == 14 ? 3
                      : (lead >> 3) == 30 ? 4
                                          : 1;
    if (len > back + 1) return s.substr(0, s.size() - 1 - back);
    return s;
}

}  // namespace

Dn4LineReader::Dn4LineReader(const std::filesystem::path& file)
    : path_(file), in_(file, std::ios::binary), buffer_(kBufferSize) {
    if (!in_) throw IoError("Datei kann nicht geöffnet werden: " + file.string());
    in_.seekg(0, std::ios::end);
    fileSize_ = static_cast<std::int64_t>(in_.tellg());
    findContentEnd();
    in_.clear();
    in_.seekg(0);
    sniffEncoding();
}

// The data ends before the trailing line breaks and 0x1A bytes.
void Dn4LineReader::findContentEnd() {
    std::int64_t end = fileSize_;
    std::vector<char> chunk(4096);
    while (end > 0) {
        std::int64_t start =
            std::max<std::int64_t>(0, end - static_cast<std::int64_t>(chunk.size()));
        in_.seekg(start);
        in_.read(chunk.data(), end - start);
        if (in_.gcount() != end - start) throw IoError("Lesefehler in Datei: " + path_.string());
        for (std::int64_t i = end - start; i > 0; --i)
            if (!isTrailer(chunk[i - 1])) {
                contentEnd_ = start + i;
                return;
            }
        end = start;
    }
    contentEnd_ = 0;
}

void Dn4LineReader::sniffEncoding() {
    if (!fillBuffer()) return;
    std::size_t n = static_cast<std::size_t>(std::min<std::int64_t>(bufLen_, contentEnd_));
    std::string_view head(buffer_.data(), n);
    if (head.substr(0, kBom.size()) == kBom) {
        encoding_ = TextEncoding::Utf8;
        return;
    }
    if (static_cast<std::int64_t>(n) < contentEnd_) head = withoutCutSequence(head);
    // Lines with non-ASCII bytes vote: valid UTF-8 or not. Plain ASCII
    // leaves the decision to the first line with non-ASCII bytes.
    int utf8Lines = 0;
    int otherLines = 0;
    for (std::size_t start = 0; start < head.size();) {
        auto nl = head.find('\n', start);
        std::string_view line = head.substr(start, nl == std::string_view::npos ? nl : nl - start);
        if (hasNonAscii(line)) ++(isValidUtf8(line) ? utf8Lines : otherLines);
        start = nl == std::string_view::npos ? head.size() : nl + 1;
    }
    if (utf8Lines + otherLines > 0)
        encoding_ = utf8Lines > otherLines ? TextEncoding::Utf8 : TextEncoding::Cp850;
}

bool Dn4LineReader::fillBuffer() {
    bufferStart_ += static_cast<std::int64_t>(bufLen_);
    bufPos_ = 0;
    bufLen_ = 0;
    if (bufferStart_ >= contentEnd_) return false;
    in_.read(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    bufLen_ = static_cast<std::size_t>(in_.gcount());
    if (bufLen_ == 0) {
        if (in_.bad() || bufferStart_ < contentEnd_)
            throw IoError("Lesefehler in Datei: " + path_.string());
        return false;
    }
    return true;
}

bool Dn4LineReader::readLine(std::string& line) {
    if (pushedBack_) {
        line = std::move(*pushedBack_);
        pushedBack_.reset();
        return true;
    }
    if (offset_ >= contentEnd_) {
        offset_ = fileSize_;
        return false;
    }
    // The line is built in the caller's string, whose memory is reused.
    line.clear();
    while (true) {
        if (bufPos_ == bufLen_ && !fillBuffer()) break;
        std::size_t limit = static_cast<std::size_t>(
            std::min<std::int64_t>(static_cast<std::int64_t>(bufLen_), contentEnd_ - bufferStart_));
        const char* begin = buffer_.data() + bufPos_;
        const char* nl = static_cast<const char*>(std::memchr(begin, '\n', limit - bufPos_));
        if (nl) {
            line.append(begin, nl);
            bufPos_ = static_cast<std::size_t>(nl - buffer_.data()) + 1;
            offset_ = bufferStart_ + static_cast<std::int64_t>(bufPos_);
            break;
        }
        line.append(begin, limit - bufPos_);
        bufPos_ = limit;
        offset_ = bufferStart_ + static_cast<std::int64_t>(bufPos_);
        if (offset_ >= contentEnd_) break;
    }
    // The line breaks and end-of-file bytes after the last line count as read.
    if (offset_ >= contentEnd_) offset_ = fileSize_;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    ++lineNumber_;
    if (lineNumber_ == 1 && std::string_view(line).substr(0, kBom.size()) == kBom) {
        line.erase(0, kBom.size());
        encoding_ = TextEncoding::Utf8;
    }
    decode(line);
    return true;
}

void Dn4LineReader::pushBack(std::string line) {
    pushedBack_ = std::move(line);
}

void Dn4LineReader::decode(std::string& line) {
    if (encoding_ == TextEncoding::Cp850 || !hasNonAscii(line)) return;
    bool valid = isValidUtf8(line);
    if (encoding_ == TextEncoding::Undecided)
        encoding_ = valid ? TextEncoding::Utf8 : TextEncoding::Cp850;
    if (encoding_ == TextEncoding::Utf8 && valid) line = utf8ToCp850(line);
}

}  // namespace dn
