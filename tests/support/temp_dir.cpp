#include "support/temp_dir.h"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace dn::test {

TempDir::TempDir() {
    std::random_device rd;
    auto base = std::filesystem::temp_directory_path();
    for (int i = 0; i < 100; ++i) {
        auto p = base / ("dntest-" + std::to_string(rd()));
        if (std::filesystem::create_directory(p)) {
            path_ = p;
            return;
        }
    }
    throw std::runtime_error("no temporary directory");
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::string readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const std::filesystem::path& p, std::string_view bytes) {
    if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::filesystem::path samplesDir() {
    std::filesystem::path p = DATANORM_SAMPLES_DIR;
    std::error_code ec;
    if (std::filesystem::is_directory(p, ec)) return std::filesystem::canonical(p);
    return {};
}

}  // namespace dn::test
