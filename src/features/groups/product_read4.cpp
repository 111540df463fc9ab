// Command 51 for a DATANORM 4 supplier: reading the product-group file
// "datanorm.wrg". The supplier's old product groups are replaced.

#include "common/change_log.h"
#include "common/current_supplier.h"
#include "common/discount_group.h"
#include "common/file_choice.h"
#include "common/group_file_transaction.h"
#include "common/host_guards.h"
#include "common/session.h"
#include "common/source_directory.h"
#include "features/groups/group_commands.h"
#include "features/groups/group_format.h"
#include "features/groups/group_lists.h"
#include "features/groups/group_read4.h"
#include "formats/dn4/dn4_reader.h"
#include "host/codepage.h"
#include "host/store.h"
#include "host/store_transaction.h"

namespace dn {
namespace {

// Positions of the S record (type W when the main-group text is empty).
constexpr std::size_t kSMain = 3, kSMainText = 6, kSGroup = 46, kSGroupText = 56;

class ProductReadForm : public EntryForm {
  public:
    explicit ProductReadForm(Session& s)
        : EntryForm(kProductReadForm, "Einlesen der Warengruppen aus einer Datei") {
        AddExplanation(
            "Zur Übernahme der Warengruppen aus einer Datei wird folgende "
            "DATANORM-\"Warengruppendatei\" "
            "genutzt.");
        AddExplanation(FixedFilePath(SourceDirectory(s, 'w'), 'w'));
        AddExplanation("Haben Sie den richtigen Lieferanten gewählt ?");
        AddExplanation(
            "Bestehende Warengruppen des aktuellen Lieferanten werden automatisch gelöscht.");
        AddButton(kOk, "&Einlesen Warengruppen");
        AddButton(kCancel, "&Abbruch");
    }
};

// The handling of one record of the product-group file.
class ProductFileReader {
  public:
    ProductFileReader(Session& s, GroupStatusPanel& panel)
        : s_(s), store_(s.store()), panel_(panel) {}
    ~ProductFileReader() {
        if (outputOpen_) s_.ui.Ausgabe_Schliessen();
    }
    ProductFileReader(const ProductFileReader&) = delete;
    ProductFileReader& operator=(const ProductFileReader&) = delete;
    long count() const { return count_; }

    void handle(const DnRecord& rec) {
        switch (rec.type()) {
            case 'S':
                take(rec.text(kSMain, 3), rec.at(kSMainText, 40), false);
                break;
            case 'W':
                take(rec.text(kSMain, 3) + rec.text(kSGroup, 10), rec.at(kSGroupText, 40), true);
                break;
            case 'V':
                output(dn4ToUtf8(rec.at(dnpos::HeaderDate, 6)) + "  " +
                       dn4ToUtf8(rec.at(dnpos::HeaderText1, 40)));
                output(dn4ToUtf8(rec.at(dnpos::HeaderText2, 40)) +
                       dn4ToUtf8(rec.at(dnpos::HeaderText3, 40)));
                output("");
                output("");
                break;
            case 'K':
                output("Kundennummer: " + dn4ToUtf8(rec.at(dnpos::CustomerNumber, 10)));
                break;
            case 'R':
                s_.ui.meldung("Rabattsätze mit Rabattsatzfunktion übernehmen!");
                break;
            default:
                s_.ui.meldung("Ungültiges Satzkennzeichen: " +
                              cp850ToUtf8(std::string(1, rec.type())));
                break;
        }
    }

  private:
    void take(const std::string& code, std::string_view text, bool subGroup) {
        // A record without a group would make a group of the bare prefix.
        if (trimGroupText(code).empty()) return;
        ProductGroupRecord g;
        g.key = GroupKey(s_.ArticlePrefix, dn4ToUtf8(code));
        g.bezeichnung = trimGroupText(dn4ToUtf8(text));
        g.selektiert = false;
        g.isSubGroup = subGroup;
        store_.writeProductGroup(g);
        panel_.info(g.key);
        ++count_;
    }

    // The program's text output: header and customer lines.
    void output(const std::string& line) {
        if (!outputOpen_) s_.ui.Ausgabe_Oeffnen("Warengruppen");
        outputOpen_ = true;
        s_.ui.Ausgabe_Anzeigen(line);
    }

    Session& s_;
    HostStore& store_;
    GroupStatusPanel& panel_;
    long count_ = 0;
    bool outputOpen_ = false;
};

}  // namespace

CommandOutcome ReadProductFile4(Session& s) {
    ReadCurrentSupplier(s);
    const std::string name = currentSupplierName(s);
    ProductReadForm form(s);
    if (!form.Execute(s.ui)) return CommandOutcome::Cancelled;
    if (!ChooseImportFiles(s, 'w')) return CommandOutcome::Cancelled;
    const std::string file = s.OnlineImportFiles.front();

    FileResult result;
    {
        GroupStatusPanel panel(s.ui, "Warengruppen");
        ProductFileReader groups(s, panel);
        // The old groups go only once the header was accepted, in the
        // transaction of the new ones: a refused file leaves them as they were.
        GroupFileTransaction tx(s.store());
        auto deleteOld = [&] {
            if (!tx.acceptHeader()) return;
            s.store().deleteProductGroups(KeyRange::prefix(s.ArticlePrefix));
            s.ui.meldung("Alte Warengruppen des Lieferanten: " + name + " wurden gelöscht!");
        };
        result = readGroupFile4(
            s, file, [&](const DnRecord& rec) { groups.handle(rec); }, deleteOld);
        // What was read before an early end stays.
        result.changed = groups.count();
        tx.finish(result.ending == FileEnding::ReadToEnd, result.changed);
    }
    s.ui.meldung(std::to_string(result.changed) + " Warengruppen von der Diskette gelesen!" +
                 SkippedNote(result.skipped));
    // Only a file read to its end is reported as taken over; the change log
    // also names a file that ended early after groups were read.
    if (result.ending == FileEnding::ReadToEnd && !s.OnlineImportStatus.empty())
        s.OnlineImportStatus = "1";
    if (ChangeLogWanted(result, ChangeLogWhen::AlsoAfterStop))
        AppendChangeLogFile(s, "4 Warengruppen", file);
    return OutcomeOf(result);
}

}  // namespace dn
