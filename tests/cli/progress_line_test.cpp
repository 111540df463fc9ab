// The progress line's text from the bar's state and the time gone by.

#include "cli/progress_line.h"

#include <gtest/gtest.h>

namespace dn::cli {
namespace {

TEST(ProgressLine, PercentCountRateAndTimeLeft) {
    using std::chrono::duration;
    const ProgressState half{"Lese Datei...", 1000, 500, 200, ""};
    EXPECT_EQ(progressText(half, duration<double>(4.0)),
              "Lese Datei...  50 %  200 Artikel  50 Artikel/s  noch 0:04");
    // At the start there is no rate yet.
    EXPECT_EQ(progressText(half, duration<double>(0.2)), "Lese Datei...  50 %  200 Artikel");
    // Without a count or a known end: what is known, and the panel's text.
    EXPECT_EQ(progressText({"Rabatte", 0, 0, -1, "1-47"}, duration<double>(10.0)), "Rabatte  1-47");
    EXPECT_EQ(
        progressText({"Importiere Datanormdatei...", 100, 10, 5, ""}, duration<double>(3600.0)),
        "Importiere Datanormdatei...  10 %  5 Artikel  0 Artikel/s  noch 9:00:00");
}

}  // namespace
}  // namespace dn::cli
