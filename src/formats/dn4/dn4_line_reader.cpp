#include "formats/dn4/dn4_line_reader.h"

#include <algorithm>
#include <cstring>

#include "formats/dn4/dn4_layout.h"
#include "host/errors.h"

namespace dn {
namespace {

constexpr std::size_t kBufferSize = kSniffSize;  // one buffer is the encoding sniff

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
            if (!IsLineTrailer(chunk[i - 1])) {
                contentEnd_ = start + i;
                lastLineEnded_ = contentEnd_ < fileSize_;
                return;
            }
        end = start;
    }
    contentEnd_ = 0;
}

void Dn4LineReader::sniffEncoding() {
    if (!fillBuffer()) return;
    const std::size_t n = static_cast<std::size_t>(std::min<std::int64_t>(bufLen_, contentEnd_));
    encoding_ = SniffEncoding(std::string_view(buffer_.data(), n),
                              static_cast<std::int64_t>(n) < contentEnd_);
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
    if (stopped_ || offset_ >= contentEnd_) {
        offset_ = fileSize_;
        return false;
    }
    // The line is built in the caller's string, whose memory is reused.
    line.clear();
    bool ended = false;
    while (true) {
        if (bufPos_ == bufLen_ && !fillBuffer()) break;
        const std::size_t limit = static_cast<std::size_t>(
            std::min<std::int64_t>(static_cast<std::int64_t>(bufLen_), contentEnd_ - bufferStart_));
        if (bufPos_ == limit) break;
        if (afterCr_) {  // CR LF is one line end
            afterCr_ = false;
            if (buffer_[bufPos_] == '\n') {
                ++bufPos_;
                offset_ = bufferStart_ + static_cast<std::int64_t>(bufPos_);
                continue;
            }
        }
        const char* begin = buffer_.data() + bufPos_;
        const char* stop = FindLineBreak(begin, buffer_.data() + limit);
        line.append(begin, stop ? stop : buffer_.data() + limit);
        if (line.size() > kMaxLineLength) throw IoError(LineTooLongMessage(lineNumber_ + 1));
        bufPos_ = stop ? static_cast<std::size_t>(stop - buffer_.data()) + 1 : limit;
        offset_ = bufferStart_ + static_cast<std::int64_t>(bufPos_);
        if (stop) {
            ended = true;
            if (*stop == '\r') {  // CR LF is one line end; the LF may lie in the next buffer
                if (bufPos_ == limit)
                    afterCr_ = true;
                else if (buffer_[bufPos_] == '\n')
                    offset_ = bufferStart_ + static_cast<std::int64_t>(++bufPos_);
            }
            if (*stop == kEndOfFileMark) {  // data follows, or it would lie past contentEnd_
                checks_.fault(EndMarkMessage(lineNumber_ + 1));
                stopped_ = true;
                offset_ = fileSize_;
                if (line.empty()) return false;  // the mark begins a line: no line before it
            }
            break;
        }
        if (offset_ >= contentEnd_) break;
    }
    // The line breaks and end-of-file bytes after the last line count as read.
    if (offset_ >= contentEnd_ || stopped_) offset_ = fileSize_;
    ++lineNumber_;
    if (lineNumber_ == 1 && std::string_view(line).starts_with(kUtf8Bom)) {
        line.erase(0, kUtf8Bom.size());
        encoding_ = TextEncoding::Utf8;
    }
    if (!ended && !lastLineEnded_ && lineIsCut(line)) {
        checks_.fault(CutOffMessage(lineNumber_));
        return false;
    }
    decode(line);
    return true;
}

void Dn4LineReader::pushBack(std::string line) {
    pushedBack_ = std::move(line);
}

// A last line without line end that has fewer fields than its record needs.
bool Dn4LineReader::lineIsCut(std::string_view line) const {
    return FieldCount(line) < Dn4FieldsNeeded(line);
}

void Dn4LineReader::decode(std::string& line) {
    LineToCp850(line, encoding_);
    checks_.controlBytes(line, lineNumber_);
}

}  // namespace dn
