#pragma once
// A fresh directory per test, removed afterwards.

#include <filesystem>
#include <string>
#include <string_view>

namespace dn::test {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

// Whole-file helpers working on raw bytes.
std::string readFile(const std::filesystem::path& p);
void writeFile(const std::filesystem::path& p, std::string_view bytes);

// The folder of the third-party sample deliveries, empty when absent.
std::filesystem::path samplesDir();

}  // namespace dn::test
