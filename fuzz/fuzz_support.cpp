#include "fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "host/scripted_host.h"

namespace dn::fuzz {

const std::filesystem::path& scratchDir() {
    static const std::filesystem::path dir = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "datanorm-fuzz.XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        return std::filesystem::path(pattern);
    }();
    // Registered once the path exists, so that it is removed before the
    // path itself is destroyed.
    static const int removal = std::atexit([] {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    });
    (void)removal;
    return dir;
}

std::filesystem::path writeInput(const std::string& name, std::string_view bytes) {
    const auto file = scratchDir() / name;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) std::abort();
    return file;
}

void forget(ScriptedHost& host) {
    host.messages.clear();
    host.questions.clear();
    host.printed.clear();
    host.output.clear();
    host.panelInfo.clear();
    host.formsShown.clear();
    host.fileRequests.clear();
}

std::string readInput(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace dn::fuzz
