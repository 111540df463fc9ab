#include "features/articles/block_pipeline5.h"

#include <utility>

#include "host/host_services.h"

namespace dn::dn5 {

BlockPipeline::BlockPipeline(Consumer consume, std::size_t chunkSize, std::size_t maxChunks)
    : consume_(std::move(consume)),
      chunkSize_(chunkSize == 0 ? 1 : chunkSize),
      maxChunks_(maxChunks == 0 ? 1 : maxChunks) {
    filling_.reserve(chunkSize_);
    thread_ = std::thread([this] { run(); });
}

BlockPipeline::~BlockPipeline() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
        chunks_.clear();
    }
    work_.notify_all();
    thread_.join();
}

void BlockPipeline::push(dn5::ArticleBlock block) {
    filling_.push_back(std::move(block));
    if (filling_.size() >= chunkSize_) handOver();
}

void BlockPipeline::handOver() {
    std::unique_lock lock(mutex_);
    room_.wait(lock, [&] { return chunks_.size() < maxChunks_ || failure_; });
    if (failure_) {
        filling_.clear();
        lock.unlock();
        rethrow();
    }
    chunks_.push_back(std::move(filling_));
    std::vector<std::vector<dn5::ArticleBlock>> done;
    done.swap(done_);
    lock.unlock();
    work_.notify_one();
    done.clear();
    filling_ = {};
    filling_.reserve(chunkSize_);
}

void BlockPipeline::drain(HostServices& ui) {
    if (!filling_.empty()) handOver();
    {
        std::unique_lock lock(mutex_);
        room_.wait(lock, [&] { return (chunks_.empty() && !busy_) || failure_; });
    }
    showNow(ui);
    rethrow();
}

void BlockPipeline::rethrow() {
    std::exception_ptr failure;
    {
        std::lock_guard lock(mutex_);
        failure = failure_;
    }
    if (failure) std::rethrow_exception(failure);
}

void BlockPipeline::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        work_.wait(lock, [&] { return !chunks_.empty() || stop_; });
        if (stop_) return;
        std::vector<dn5::ArticleBlock> chunk = std::move(chunks_.front());
        chunks_.pop_front();
        busy_ = true;
        lock.unlock();
        room_.notify_one();
        std::exception_ptr failure;
        try {
            for (auto& block : chunk) consume_(std::move(block));
        } catch (...) {
            failure = std::current_exception();
        }
        chunk.clear();  // the blocks are freed outside the lock
        lock.lock();
        busy_ = false;
        if (failure) {
            failure_ = failure;
            chunks_.clear();
        }
        room_.notify_all();
        if (failure_) {
            // Nothing more is written; the reading thread learns of it.
            work_.wait(lock, [&] { return stop_; });
            return;
        }
    }
}

void BlockPipeline::recycle(std::vector<dn5::ArticleBlock>&& blocks) {
    std::lock_guard lock(mutex_);
    done_.push_back(std::move(blocks));
}

void BlockPipeline::status(const std::string& text) {
    // Taken only when the reading thread asked for a new one.
    if (!statusWanted_.load(std::memory_order_relaxed)) return;
    std::lock_guard lock(mutex_);
    status_ = text;
    statusChanged_ = true;
    statusWanted_.store(false, std::memory_order_relaxed);
}

void BlockPipeline::message(const std::string& text) {
    std::lock_guard lock(mutex_);
    messages_.push_back(text);
    messagesWaiting_.store(true, std::memory_order_release);
}

void BlockPipeline::deliver(HostServices& ui) {
    // Messages as soon as they are there; the status line every so often.
    if (!messagesWaiting_.load(std::memory_order_acquire) && ++deliveries_ % 512 != 0) return;
    showNow(ui);
}

void BlockPipeline::showNow(HostServices& ui) {
    std::vector<std::string> messages;
    std::string status;
    bool statusChanged = false;
    {
        std::lock_guard lock(mutex_);
        messages.swap(messages_);
        messagesWaiting_.store(false, std::memory_order_relaxed);
        if (statusChanged_) status = status_;
        statusChanged = statusChanged_;
        statusChanged_ = false;
    }
    if (statusChanged) ui.SetInfo(status);
    statusWanted_.store(true, std::memory_order_relaxed);
    for (const auto& m : messages) ui.meldung(m);
}

}  // namespace dn::dn5
