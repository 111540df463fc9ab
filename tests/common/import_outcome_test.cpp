// The one rule from the files of a run to the command's outcome, and when a
// file gets its change-log line.

#include "common/import_outcome.h"

#include <gtest/gtest.h>

namespace dn {
namespace {

constexpr FileResult kRead{FileEnding::ReadToEnd, 0, 3};
constexpr FileResult kSkipped{FileEnding::ReadToEnd, 2, 3};
constexpr FileResult kFailed{FileEnding::Failed, 0, 0};
constexpr FileResult kCancelled{FileEnding::Cancelled, 0, 1};
constexpr FileResult kStore{FileEnding::StoreFailed, 0, 1};

TEST(ImportOutcome, MostSeriousFileWins) {
    const struct {
        const char* name;
        std::vector<FileResult> files;
        CommandOutcome outcome;
    } cases[] = {
        {"all read", {kRead, kRead}, CommandOutcome::Done},
        {"records skipped", {kRead, kSkipped}, CommandOutcome::Failed},
        {"failed over cancelled", {kCancelled, kFailed}, CommandOutcome::Failed},
        {"cancelled over done", {kRead, kCancelled}, CommandOutcome::Cancelled},
        {"store over all", {kFailed, kStore, kCancelled}, CommandOutcome::DatabaseFailure},
        {"no file taken up", {}, CommandOutcome::Cancelled},
    };
    for (const auto& c : cases) {
        ImportResult run;
        for (const auto& f : c.files) run.add(f);
        EXPECT_EQ(run.outcome(), c.outcome) << c.name;
    }
    ImportResult run;
    run.add(kSkipped);
    run.add(kSkipped);
    EXPECT_EQ(run.skipped(), 4);
    EXPECT_EQ(SkippedNote(run.skipped()), "\n\n4 Sätze wegen fehlerhafter Felder übersprungen!");
    EXPECT_EQ(SkippedRecordsText(1), "1 Satz wegen fehlerhafter Felder übersprungen!");
    EXPECT_EQ(SkippedNote(0), "");
}

TEST(ImportOutcome, ChangeLogLineOnlyForWhatHappened) {
    const FileResult refused{FileEnding::Failed, 0, 0};
    const FileResult stoppedAfterChanges{FileEnding::Failed, 0, 5};
    EXPECT_TRUE(ChangeLogWanted(kRead, ChangeLogWhen::AtEndOfFile));
    EXPECT_TRUE(ChangeLogWanted(kSkipped, ChangeLogWhen::AtEndOfFile));
    EXPECT_FALSE(ChangeLogWanted(stoppedAfterChanges, ChangeLogWhen::AtEndOfFile));
    EXPECT_TRUE(ChangeLogWanted(stoppedAfterChanges, ChangeLogWhen::AlsoAfterStop));
    EXPECT_TRUE(ChangeLogWanted(kCancelled, ChangeLogWhen::AlsoAfterStop));
    EXPECT_FALSE(ChangeLogWanted(refused, ChangeLogWhen::AlsoAfterStop));
}

}  // namespace
}  // namespace dn
