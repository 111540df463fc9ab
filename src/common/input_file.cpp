#include "common/input_file.h"

#include <cctype>
#include <fstream>
#include <system_error>

#include "common/session.h"
#include "host/errors.h"

namespace dn {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kCopyBlock = 64000;

IoError cannotRead(const fs::path& file) {
    return IoError("Datei " + file.string() + " kann nicht gelesen werden");
}

IoError cannotWrite(const fs::path& file) {
    return IoError("Datei " + file.string() + " kann nicht geschrieben werden");
}

// Copies in blocks with a progress window counting them.
void copyFile(Session& s, const fs::path& from, const fs::path& to, const InputFileTexts& texts) {
    std::ifstream in(from, std::ios::binary);
    if (!in) throw cannotRead(from);
    std::ofstream out(to, std::ios::binary | std::ios::trunc);
    if (!out) throw cannotWrite(to);
    const std::string shown = texts.copyCaptionWithPath ? from.string() : from.filename().string();
    s.ui.Balken_Oeffnen("Kopieren der Datei: " + shown, false);
    s.ui.Balken_Max(static_cast<long>(FileSize(from) / kCopyBlock + 1));
    std::vector<char> buffer(kCopyBlock);
    while (in) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const std::streamsize n = in.gcount();
        if (n <= 0) break;
        out.write(buffer.data(), n);
        if (!out) {
            s.ui.Balken_Schliessen();
            throw cannotWrite(to);
        }
        s.ui.Balken_Inc();
    }
    s.ui.Balken_Schliessen();
    if (in.bad()) throw cannotRead(from);
    // The last block reaches the disk only when the file is closed.
    out.close();
    if (!out) throw cannotWrite(to);
}

}  // namespace

void CheckMasterDataDrive(Session& s, const InputFileTexts& texts) {
    const std::string dir = s.masterDataDir().string();
    if (dir.empty()) {
        if (texts.emptyHasNoDriveLetter) s.ui.meldung(std::string(texts.noDriveLetter));
        return;
    }
    const bool letter = std::isalpha(static_cast<unsigned char>(dir.front())) != 0;
    if (!letter && dir.front() != '/') s.ui.meldung(std::string(texts.noDriveLetter));
}

std::optional<std::uint64_t> FindFileSize(const fs::path& file) {
    std::error_code ec;
    const auto size = fs::file_size(file, ec);
    if (ec) return std::nullopt;
    return size;
}

std::uint64_t FileSize(const fs::path& file) {
    return FindFileSize(file).value_or(0);
}

std::uint64_t TotalSize(const std::vector<std::string>& files) {
    std::uint64_t total = 0;
    for (const auto& f : files) total += FileSize(f);
    return total;
}

fs::path LocalCopyPath(const Session& s) {
    return s.dir(kTempDir) / "datanorm.tmp";
}

std::optional<fs::path> PrepareInputFile(Session& s, const fs::path& file,
                                         const InputFileTexts& texts) {
    fs::path input = file;
    if (s.settings.CopyToLocalDisk) {
        input = LocalCopyPath(s);
        copyFile(s, file, input, texts);
    }
    const std::uint64_t needed = FindFileSize(input).value_or(texts.unknownSize);
    std::error_code ec;
    const auto space = fs::space(s.masterDataDir(), ec);
    if (!ec && space.available < needed && !s.ui.janein(std::string(texts.lowSpaceQuestion)))
        return std::nullopt;
    return input;
}

void RemoveLocalCopy(Session& s) {
    if (!s.settings.CopyToLocalDisk) return;
    std::error_code ec;
    fs::remove(LocalCopyPath(s), ec);
}

}  // namespace dn
