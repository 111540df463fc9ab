// Command 51 for a DATANORM 5 supplier: the product-group file (kind S).

#include <memory>

#include "common/current_supplier.h"
#include "common/file_choice.h"
#include "common/group_file_transaction.h"
#include "common/session.h"
#include "common/source_directory.h"
#include "features/groups/group_import5.h"
#include "formats/dn5/field_split5.h"
#include "formats/dn5/file_result5.h"
#include "formats/dn5/tdatanorm5.h"
#include "host/codepage.h"
#include "host/entry_form.h"
#include "host/store.h"

namespace dn {

namespace {

constexpr const char* kArticleRecords = "Artikelsätze mit Funktion Artikelübernahme einlesen!";

// `TW_EINLESEN`: no options; the supplier's old groups always go.
class TW_EINLESEN : public EntryForm {
  public:
    explicit TW_EINLESEN(const std::string& expectedFile)
        : EntryForm("TW_EINLESEN", "Einlesen der Warengruppen aus einer Datei") {
        AddExplanation(
            "Zur Übernahme der Warengruppen aus einer Datei wird folgende "
            "DATANORM-\"Warengruppendatei\" "
            "genutzt.");
        AddExplanation(expectedFile);
        AddExplanation("Haben Sie den richtigen Lieferanten gewählt ?");
        AddExplanation(
            "Bestehende Warengruppen des aktuellen Lieferanten werden automatisch gelöscht.");
        AddButton(kOk, "&Einlesen Warengruppen");
        AddButton(kCancel, "&Abbruch");
        helpContext = 51;
    }
};

}  // namespace

void ProductGroupRecord5(tdatanorm5& dn5, const dn5::Record& record, HostStore& store,
                         dn5::RunCounts& counts) {
    using namespace field5;
    Session& s = dn5.session();
    const std::string main = record.utf8Field(ProductMainGroup);
    const std::string sub = record.utf8Field(ProductSubGroupCode);
    ProductGroupRecord rec;
    rec.key = utf8Left(std::string(dn5::trim(s.ArticlePrefix + main + sub)), 18);
    rec.bezeichnung = std::string(dn5::trim(record.utf8Field(ProductGroupText)));
    rec.isSubGroup = !dn5::trim(sub).empty();
    store.writeProductGroup(rec);
    s.ui.SetInfo(rec.key);
    ++counts.RecordCount;
}

CommandOutcome ImportProductGroups5(Session& s) {
    ReadCurrentSupplier(s);
    if (!s.dn5) s.dn5 = std::make_shared<tdatanorm5>(s);
    tdatanorm5& dn5 = *s.dn5;

    const std::string dir = SourceDirectory(s, 'w');
    TW_EINLESEN form(FixedFilePath(dir, 'w'));
    if (!form.Execute(s.ui)) return CommandOutcome::Cancelled;
    if (!ChooseImportFiles(s, 'w', dir)) return CommandOutcome::Cancelled;
    const std::string file = s.OnlineImportFiles.front();

    // The old groups go only once the header was accepted, in the
    // transaction of the new ones: a refused file leaves them as they were.
    HostStore& store = s.store();
    GroupFileTransaction groups(store);
    dn5::RunCounts counts;
    dn5::RecordTable table = dn5::RecordTable::withHeader('S');
    table.handle(
        'V',
        [&](tdatanorm5& d, const dn5::Record& r) {
            d.ShowHeader5(r, 'S');
            if (groups.acceptHeader()) {
                store.deleteProductGroups(KeyRange::prefix(s.ArticlePrefix));
                s.ui.meldung("Alte Warengruppen des Lieferanten \"" +
                             s.suppliers.entry(s.CurrentSupplier).name + "\" wurden gelöscht!");
            }
            return true;
        },
        false);
    table.handle('S', [&store, &counts](tdatanorm5& d, const dn5::Record& r) {
        ProductGroupRecord5(d, r, store, counts);
        return true;
    });
    for (char c : {'A', 'B', 'C', 'D', 'G', 'T', 'Z'}) table.answer(c, kArticleRecords);
    table.answer('R', "Rabattsätze mit Rabattsatzfunktion übernehmen!");

    s.ui.PanelOn("Warengruppen");
    FileEnd end = FileEnd::ReadError;
    try {
        end = dn5.ReadFile5(file, table, {[&s](std::uint64_t) { return !s.ui.ESCPanel(); }});
        groups.finish(end == FileEnd::EndOfFile, counts.RecordCount);
    } catch (...) {
        s.ui.PanelOff();
        throw;
    }
    s.ui.PanelOff();
    const FileResult result = FileResult5(dn5, end, counts.RecordCount, counts.SkippedCount);
    s.ui.meldung(std::to_string(counts.RecordCount) + " Warengruppen gelesen!" +
                 SkippedNote(result.skipped));
    // A file that ended early is not reported as taken over.
    if (result.ending == FileEnding::ReadToEnd && !s.OnlineImportStatus.empty())
        s.OnlineImportStatus = "1";
    return OutcomeOf(result);
}

}  // namespace dn
