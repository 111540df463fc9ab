#include "features/services/services4.h"

#include <array>
#include <filesystem>

#include "common/change_log.h"
#include "common/current_supplier.h"
#include "common/file_choice.h"
#include "common/import_outcome.h"
#include "common/protocol.h"
#include "common/session.h"
#include "common/source_directory.h"
#include "features/services/record_file130.h"
#include "features/services/set_collector.h"
#include "features/services/set_rows.h"
#include "formats/dn4/dn4_reader.h"
#include "host/case_blind_path.h"
#include "host/errors.h"

namespace dn {
namespace {

// Positions of a set record.
constexpr std::size_t kSetNumber = 3;        // 15
constexpr std::size_t kPositionNumber = 33;  // 15, DATANORM 4
constexpr std::size_t kQuantity = 48;        // 7, DATANORM 4
constexpr std::size_t kPositionKind = 35;    // 1, companion record
constexpr std::size_t kSetText = 36;         // 28, companion record
constexpr std::size_t kPositions3 = 33;      // DATANORM 3: four positions of 22
constexpr std::size_t kPositionSize3 = 22;
constexpr std::size_t kBaujSetNumber = 18;  // 15
constexpr std::array<std::size_t, 4> kBaujFlags = {110, 112, 114, 116};

SetLine lineOf4(const SetRecordBuffer& j, const SetRecordBuffer2& j2) {
    SetLine l;
    l.setNumber = dn4ToUtf8(j.trimmed(kSetNumber, 15));
    l.articleNumber = dn4ToUtf8(j.trimmed(kPositionNumber, 15));
    l.quantity = plainNumber(j.at(kQuantity, 7));
    l.positionKind = dn4ToUtf8(j2.trimmed(kPositionKind, 1));
    l.setText = dn4ToUtf8(j2.trimmed(kSetText, 28));
    return l;
}

// One "datasets.*" file; a read error or conversion failure ends it.
FileResult readSetFile4(Session& s, SetCollector& sets, const std::string& file) {
    try {
        LineReader lines(file, dn4::kLineOptions);
        Dn4Reader reader(s);
        const auto ended = [&reader](FileEnding how) {
            return FileResult{how, reader.skippedRecords(), 0};
        };
        std::string line;
        for (;;) {
            if (s.ui.ESCPanel()) return ended(FileEnding::Cancelled);
            if (!lines.readLine(line)) break;
            if (!reader.ConvertDn4Line(line)) return ended(FileEnding::Failed);
            if (reader.record().type() != 'J') continue;
            const SetRecordBuffer& j = reader.setRecord();
            if (j.flag() == 'L') continue;
            const SetLine l = lineOf4(j, reader.setRecord2());
            sets.take(l);
            s.ui.SetInfo(l.setNumber);
        }
        if (ShowReadFaults(s, lines.report())) return ended(FileEnding::Failed);
        if (!reader.HeaderSeen()) {  // an empty file
            s.ui.meldung(kMsgHeaderMissing);
            return ended(FileEnding::Failed);
        }
        return ended(FileEnding::ReadToEnd);
    } catch (const IoError& e) {
        s.ui.meldung(std::string("Datei-Fehler : ") + e.what());
    }
    return FileResult{FileEnding::Failed};
}

}  // namespace

CommandOutcome ImportSets4(Session& s) {
    ReadCurrentSupplier(s);
    SetOptions options;
    options.MainArticleChoice = initialMainArticleChoice(s.DnVersion);
    if (!RunSetOptionsDialog(s, options, true)) return CommandOutcome::Cancelled;
    if (!ChooseImportFiles(s, 'j')) return CommandOutcome::Cancelled;
    s.PrintProtocol = options.PrintProtocol;
    ProtocolScope protocol(s);
    if (s.PrintProtocol && !openProtocol(s)) return CommandOutcome::Cancelled;

    const std::vector<std::string> files = s.OnlineImportFiles;
    ImportResult result;
    std::vector<std::string> logged;
    {
        PanelScope panel(s.ui, "DATASETS");
        for (const std::string& file : files) {
            SetCollector sets(s, 4, options);
            FileResult file4 = readSetFile4(s, sets, file);
            sets.finish();
            file4.changed = sets.written();
            result.add(file4);
            // Also after Escape, as long as sets were written.
            if (ChangeLogWanted(file4, ChangeLogWhen::AlsoAfterStop)) logged.push_back(file);
            if (file4.ending == FileEnding::Cancelled) break;
        }
    }
    if (result.skipped() > 0) s.ui.meldung(SkippedRecordsText(result.skipped()));
    for (const auto& file : logged) AppendChangeLogFile(s, "4 Leistungübernahme", file);
    return result.outcome();
}

CommandOutcome ImportSets3(Session& s) {
    ReadCurrentSupplier(s);
    SetOptions options;
    if (!RunSetOptionsDialog(s, options, false)) return CommandOutcome::Cancelled;
    const std::filesystem::path file = caseBlindPath(SourceDirectory(s, ' '), "datasets");
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        s.ui.meldung("Datei DATASETS nicht vorhanden");
        return CommandOutcome::Failed;
    }
    if (!options.services) {
        s.ui.meldung("Übernahme in Stücklisten nur in DATANORM 4.0");
        return CommandOutcome::Cancelled;
    }
    // The answer does not matter here: a set file carries no amounts.
    if (s.host.euroIsBase())
        s.ui.janein(
            "Mit Datanorm 3 dürfen eigentlich keine Preise in EURO übergeben werden !\nIhre "
            "Torvalo - "
            "Basiswährung ist aber EURO.\nSind die Preise in der Datanorm-Leistungsdatei in EURO "
            "?");

    PanelScope panel(s.ui, "DATASETS");
    RecordFile130 records(file);
    SetCollector sets(s, 3, options);
    SetRecordBuffer rec;
    FileResult result;
    for (std::size_t n = 1; n <= records.count(); ++n) {
        if (s.ui.ESCPanel()) {
            result.ending = FileEnding::Cancelled;
            break;
        }
        if (!records.read(n, rec)) {
            result.ending = FileEnding::Failed;
            break;
        }
        if (!RecordFile130::endMarkOk(rec)) {
            s.ui.meldung("Fehler: Falsche Satzlänge!!");
            ++result.skipped;
            continue;
        }
        if (rec.type() == 'J' && rec.flag() != 'L') {
            const std::string number = dn4ToUtf8(rec.trimmed(kSetNumber, 15));
            for (std::size_t i = 0; i < 4; ++i) {
                const std::size_t pos = kPositions3 + kPositionSize3 * i;
                SetLine l;
                l.setNumber = number;
                l.articleNumber = dn4ToUtf8(rec.trimmed(pos, 15));
                l.quantity = plainNumber(rec.at(pos + 15, 7));
                sets.take(l);
            }
            s.ui.SetInfo(number);
        } else if (rec.type() == 'C' && rec.at(3, 4) == "BAUJ") {
            std::array<std::string, 4> flags;
            for (std::size_t i = 0; i < 4; ++i) flags[i] = std::string(rec.at(kBaujFlags[i], 2));
            sets.applyFlags(dn4ToUtf8(rec.trimmed(kBaujSetNumber, 15)), flags);
        }
    }
    sets.finish();
    if (result.skipped > 0) s.ui.meldung(SkippedRecordsText(result.skipped));
    return OutcomeOf(result);
}

}  // namespace dn
