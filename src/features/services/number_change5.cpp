#include "features/services/number_change5.h"

#include "common/change_log.h"
#include "common/current_supplier.h"
#include "common/file_choice.h"
#include "common/session.h"
#include "features/services/number_change.h"
#include "features/services/number_change4.h"
#include "features/services/record_file130.h"
#include "features/services/set_rows.h"
#include "formats/dn5/file_result5.h"
#include "formats/dn5/tdatanorm5.h"

namespace dn {
namespace {

constexpr const char* kNoChanges = "Es wurden keine Artikelnummer-Änderungssätze gefunden!";
constexpr const char* kOthersToo =
    "Es wurden außer den Artikelnummer-Änderungssätzen auch andere Sätze gefunden! Weiter?";

// What the command's run gathers from the file.
struct Scan5 {
    bool changeSeen = false;        // `ChangeSeen`
    bool otherSeen = false;         // `OtherSeen`
    NumberChangeTable temptabelle;  // old number -> new, closed with the command
};

dn5::RecordTable changeTable(Scan5& scan) {
    auto table = dn5::RecordTable::withHeader('A');
    for (char letter : {'A', 'C', 'D', 'G', 'T', 'Z'})
        table.handle(letter, [&scan](tdatanorm5& d, const dn5::Record& r) {
            scan.otherSeen = true;
            d.session().ui.SetInfo(r.utf8Field(3, 15));
            return true;
        });
    table.handle('B', [&scan](tdatanorm5& d, const dn5::Record& r) {
        if (r.GetField5(2) != "A") {
            scan.otherSeen = true;
            return true;
        }
        scan.changeSeen = true;
        const std::string& prefix = d.session().ArticlePrefix;
        const std::string oldKey = cutKey(prefix + trimBlanks(r.utf8Field(3, 15)));
        const std::string newKey = cutKey(prefix + trimBlanks(r.utf8Field(4, 15)));
        if (oldKey != newKey) addNumberChange(scan.temptabelle, oldKey, newKey);
        d.session().ui.SetInfo(oldKey + " --> " + newKey);
        return true;
    });
    table.answer('R', "Rabattgruppen gesondert übernehmen!");
    table.answer('S', "Warengruppen gesondert übernehmen!");
    // Every other letter is passed over.
    for (int c = 1; c < 256; ++c)
        if (!table.find(static_cast<char>(c))) table.ignore(static_cast<char>(c));
    return table;
}

}  // namespace

std::string MapNumber5(const NumberChangeTable& temptabelle, const std::string& key) {
    return mapNumber(temptabelle, key);
}

CommandOutcome ChangeNumbersInServices5(tdatanorm5& dn5) {
    Session& s = dn5.session();
    ReadCurrentSupplier(s);
    if (!ConfirmNumberChange(s)) return CommandOutcome::Cancelled;
    if (!ChooseImportFiles(s, 'x')) return CommandOutcome::Cancelled;
    const std::string file = s.OnlineImportFiles.front();

    Scan5 scan;
    FileResult result;
    {
        PanelScope panel(s.ui, "Artikelnummern-Änderung");
        s.ui.SetInfo("Indexdatei erzeugen");
        dn5::ReadHooks hooks;
        hooks.beforeLine = [&s](std::uint64_t) { return !s.ui.ESCPanel(); };
        const FileEnd end = dn5.ReadFile5(file, changeTable(scan), hooks);
        result = FileResult5(dn5, end, 0, 0);
        const auto apply = [&] {
            const NumberChangeResult applied = ApplyNumberChanges(s, scan.temptabelle);
            result.changed = applied.services + applied.documents;
        };
        // Nothing is applied from a file that did not end well.
        if (result.ending == FileEnding::ReadToEnd) {
            if (!scan.otherSeen)
                apply();
            else if (!scan.changeSeen)
                s.ui.meldung(kNoChanges);
            else if (s.ui.janein(kOthersToo))
                apply();
        }
    }
    // Also when nothing was applied from a file read to its end.
    if (ChangeLogWanted(result, ChangeLogWhen::AlsoAfterStop))
        AppendChangeLogFile(s, "5 Artikelnummeränderung", file);
    return OutcomeOf(result);
}

}  // namespace dn
