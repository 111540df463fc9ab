#include "common/line_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "host/errors.h"

namespace dn {
namespace {

constexpr std::size_t kBufferSize = kSniffSize;  // one buffer is the encoding sniff
constexpr std::size_t kTailChunk = 4096;

}  // namespace

LineReader::LineReader(const std::filesystem::path& file, const LineReaderOptions& options)
    : options_(options), path_(file), buffer_(kBufferSize) {
    file_.reset(std::fopen(file.c_str(), "rb"));
    if (!file_) throw IoError(options_.openFailed(file, errno));
    if (std::fseek(file_.get(), 0, SEEK_END) != 0) readFailed();
    fileSize_ = std::ftell(file_.get());
    if (fileSize_ < 0) readFailed();
    findContentEnd();
    if (std::fseek(file_.get(), 0, SEEK_SET) != 0) readFailed();
    sniffEncoding();
}

void LineReader::readFailed() const {
    throw IoError(options_.readFailed(path_, errno));
}

void LineReader::tooLong() const {
    const std::string message = LineTooLongMessage(lineNumber_ + 1);
    if (options_.raiseTooLong) options_.raiseTooLong(message);
    throw IoError(message);
}

std::size_t LineReader::readAt(std::int64_t offset, char* to, std::size_t n) {
    if (std::fseek(file_.get(), static_cast<long>(offset), SEEK_SET) != 0) readFailed();
    const std::size_t got = std::fread(to, 1, n, file_.get());
    if (got != n) readFailed();
    return got;
}

// The data ends before the trailing line ends and 0x1A bytes.
void LineReader::findContentEnd() {
    std::int64_t end = fileSize_;
    std::vector<char> chunk(kTailChunk);
    while (end > 0) {
        const std::int64_t start =
            std::max<std::int64_t>(0, end - static_cast<std::int64_t>(chunk.size()));
        readAt(start, chunk.data(), static_cast<std::size_t>(end - start));
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

// The first buffer up to the first end-of-file mark votes on the encoding.
void LineReader::sniffEncoding() {
    if (!fillBuffer()) return;
    const auto n = static_cast<std::size_t>(std::min<std::int64_t>(bufLen_, contentEnd_));
    std::string_view head(buffer_.data(), n);
    const std::size_t mark = head.find(kEndOfFileMark);
    head = head.substr(0, mark);
    const bool cut = mark == std::string_view::npos && static_cast<std::int64_t>(n) < contentEnd_;
    encoding_ = SniffEncoding(head, cut);
}

bool LineReader::fillBuffer() {
    bufferStart_ += static_cast<std::int64_t>(bufLen_);
    bufPos_ = 0;
    bufLen_ = 0;
    if (bufferStart_ >= contentEnd_) return false;
    bufLen_ = std::fread(buffer_.data(), 1, buffer_.size(), file_.get());
    if (bufLen_ == 0) readFailed();  // the data ends later: the disk failed
    return true;
}

bool LineReader::readLine(std::string& line) {
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
        const auto limit = static_cast<std::size_t>(
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
        if (line.size() > kMaxLineLength) tooLong();
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
    // The line ends and end-of-file bytes after the last line count as read.
    if (offset_ >= contentEnd_ || stopped_) offset_ = fileSize_;
    ++lineNumber_;
    if (lineNumber_ == 1 && std::string_view(line).starts_with(kUtf8Bom)) {
        line.erase(0, kUtf8Bom.size());
        encoding_ = TextEncoding::Utf8;
    }
    LineToCp850(line, encoding_);
    if (!ended && !lastLineEnded_ && FieldCount(line) < options_.fieldsNeeded(line)) {
        checks_.fault(CutOffMessage(lineNumber_));
        BlankControlBytes(line);
        cutLine_ = std::move(line);
        line.clear();
        return false;
    }
    checks_.controlBytes(line, lineNumber_);
    return true;
}

}  // namespace dn
