#include "host/wal_checkpointer.h"

#include <sqlite3.h>

#include <string>

#include "host/errors.h"

namespace dn {

WalCheckpointer::WalCheckpointer(sqlite3* writer, const std::filesystem::path& file, int start,
                                 int limit)
    : writer_(writer), start_(start), limit_(limit) {
    const int rc = sqlite3_open_v2(file.string().c_str(), &db_,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
        sqlite3_close(db_);
        throw DatabaseError("Datenbank öffnen (" + file.string() + "): " + message);
    }
    // The checkpoint syncs as the writer's commits do.
    sqlite3_exec(db_, "PRAGMA synchronous = NORMAL", nullptr, nullptr, nullptr);
    sqlite3_busy_timeout(db_, 5000);
    thread_ = std::thread([this] { run(); });
    sqlite3_wal_hook(writer_, &WalCheckpointer::onCommit, this);
}

WalCheckpointer::~WalCheckpointer() {
    sqlite3_wal_hook(writer_, nullptr, nullptr);
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
    sqlite3_close(db_);
}

std::uint64_t WalCheckpointer::completed() const {
    std::lock_guard lock(mutex_);
    return completed_;
}

int WalCheckpointer::onCommit(void* self, sqlite3*, const char*, int pages) {
    static_cast<WalCheckpointer*>(self)->committed(pages);
    return SQLITE_OK;
}

void WalCheckpointer::committed(int pages) {
    // A log that began anew counts from its start; a checkpoint is asked
    // for every `start` pages of growth, not after every small commit.
    if (pages < lastWake_) lastWake_ = 0;
    if (pages - lastWake_ < start_) return;
    lastWake_ = pages;
    std::unique_lock lock(mutex_);
    wanted_ = true;
    wake_.notify_one();
    if (pages < limit_) return;
    // The log outgrew the thread: wait until a checkpoint that began after
    // this commit has finished.
    const std::uint64_t target = completed_ + (running_ ? 2 : 1);
    done_.wait(lock, [&] { return completed_ >= target || stop_; });
}

void WalCheckpointer::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [&] { return wanted_ || stop_; });
        if (stop_) return;
        wanted_ = false;
        running_ = true;
        lock.unlock();
        // PASSIVE never waits for the writer; what it cannot copy now is
        // copied by the next round.
        sqlite3_wal_checkpoint_v2(db_, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
        lock.lock();
        running_ = false;
        ++completed_;
        done_.notify_all();
    }
}

}  // namespace dn
