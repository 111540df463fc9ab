// Ctrl-C on the command line counts as Escape; "nein" to "Import abbrechen ?"
// clears it, so that the question is not asked again at once.

#include <gtest/gtest.h>

#include <csignal>

#include "cli/console_host.h"
#include "host/escape_question.h"

namespace dn::cli {
namespace {

TEST(ConsoleEscape, NoClearsCtrlC) {
    ConsoleOptions options;
    options.answer = false;  // --no
    ConsoleHost host(options);
    installEscapeHandler();
    testing::internal::CaptureStderr();
    std::raise(SIGINT);
    EXPECT_TRUE(host.EscPressed());
    EXPECT_FALSE(EscapeEndsLoop(host));
    EXPECT_FALSE(host.EscPressed());
    for (int step = 0; step < 1000; ++step) EXPECT_FALSE(EscapeEndsLoop(host));
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err, "Import abbrechen ? -> nein\n");
    std::signal(SIGINT, SIG_DFL);
}

}  // namespace
}  // namespace dn::cli
