#include "formats/dn5/line_reader5.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "formats/dn5/edatanormfehler.h"
#include "formats/dn5/record_layout5.h"
#include "host/errors.h"

namespace dn {

LineReader5::LineReader5(const std::filesystem::path& file) : path_(file), buffer_(kSniffSize) {
    file_.reset(std::fopen(file.c_str(), "rb"));
    if (!file_)
        throw IoError("Datei " + file.string() +
                      " kann nicht geöffnet werden: " + std::strerror(errno));
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
    const auto mark = head.find(kEndOfFileMark);
    head = head.substr(0, mark);
    encoding_ = SniffEncoding(head, mark == std::string_view::npos && end_ == buffer_.size());
}

void LineReader5::toCp850(std::string& line) {
    if (lineNumber_ == 1 && line.starts_with(kUtf8Bom)) {
        line.erase(0, kUtf8Bom.size());
        encoding_ = TextEncoding::Utf8;
    }
    LineToCp850(line, encoding_);
    checks_.controlBytes(line, lineNumber_);
}

// After an end-of-file mark only line ends and further marks may follow;
// anything else is data the file still holds.
void LineReader5::checkAfterMark() {
    stopped_ = true;
    for (;;) {
        const char* begin = buffer_.data() + pos_;
        const char* end = buffer_.data() + end_;
        if (std::find_if_not(begin, end, IsLineTrailer) != end) {
            checks_.fault(EndMarkMessage(lineNumber_ + 1));
            break;
        }
        pos_ = end_;
        if (!fill()) break;
    }
    // Whatever follows the mark is no content: the file counts as read.
    bytesRead_ = std::max(bytesRead_, fileSize_);
    pos_ = end_ = 0;
    atEnd_ = true;
}

bool LineReader5::next(std::string& line) {
    line.clear();
    if (stopped_) return false;
    bool consumed = false;  // bytes of this line were taken
    bool ended = false;     // the line has its line end (or the mark)
    for (;;) {
        if (pos_ == end_ && !fill()) break;
        if (afterCr_) {  // CR LF is one line end
            afterCr_ = false;
            if (buffer_[pos_] == '\n') {
                ++pos_;
                ++bytesRead_;
                continue;
            }
        }
        const char* begin = buffer_.data() + pos_;
        const char* stop = FindLineBreak(begin, buffer_.data() + end_);
        const std::size_t take = stop ? static_cast<std::size_t>(stop - begin) : end_ - pos_;
        line.append(begin, take);
        pos_ += take + (stop ? 1 : 0);
        bytesRead_ += take + (stop ? 1 : 0);
        if (line.size() > kMaxLine) throw edatanormfehler(LineTooLongMessage(lineNumber_ + 1));
        if (stop && *stop == kEndOfFileMark) {
            checkAfterMark();
            // A mark at the beginning of a line ends the file before it.
            if (!consumed && line.empty()) return false;
            ended = true;
            break;
        }
        consumed = true;
        if (stop) {
            if (*stop == '\r') {  // CR LF is one line end; the LF may lie in the next buffer
                if (pos_ == end_) {
                    afterCr_ = true;
                } else if (buffer_[pos_] == '\n') {
                    ++pos_;
                    ++bytesRead_;
                }
            }
            ended = true;
            break;
        }
    }
    if (!consumed && !ended) return false;
    ++lineNumber_;
    toCp850(line);
    if (!ended && FieldCount(line) < FieldsNeeded5(line)) {
        checks_.fault(CutOffMessage(lineNumber_));
        cutLine_ = std::move(line);
        line.clear();
        return false;
    }
    return true;
}

}  // namespace dn
