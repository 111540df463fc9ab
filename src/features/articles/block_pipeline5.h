#pragma once
// Import blocks handed from the reading thread to a writing thread, so that
// reading and checking the file runs beside the store work.
//
// The reading thread parses blocks and pushes them; the writing thread
// takes them in the same order and hands each to the consumer (the block
// batch). Blocks travel in chunks, and at most a few chunks wait, so memory
// stays small whatever the file's size. `drain` waits until every pushed
// block is written; only after it may the reading thread touch the store or the
// counters the writer keeps.
//
// The writing thread never talks to the user: its status line and messages
// are kept here and shown by the reading thread (`deliver`). A failure of
// the writing thread other than the consumer's own handling ends the
// writing; it is raised again on the reading thread by the next `push` or
// `drain`.

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "features/articles/article_block5.h"

namespace dn {

class HostServices;

namespace dn5 {

class BlockPipeline {
  public:
    using Consumer = std::function<void(dn5::ArticleBlock&& block)>;

    explicit BlockPipeline(Consumer consume, std::size_t chunkSize = 64, std::size_t maxChunks = 8);
    // Stops the writing thread; blocks not yet written are dropped.
    ~BlockPipeline();
    BlockPipeline(const BlockPipeline&) = delete;
    BlockPipeline& operator=(const BlockPipeline&) = delete;

    // Reading thread.
    void push(dn5::ArticleBlock block);
    // Waits until every pushed block is written and shows what the writing
    // thread kept for the user.
    void drain(HostServices& ui);
    // Shows the kept messages at once and the status line now and then;
    // cheap enough for every line.
    void deliver(HostServices& ui);

    // Writing thread.
    void status(const std::string& text);
    void message(const std::string& text);
    // Blocks done with, freed by the reading thread (which allocated them:
    // freeing memory of another thread is what costs the allocator most).
    void recycle(std::vector<dn5::ArticleBlock>&& blocks);

  private:
    void handOver();
    void rethrow();
    void run();
    void showNow(HostServices& ui);

    Consumer consume_;
    std::size_t chunkSize_;
    std::size_t maxChunks_;
    std::vector<dn5::ArticleBlock> filling_;  // reading thread only

    std::mutex mutex_;
    std::condition_variable work_;  // a chunk waits or stop
    std::condition_variable room_;  // a chunk was taken or written
    std::deque<std::vector<dn5::ArticleBlock>> chunks_;
    bool busy_ = false;
    bool stop_ = false;
    std::exception_ptr failure_;
    std::vector<std::vector<dn5::ArticleBlock>> done_;
    std::vector<std::string> messages_;
    std::string status_;
    bool statusChanged_ = false;
    std::atomic<bool> messagesWaiting_{false};
    std::atomic<bool> statusWanted_{true};
    unsigned deliveries_ = 0;  // reading thread only
    std::thread thread_;
};

}  // namespace dn5
}  // namespace dn
