// `ImportArticles4`: the run of the DATANORM 4 article import over the
// chosen files — options, copy to the local disk, free space, the files in
// order, the change log and the final message.

#include "features/articles/article_import4.h"

#include <filesystem>
#include <optional>
#include <vector>

#include "common/change_log.h"
#include "common/current_supplier.h"
#include "common/field_fault.h"
#include "common/file_choice.h"
#include "common/import_outcome.h"
#include "common/input_file.h"
#include "common/protocol.h"
#include "common/session.h"
#include "features/articles/article_importer4.h"
#include "host/errors.h"

namespace dn {
namespace fs = std::filesystem;

namespace {

// The texts of the input-file preparation in this import.
constexpr InputFileTexts kInputFile{
    .noDriveLetter = "Pfad ohne Laufwerksbuchstabe",
    .emptyHasNoDriveLetter = false,
    .lowSpaceQuestion = "Zu wenig Festplattenspeicher!\nTrotzdem fortsetzen?",
    .copyCaptionWithPath = true,
    .unknownSize = 1500000,
};

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
    CheckMasterDataDrive(s, kInputFile);
    const auto total = static_cast<long long>(TotalSize(files));

    openProtocol(s);  // the printer of the run, once
    ProtocolScope printer(s);
    ArticleImporter4 importer(s, options);
    ImportResult result;
    long long before = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string& file = files[i];
        const std::optional<fs::path> input = PrepareInputFile(s, file, kInputFile);
        if (!input) {  // no to the free-space question
            result.add(FileResult{FileEnding::Cancelled});
            break;
        }
        const std::string source = input->string();
        const long importedBefore = importer.ImportedCount();

        s.ui.Balken_Oeffnen("Importiere Datanormdatei...");
        s.ui.Balken_Max(static_cast<long>(total));
        FileEnd end;
        try {
            end = importer.readFile(source, before, total);
        } catch (...) {
            s.ui.Balken_Schliessen();
            throw;
        }
        s.ui.Balken_Schliessen();
        before += static_cast<long long>(FileSize(source));
        const FileResult file4{EndingOf(end), importer.SkippedInFile(),
                               importer.ImportedCount() - importedBefore};
        result.add(file4);
        // Only at the end of the file.
        if (ChangeLogWanted(file4, ChangeLogWhen::AtEndOfFile)) {
            AppendChangeLogFile(s, "4 Artikelübernahme", file);
            if (mode == 1 && i < s.OnlineImportStatus.size()) s.OnlineImportStatus[i] = '1';
        }
    }
    RemoveLocalCopy(s);
    s.ui.meldung(WithSkippedRecords(importedMessage4(importer.ImportedCount()), result.skipped()));
    s.TodayDate = s.host.today != 0 ? s.host.today : todayDayNumber();
    return result.outcome();
}

}  // namespace dn
