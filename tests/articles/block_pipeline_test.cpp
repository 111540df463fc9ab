// Blocks handed to the writing thread: written in order, all of them before
// `drain` returns, the writer's messages shown on the reading thread, and a
// failure of the writing thread raised on the reading one.

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

#include "features/articles/block_pipeline5.h"
#include "host/scripted_host.h"

namespace dn::dn5 {
namespace {

dn5::ArticleBlock block(int n) {
    dn5::ArticleBlock b;
    b.number = std::to_string(n);
    return b;
}

TEST(BlockPipeline, WritesEveryBlockInOrderOnItsOwnThread) {
    ScriptedHost host;
    std::vector<std::string> written;
    std::thread::id writer;
    BlockPipeline* self = nullptr;
    BlockPipeline pipeline(
        [&](dn5::ArticleBlock&& b) {
            writer = std::this_thread::get_id();
            written.push_back(b.number);
            if (b.number == "500") self->message("Fehler bei 500");
        },
        16, 2);
    self = &pipeline;
    for (int n = 0; n < 1000; ++n) pipeline.push(block(n));
    pipeline.drain(host);  // also the last, partly filled chunk
    ASSERT_EQ(written.size(), 1000u);
    for (int n = 0; n < 1000; ++n) ASSERT_EQ(written[n], std::to_string(n));
    EXPECT_NE(writer, std::this_thread::get_id());
    EXPECT_EQ(host.messages, std::vector<std::string>{"Fehler bei 500"});

    pipeline.push(block(1000));  // usable again after a drain
    pipeline.drain(host);
    EXPECT_EQ(written.back(), "1000");
}

TEST(BlockPipeline, FailureOfTheWriterIsRaisedOnTheReadingThread) {
    ScriptedHost host;
    std::vector<std::string> written;
    BlockPipeline pipeline(
        [&](dn5::ArticleBlock&& b) {
            if (b.number == "20") throw std::runtime_error("Speicher voll");
            written.push_back(b.number);
        },
        4, 1);
    EXPECT_THROW(
        {
            for (int n = 0; n < 1000; ++n) pipeline.push(block(n));
            pipeline.drain(host);
        },
        std::runtime_error);
    ASSERT_EQ(written.size(), 20u);  // nothing after the failed block
    EXPECT_THROW(pipeline.drain(host), std::runtime_error);
}

}  // namespace
}  // namespace dn::dn5
