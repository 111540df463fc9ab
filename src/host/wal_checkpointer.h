#pragma once
// Checkpoints of the store's write-ahead log on a second connection and
// thread, so that copying committed pages into the database file runs
// beside the import instead of inside its commits.
//
// The writing connection's commit hook wakes the thread whenever the log has
// grown by `start` pages. Should the log still grow to `limit` pages, the committing
// thread waits for the running checkpoint, so the log stays bounded. A
// checkpoint changes nothing the readers see; a kill at any moment leaves
// the store as the write-ahead log guarantees.

#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <thread>

struct sqlite3;

namespace dn {

class WalCheckpointer {
  public:
    // Installs the commit hook on `writer` (which replaces its automatic
    // checkpoints) and starts the thread with its own connection to `file`.
    WalCheckpointer(sqlite3* writer, const std::filesystem::path& file, int start, int limit);
    // Stops the thread; the writer's own close checkpoints what is left.
    ~WalCheckpointer();
    WalCheckpointer(const WalCheckpointer&) = delete;
    WalCheckpointer& operator=(const WalCheckpointer&) = delete;

    // Checkpoints finished so far (for tests and figures).
    std::uint64_t completed() const;

  private:
    static int onCommit(void* self, sqlite3* db, const char* schema, int pages);
    void committed(int pages);
    void run();

    sqlite3* writer_;
    sqlite3* db_ = nullptr;
    int start_;
    int limit_;
    int lastWake_ = 0;  // log size at the last request (writer's thread only)
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    bool wanted_ = false;
    bool running_ = false;
    bool stop_ = false;
    std::uint64_t completed_ = 0;
    std::thread thread_;
};

}  // namespace dn
