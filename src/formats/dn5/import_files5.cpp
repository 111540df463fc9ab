#include "formats/dn5/import_files5.h"

#include <cctype>
#include <fstream>
#include <system_error>
#include <vector>

#include "common/session.h"
#include "host/errors.h"

namespace dn {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kCopyBlock = 64000;

void copyFile(Session& s, const fs::path& from, const fs::path& to) {
    std::ifstream in(from, std::ios::binary);
    if (!in) throw IoError("Datei " + from.string() + " kann nicht gelesen werden");
    std::ofstream out(to, std::ios::binary | std::ios::trunc);
    if (!out) throw IoError("Datei " + to.string() + " kann nicht geschrieben werden");
    s.ui.Balken_Oeffnen("Kopieren der Datei: " + from.filename().string(), false);
    s.ui.Balken_Max(static_cast<long>(FileSize5(from) / kCopyBlock + 1));
    std::vector<char> buffer(kCopyBlock);
    while (in) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const std::streamsize n = in.gcount();
        if (n <= 0) break;
        out.write(buffer.data(), n);
        if (!out) {
            s.ui.Balken_Schliessen();
            throw IoError("Datei " + to.string() + " kann nicht geschrieben werden");
        }
        s.ui.Balken_Inc();
    }
    s.ui.Balken_Schliessen();
    if (in.bad()) throw IoError("Datei " + from.string() + " kann nicht gelesen werden");
    // The last block reaches the disk only when the file is closed.
    out.close();
    if (!out) throw IoError("Datei " + to.string() + " kann nicht geschrieben werden");
}

}  // namespace

void CheckMasterDataDrive5(Session& s) {
    const std::string dir = s.masterDataDir().string();
    const bool letter = !dir.empty() && std::isalpha(static_cast<unsigned char>(dir.front()));
    const bool root = !dir.empty() && dir.front() == '/';
    if (!letter && !root) s.ui.meldung("Stammdatenpfad ohne Laufwerksbuchstabe!");
}

std::uint64_t FileSize5(const fs::path& file) {
    std::error_code ec;
    const auto size = fs::file_size(file, ec);
    return ec ? 0 : size;
}

std::uint64_t TotalSize5(const std::vector<std::string>& files) {
    std::uint64_t total = 0;
    for (const auto& f : files) total += FileSize5(f);
    return total;
}

fs::path LocalCopyPath5(const Session& s) {
    return s.dir(kTempDir) / "datanorm.tmp";
}

std::optional<fs::path> PrepareInputFile5(Session& s, const fs::path& file) {
    fs::path input = file;
    if (s.settings.CopyToLocalDisk) {
        input = LocalCopyPath5(s);
        copyFile(s, file, input);
    }
    std::error_code ec;
    const auto space = fs::space(s.masterDataDir(), ec);
    if (!ec && space.available < FileSize5(input) &&
        !s.ui.janein("Zu wenig Festplattenspeicher!\n\nTrotzdem fortsetzen?"))
        return std::nullopt;
    return input;
}

void RemoveLocalCopy5(Session& s) {
    if (!s.settings.CopyToLocalDisk) return;
    std::error_code ec;
    fs::remove(LocalCopyPath5(s), ec);
}

}  // namespace dn
