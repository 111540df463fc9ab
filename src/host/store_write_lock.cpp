#include "host/store_write_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "host/errors.h"

namespace dn {

namespace {

// The holder as the lock file names it: its process id, a line feed and the
// command's name.
struct Holder {
    std::string process;
    std::string command;
};

Holder readHolder(int fd) {
    std::string text;
    char buffer[512];
    ssize_t n = 0;
    while ((n = pread(fd, buffer, sizeof buffer, static_cast<off_t>(text.size()))) > 0 &&
           text.size() < 4096)
        text.append(buffer, static_cast<std::size_t>(n));
    Holder h;
    const auto end = text.find('\n');
    h.process = text.substr(0, end);
    if (end != std::string::npos) h.command = text.substr(end + 1);
    while (!h.command.empty() && h.command.back() == '\n') h.command.pop_back();
    // Whatever another program left there never drives a terminal.
    for (std::string* part : {&h.process, &h.command})
        for (char& c : *part)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
    return h;
}

void writeHolder(int fd, const std::string& command) {
    const std::string text = std::to_string(getpid()) + "\n" + command + "\n";
    // Only for the message of a refused command: a short or failed write
    // leaves the lock itself intact.
    if (ftruncate(fd, 0) == 0) {
        [[maybe_unused]] const ssize_t written = pwrite(fd, text.data(), text.size(), 0);
    }
}

class LockFileClaim final : public StoreWriteClaim {
  public:
    explicit LockFileClaim(int fd) : fd_(fd) {}
    ~LockFileClaim() override {
        // Closing the descriptor gives the lock back.
        close(fd_);
    }
    LockFileClaim(const LockFileClaim&) = delete;
    LockFileClaim& operator=(const LockFileClaim&) = delete;

  private:
    int fd_;
};

}  // namespace

std::filesystem::path writeLockFile(const std::filesystem::path& storeFile) {
    return storeFile.string() + ".lock";
}

std::unique_ptr<StoreWriteClaim> lockStoreForWriting(const std::filesystem::path& storeFile,
                                                     const std::string& command) {
    const std::filesystem::path file = writeLockFile(storeFile);
    const int fd = open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0) throw IoError("Sperrdatei " + file.string() + " öffnen: " + std::strerror(errno));
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        Holder h;
        // The holder names itself just after it took the lock.
        for (int attempt = 0; error == EWOULDBLOCK && attempt < 20; ++attempt) {
            h = readHolder(fd);
            if (!h.command.empty()) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        close(fd);
        if (error != EWOULDBLOCK)
            throw IoError("Sperrdatei " + file.string() + " sperren: " + std::strerror(error));
        const std::string who = h.command.empty() ? std::string("einem anderen Befehl") : h.command;
        const std::string process = h.process.empty() ? "" : " (Prozess " + h.process + ")";
        throw StoreBusyError("Die Stammdaten werden gerade von " + who + process +
                             " geändert. Es kann immer nur ein Befehl die Stammdaten ändern; "
                             "bitte warten, bis er beendet ist.");
    }
    writeHolder(fd, command);
    return std::make_unique<LockFileClaim>(fd);
}

}  // namespace dn
