#include "host/replacement_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "host/errors.h"

namespace dn {
namespace fs = std::filesystem;

std::string SystemReason(int errorNumber) {
    return std::string("Grund: ") + std::strerror(errorNumber);
}

ReplacementFile::ReplacementFile(const fs::path& directory) {
    // mkstemp opens with O_CREAT | O_EXCL: an existing file or link of the
    // name is never opened, a new name is tried instead.
    std::string pattern = (directory / ".dnXXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    fd_ = ::mkstemp(name.data());
    if (fd_ < 0)
        throw IoError("Die Datei kann nicht geschrieben werden: keine Hilfsdatei in " +
                      directory.string() + ". " + SystemReason(errno));
    path_ = fs::path(std::string(name.data()));
}

ReplacementFile::~ReplacementFile() {
    if (!done_) discard();
}

void ReplacementFile::discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!path_.empty()) ::unlink(path_.c_str());
    done_ = true;
}

void ReplacementFile::write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const int err = n < 0 ? errno : EIO;
            discard();
            throw IoError("Die Datei kann nicht geschrieben werden. " + SystemReason(err));
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

void ReplacementFile::replace(const fs::path& target, std::optional<fs::perms> perms) {
    auto fail = [this](const std::string& what, int err) {
        discard();
        throw IoError(what + " " + SystemReason(err));
    };
    if (perms && ::fchmod(fd_, static_cast<mode_t>(*perms) & 07777) != 0)
        fail("Die Rechte der Datei können nicht gesetzt werden.", errno);
    if (::fsync(fd_) != 0) fail("Die Datei kann nicht geschrieben werden.", errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) fail("Die Datei kann nicht geschrieben werden.", errno);
    if (::rename(path_.c_str(), target.c_str()) != 0)
        fail("Die Datei kann nicht ersetzt werden.", errno);
    done_ = true;
}

fs::path RealFile(const fs::path& file) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(file, ec))) return file;
    const fs::path real = fs::canonical(file, ec);
    if (ec) throw IoError("Die Verknüpfung führt zu keiner Datei. " + SystemReason(ec.value()));
    return real;
}

}  // namespace dn
