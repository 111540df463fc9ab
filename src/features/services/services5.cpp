#include "features/services/services5.h"

#include "common/change_log.h"
#include "common/current_supplier.h"
#include "common/file_choice.h"
#include "common/protocol.h"
#include "common/session.h"
#include "features/services/record_file130.h"
#include "features/services/set_collector.h"
#include "features/services/set_rows.h"
#include "formats/dn5/file_result5.h"
#include "formats/dn5/tdatanorm5.h"
#include "host/errors.h"

namespace dn {
namespace {

// Fields of a J record by format: position kind, article number, quantity.
struct JFields {
    int kind;
    int number;
    int quantity;
};
constexpr JFields kShort{6, 7, 8};
constexpr JFields kLong{8, 9, 10};
constexpr int kSetNumberText = 6;  // long format
constexpr int kSetText = 7;        // long format

}  // namespace

SetLine setLineOf5(const dn5::Record& record) {
    SetLine l;
    l.setNumber = trimBlanks(record.utf8Field(3));
    const std::string format = record.GetField5(4);
    l.format = format == "L" ? 'L' : (format.empty() ? ' ' : format.front());
    const JFields f = l.format == 'L' ? kLong : kShort;
    if (l.format == 'L') {
        l.setNumberText = trimBlanks(record.utf8Field(kSetNumberText));
        l.setText = trimBlanks(record.utf8Field(kSetText));
    }
    l.positionKind = trimBlanks(record.utf8Field(f.kind));
    l.articleNumber = trimBlanks(record.utf8Field(f.number));
    l.quantity = record.GetReal5(f.quantity) / 1000.0;
    return l;
}

CommandOutcome ImportSets5(tdatanorm5& dn5) {
    Session& s = dn5.session();
    ReadCurrentSupplier(s);
    SetOptions options;
    options.MainArticleChoice = initialMainArticleChoice(2);
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
        bool escaped = false;
        for (const std::string& file : files) {
            SetCollector sets(s, 5, options);
            auto table = dn5::RecordTable::withHeader('J');
            table.handle('J', [&sets, &s](tdatanorm5&, const dn5::Record& r) {
                const SetLine line = setLineOf5(r);
                if (r.GetField5(2) != "L") sets.take(line);
                s.ui.SetInfo(sets.keyOf(line.setNumber));
                return true;
            });
            dn5::ReadHooks hooks;
            hooks.beforeLine = [&s, &escaped](std::uint64_t) {
                if (!s.ui.ESCPanel()) return true;
                s.ui.meldung("Import Leistungen/Stücklisten abgebrochen!");
                escaped = true;
                return false;
            };
            FileEnd end = FileEnd::ReadError;
            try {
                end = dn5.ReadFile5(file, table, hooks);
            } catch (const IoError& e) {  // the file could not be opened
                s.ui.meldung(e.what());
            }
            sets.finish();
            const FileResult file5 = FileResult5(dn5, end, sets.written(), 0);
            result.add(file5);
            // Also after Escape, as long as sets were written.
            if (ChangeLogWanted(file5, ChangeLogWhen::AlsoAfterStop)) logged.push_back(file);
            if (escaped) break;
        }
    }
    s.ui.meldung("Import Leistungen/Stücklisten durchgeführt!" + SkippedNote(result.skipped()));
    for (const auto& file : logged) AppendChangeLogFile(s, "5 Leistungübernahme", file);
    return result.outcome();
}

}  // namespace dn
