#pragma once
// Writing a file anew without ever leaving half of it, and without writing
// anywhere but where it belongs: the new content goes into a temporary file
// that is created exclusively (never through a link, under a short unique
// name, so that long file names still work) in the directory of the file it
// replaces, and is renamed over that file only when complete. Until then, or
// when anything fails, the temporary file is removed again.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace dn {

class ReplacementFile {
  public:
    // Creates the temporary file in `directory`; raises IoError with the
    // system's reason when it cannot be created.
    explicit ReplacementFile(const std::filesystem::path& directory);
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Appends bytes; raises IoError with the reason.
    void write(std::string_view bytes);
    // Flushes the content to the disk, gives it the permissions (when given)
    // and renames it over `target`, which must lie in the same directory.
    // Raises IoError with the reason; the target is then unchanged.
    void replace(const std::filesystem::path& target, std::optional<std::filesystem::perms> perms);

    const std::filesystem::path& path() const { return path_; }

  private:
    void discard();

    std::filesystem::path path_;
    int fd_ = -1;
    bool done_ = false;
};

// The file a path names after following its symbolic links: rewriting a
// linked document must change the document, not replace the link by a copy.
// Raises IoError when the link leads nowhere.
std::filesystem::path RealFile(const std::filesystem::path& file);

// "Grund: " + the system's text for the error number, for messages that say
// why a file could not be written.
std::string SystemReason(int errorNumber);

}  // namespace dn
