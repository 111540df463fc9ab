// `ImportArticles4`: the run of the DATANORM 4 article import over the
// chosen files — options, copy to the local disk, free space, the files in
// order, the change log and the final message.

#include "features/articles/article_import4.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include "common/change_log.h"
#include "common/current_supplier.h"
#include "common/field_fault.h"
#include "common/file_choice.h"
#include "common/import_outcome.h"
#include "common/protocol.h"
#include "common/session.h"
#include "features/articles/article_importer4.h"
#include "host/errors.h"

namespace dn {
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kCopyBlock = 64000;
constexpr long long kUnknownFileSize = 1500000;

long long fileSize(const std::string& path) {
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    return ec ? -1 : static_cast<long long>(size);
}

// Copies the file to "datanorm.tmp" in 64000-byte blocks with a progress
// window counting blocks.
void copyToLocal(Session& s, const std::string& from, const fs::path& to) {
    std::ifstream in(from, std::ios::binary);
    if (!in) throw IoError("Datei " + from + " kann nicht gelesen werden");
    std::ofstream out(to, std::ios::binary | std::ios::trunc);
    if (!out) throw IoError("Datei " + to.string() + " kann nicht geschrieben werden");
    const long long size = std::max<long long>(fileSize(from), 0);
    s.ui.Balken_Oeffnen("Kopieren der Datei: " + from);
    s.ui.Balken_Max(static_cast<long>(size / static_cast<long long>(kCopyBlock) + 1));
    std::vector<char> block(kCopyBlock);
    while (in) {
        in.read(block.data(), static_cast<std::streamsize>(block.size()));
        if (in.gcount() > 0) out.write(block.data(), in.gcount());
        s.ui.Balken_Inc();
    }
    s.ui.Balken_Schliessen();
    // The last block reaches the disk only when the file is closed.
    out.close();
    if (!out) throw IoError("Datei " + to.string() + " kann nicht geschrieben werden");
}

// Paths of the host have no drive letter here; a Windows-style directory
// without one is reported as the host does.
void checkDriveLetter(Session& s) {
    const std::string dir = s.host.konf[kMasterDataDir];
    if (dir.empty() || dir.front() == '/') return;
    const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(dir.front())));
    if (c < 'a' || c > 'z') s.ui.meldung("Pfad ohne Laufwerksbuchstabe");
}

FileEnding endingOf(FileEnd4 end) {
    switch (end) {
        case FileEnd4::Complete:
            return FileEnding::ReadToEnd;
        case FileEnd4::Cancelled:
            return FileEnding::Cancelled;
        case FileEnd4::StoreFailed:
            return FileEnding::StoreFailed;
        case FileEnd4::Fault:
        case FileEnd4::AbortRun:
            return FileEnding::Failed;
    }
    return FileEnding::Failed;
}

bool enoughSpace(Session& s, long long needed) {
    std::error_code ec;
    const auto info = fs::space(s.masterDataDir(), ec);
    if (ec || static_cast<long long>(info.available) >= needed) return true;
    return s.ui.janein("Zu wenig Festplattenspeicher!\nTrotzdem fortsetzen?");
}

}  // namespace

CommandOutcome ImportArticles4(Session& s, int mode) {
    ReadCurrentSupplier(s);
    ImportOptions4 options;
    if (!AskImportOptions4(s, options)) return CommandOutcome::Cancelled;
    if (mode == 0 && !ChooseImportFiles(s, 'a')) {
        s.PrintProtocol = false;
        return CommandOutcome::Cancelled;
    }
    const std::vector<std::string> files = s.OnlineImportFiles;
    checkDriveLetter(s);
    long long total = 0;
    for (const auto& f : files) total += std::max<long long>(fileSize(f), 0);

    openProtocol(s);  // the printer of the run, once
    ProtocolScope printer(s);
    const fs::path localCopy = s.dir(kTempDir) / "datanorm.tmp";
    ArticleImporter4 importer(s, options);
    ImportResult result;
    long long before = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string& file = files[i];
        std::string source = file;
        if (s.settings.CopyToLocalDisk) {
            copyToLocal(s, file, localCopy);
            source = localCopy.string();
        }
        const long long size = fileSize(source);
        if (!enoughSpace(s, size < 0 ? kUnknownFileSize : size)) {
            result.add(FileResult{FileEnding::Cancelled});
            break;
        }
        const long importedBefore = importer.ImportedCount();

        s.ui.Balken_Oeffnen("Importiere Datanormdatei...");
        s.ui.Balken_Max(static_cast<long>(total));
        FileEnd4 end;
        try {
            end = importer.readFile(source, before, total);
        } catch (...) {
            s.ui.Balken_Schliessen();
            throw;
        }
        s.ui.Balken_Schliessen();
        before += std::max<long long>(size, 0);
        const FileResult file4{endingOf(end), importer.SkippedInFile(),
                               importer.ImportedCount() - importedBefore};
        result.add(file4);
        // Only at the end of the file.
        if (ChangeLogWanted(file4, ChangeLogWhen::AtEndOfFile)) {
            AppendChangeLogFile(s, "4 Artikelübernahme", file);
            if (mode == 1 && i < s.OnlineImportStatus.size()) s.OnlineImportStatus[i] = '1';
        }
    }
    if (s.settings.CopyToLocalDisk) {
        std::error_code ec;
        fs::remove(localCopy, ec);
    }
    s.ui.meldung(WithSkippedRecords(importedMessage4(importer.ImportedCount()), result.skipped()));
    s.TodayDate = s.host.today != 0 ? s.host.today : todayDayNumber();
    return result.outcome();
}

}  // namespace dn
