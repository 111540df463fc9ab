#include "formats/dn4/dn4_lines_ahead.h"

#include <utility>

#include "formats/dn4/dn4_lines.h"

namespace dn::dn4 {

LinesAhead::LinesAhead(const std::filesystem::path& file, std::size_t chunkLines,
                       std::size_t maxChunks)
    : file_(file, kLineOptions),
      chunkLines_(chunkLines == 0 ? 1 : chunkLines),
      maxChunks_(maxChunks == 0 ? 1 : maxChunks) {
    thread_ = std::thread([this] { run(); });
}

LinesAhead::~LinesAhead() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    room_.notify_all();
    thread_.join();
}

void LinesAhead::run() {
    Dn4Reader ahead;
    for (;;) {
        Chunk chunk;
        {
            std::unique_lock lock(mutex_);
            room_.wait(lock, [&] { return filled_.size() < maxChunks_ || stop_; });
            if (stop_) return;
            if (!spare_.empty()) {
                chunk = std::move(spare_.back());
                spare_.pop_back();
            }
        }
        fill(chunk, ahead);
        const bool end = chunk.end;
        {
            std::lock_guard lock(mutex_);
            filled_.push_back(std::move(chunk));
        }
        ready_.notify_one();
        if (end) return;
    }
}

void LinesAhead::fill(Chunk& chunk, Dn4Reader& ahead) {
    chunk.count = 0;
    try {
        chunk.lines.resize(chunkLines_);
        while (chunk.count < chunkLines_) {
            Line& l = chunk.lines[chunk.count];
            if (!file_.readLine(l.text)) {
                chunk.end = true;
                chunk.endBytes = file_.bytesRead();
                chunk.report = file_.report();
                return;
            }
            l.converted = ahead.ConvertAhead(l.text);
            if (l.converted) l.buffers = ahead.buffers();
            l.bytesRead = file_.bytesRead();
            l.lineNumber = file_.lineNumber();
            ++chunk.count;
        }
    } catch (...) {
        chunk.failure = std::current_exception();
        chunk.end = true;
        chunk.endBytes = file_.bytesRead();
        chunk.report = file_.report();
    }
}

void LinesAhead::nextChunk() {
    std::unique_lock lock(mutex_);
    current_.count = 0;
    spare_.push_back(std::move(current_));
    ready_.wait(lock, [&] { return !filled_.empty(); });
    current_ = std::move(filled_.front());
    filled_.pop_front();
    lock.unlock();
    room_.notify_one();
    next_ = 0;
}

bool LinesAhead::readLine(std::string& line) {
    last_ = nullptr;  // a pushed-back line is converted again should anyone ask
    if (pushedBack_) {
        line = std::move(*pushedBack_);
        pushedBack_.reset();
        return true;
    }
    while (next_ == current_.count) {
        if (current_.end) {
            bytesRead_ = current_.endBytes;
            report_ = current_.report;
            if (auto failure = std::exchange(current_.failure, nullptr))
                std::rethrow_exception(failure);
            return false;
        }
        nextChunk();
    }
    Line& l = current_.lines[next_++];
    line.swap(l.text);
    last_ = &l;
    bytesRead_ = l.bytesRead;
    lineNumber_ = l.lineNumber;
    return true;
}

bool LinesAhead::convert(Dn4Reader& reader, std::string_view line) {
    if (last_ && last_->converted) {
        reader.adopt(last_->buffers);
        return true;
    }
    return reader.ConvertDn4Line(line, lineNumber_);
}

}  // namespace dn::dn4
