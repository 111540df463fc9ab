#pragma once
// The progress of a long command on the command line: what the importers
// report through the host's progress calls (bar position, count, status
// text), as one line. On a terminal the line is redrawn in place and
// cleared before any message; without one, `--progress` writes it now and
// then as a line of its own.

#include <chrono>
#include <string>

namespace dn::cli {

struct ProgressState {
    std::string title;  // the bar's or the panel's title
    long max = 0;       // 0 = no known end
    long value = 0;
    long count = -1;   // articles so far; -1 = not reported
    std::string info;  // the panel's status text
};

// "Lese Datei...  42 %  12345 Artikel  3456 Artikel/s  noch 0:12  1-4711".
// Rate and time left only once some time has passed.
std::string progressText(const ProgressState& p, std::chrono::duration<double> elapsed);

// When to draw: on a terminal at most every `terminalEvery`, a periodic
// line every `linesEvery`.
class ProgressPacer {
  public:
    using Clock = std::chrono::steady_clock;
    explicit ProgressPacer(Clock::duration every) : every_(every) {}
    void start(Clock::time_point now) {
        start_ = now;
        last_ = now - every_;
    }
    // True when a line is due now (and notes it as drawn).
    bool due(Clock::time_point now) {
        if (now - last_ < every_) return false;
        last_ = now;
        return true;
    }
    std::chrono::duration<double> elapsed(Clock::time_point now) const { return now - start_; }

  private:
    Clock::duration every_;
    Clock::time_point start_{};
    Clock::time_point last_{};
};

}  // namespace dn::cli
