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

struct Scan5 {
    bool changeSeen = false;  // `ChangeSeen`
    bool otherSeen = false;   // `OtherSeen`
};

RecordTable5 changeTable(Scan5& scan) {
    auto table = RecordTable5::withHeader('A');
    for (char letter : {'A', 'C', 'D', 'G', 'T', 'Z'})
        table.handle(letter, [&scan](tdatanorm5& d) {
            scan.otherSeen = true;
            d.session().ui.SetInfo(d.GetText5(3, 15));
            return true;
        });
    table.handle('B', [&scan](tdatanorm5& d) {
        if (d.GetField5(2) != "A") {
            scan.otherSeen = true;
            return true;
        }
        scan.changeSeen = true;
        const std::string& prefix = d.session().ArticlePrefix;
        const std::string oldKey = cutKey(prefix + trimBlanks(d.GetText5(3, 15)));
        const std::string newKey = cutKey(prefix + trimBlanks(d.GetText5(4, 15)));
        if (oldKey != newKey) addNumberChange(d.temptabelle, oldKey, newKey);
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

std::string MapNumber5(const tdatanorm5& dn5, const std::string& key) {
    return mapNumber(dn5.temptabelle, key);
}

CommandOutcome ChangeNumbersInServices5(tdatanorm5& dn5) {
    Session& s = dn5.session();
    ReadCurrentSupplier(s);
    if (!ConfirmNumberChange(s)) return CommandOutcome::Cancelled;
    if (!ChooseImportFiles(s, 'x')) return CommandOutcome::Cancelled;
    const std::string file = s.OnlineImportFiles.front();

    Scan5 scan;
    dn5.temptabelle.clear();
    FileResult result;
    {
        PanelScope panel(s.ui, "Artikelnummern-Änderung");
        s.ui.SetInfo("Indexdatei erzeugen");
        ReadHooks5 hooks;
        hooks.beforeLine = [&s](std::uint64_t) { return !s.ui.ESCPanel(); };
        const FileEnd end = dn5.ReadFile5(file, changeTable(scan), hooks);
        result = FileResult5(dn5, end, 0);
        const auto apply = [&] {
            const NumberChangeResult applied = ApplyNumberChanges(s, dn5.temptabelle);
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
        dn5.temptabelle.clear();
    }
    // Also when nothing was applied from a file read to its end.
    if (ChangeLogWanted(result, ChangeLogWhen::AlsoAfterStop))
        AppendChangeLogFile(s, "5 Artikelnummeränderung", file);
    return OutcomeOf(result);
}

}  // namespace dn
