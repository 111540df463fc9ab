#pragma once
// The lines of a DATANORM 4 file read and converted ahead on a second
// thread, so that reading and converting run beside the import's store work.
//
// The reading thread reads the lines (LineReader) and converts each with
// a reader without session (`Dn4Reader::ConvertAhead`). The importing thread
// takes them in file order: `readLine` hands out the next line, `convert`
// puts its conversion into the importer's reader: the one made ahead or,
// for a line that may need the user (the header, a line before it, an
// over-long field), a conversion there and then with the importer's reader,
// which asks and tells the user as always. Lines travel in chunks and at
// most a few chunks wait, so memory stays small whatever the file's size.
// A read error of the reading thread is raised by `readLine` at the line
// where it occurred; the lines before it are handed out first.

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <exception>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "common/line_reader.h"
#include "formats/dn4/dn4_reader.h"

namespace dn::dn4 {

class LinesAhead {
  public:
    // Opens the file on the calling thread (IoError as LineReader) and
    // starts reading.
    explicit LinesAhead(const std::filesystem::path& file, std::size_t chunkLines = 256,
                        std::size_t maxChunks = 4);
    // Stops the reading thread; lines not taken are dropped.
    ~LinesAhead();
    LinesAhead(const LinesAhead&) = delete;
    LinesAhead& operator=(const LinesAhead&) = delete;

    // As LineReader::readLine. The string's memory is reused.
    bool readLine(std::string& line);
    // `reader.ConvertDn4Line(line)` for the line readLine handed out last;
    // false ends the file as there.
    bool convert(Dn4Reader& reader, std::string_view line);

    // `PushedBackLine`: handed out again by the next readLine().
    void pushBack(std::string line) { pushedBack_ = std::move(line); }
    bool hasPushedBack() const { return pushedBack_.has_value(); }

    // Bytes consumed up to the line handed out last, line breaks included.
    std::int64_t bytesRead() const { return bytesRead_; }
    // Physical line number of the line handed out last.
    std::int64_t lineNumber() const { return lineNumber_; }
    // As LineReader::report, once readLine has returned false.
    const LineReadReport& report() const { return report_; }

  private:
    struct Line {
        std::string text;
        bool converted = false;
        Dn4Buffers buffers;
        std::int64_t bytesRead = 0;
        std::int64_t lineNumber = 0;
    };
    struct Chunk {
        std::vector<Line> lines;
        std::size_t count = 0;
        bool end = false;            // no chunk follows
        std::int64_t endBytes = 0;   // bytes consumed at the end
        std::exception_ptr failure;  // raised after the chunk's lines
        LineReadReport report;       // of the whole file, in the last chunk
    };

    void run();
    void fill(Chunk& chunk, Dn4Reader& ahead);
    void nextChunk();

    LineReader file_;  // reading thread only, once started
    std::size_t chunkLines_;
    std::size_t maxChunks_;

    std::mutex mutex_;
    std::condition_variable ready_;  // a chunk was filled
    std::condition_variable room_;   // a chunk was taken, or stop
    std::deque<Chunk> filled_;
    std::vector<Chunk> spare_;  // taken chunks, refilled with their strings' memory
    bool stop_ = false;

    // Importing thread.
    Chunk current_;
    std::size_t next_ = 0;
    const Line* last_ = nullptr;  // the line handed out last, unless pushed back
    std::optional<std::string> pushedBack_;
    std::int64_t bytesRead_ = 0;
    std::int64_t lineNumber_ = 0;
    LineReadReport report_;

    std::thread thread_;
};

}  // namespace dn::dn4
