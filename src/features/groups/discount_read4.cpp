// Command 22 for a DATANORM 4 supplier: reading the discount file
// "datanorm.rab" into the supplier's discount groups.

#include "common/change_log.h"
#include "common/currency.h"
#include "common/current_supplier.h"
#include "common/discount_group.h"
#include "common/field_fault.h"
#include "common/file_choice.h"
#include "common/group_file_transaction.h"
#include "common/host_guards.h"
#include "common/protocol.h"
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

// Positions of the R record.
constexpr std::size_t kRGroup = 3, kRKind = 7, kRValue = 8, kRText = 12;

class DiscountReadForm : public EntryForm {
  public:
    DiscountReadForm(Session& s, const std::string& name)
        : EntryForm(kDiscountReadForm, "Einlesen der Rabattgruppen von Diskette") {
        AddExplanation(
            "Zur Übernahme der Rabattsätze von einer Datei wird die angezeigte Datei verwendet. "
            "Wenn diese "
            "nicht existiert, können Sie eine andere Datei wählen.");
        AddExplanation("Haben Sie den richtigen Lieferanten gewählt ?");
        AddExplanation(FixedFilePath(SourceDirectory(s, 'r'), 'r'));
        AddExplanation("Lieferant : " + std::to_string(s.CurrentSupplier) + " - " + name);
        AddYesNo(kReadDeleteOld,
                 "&Bestehende Rabattgruppen/-sätze des aktuellen Lieferanten löschen", deleteOld);
        AddYesNo(kReadProtocol, "&Protokoll ausgeben", protocol);
        AddButton(kOk, "&Einlesen Rabatte");
        AddButton(kCancel, "&Abbruch");
    }
    bool deleteOld = true;
    bool protocol = false;
};

// The handling of one record of the discount file.
class DiscountFileReader {
  public:
    DiscountFileReader(Session& s, GroupStatusPanel& panel)
        : s_(s), store_(s.store()), panel_(panel) {}
    long count() const { return count_; }

    void handle(const DnRecord& rec) {
        switch (rec.type()) {
            case 'R':
                takeGroup(rec);
                break;
            case 'V':
                ProtocolLine(s_, dn4ToUtf8(rec.at(dnpos::HeaderDate, 6)) + "  " +
                                     dn4ToUtf8(rec.at(dnpos::HeaderText1, 40)));
                ProtocolLine(s_, dn4ToUtf8(rec.at(dnpos::HeaderText2, 40)) +
                                     dn4ToUtf8(rec.at(dnpos::HeaderText3, 40)));
                break;
            case 'K':
                s_.ui.meldung("Kundennummer: " + dn4ToUtf8(rec.at(dnpos::CustomerNumber, 10)));
                break;
            case 'S':
                s_.ui.meldung("Warengruppensätze mit Funktion Warengruppen einlesen!");
                break;
            case 'A':
            case 'B':
            case 'D':
            case 'E':
            case 'T':
                s_.ui.meldung("Artikelsätze mit Funktion Artikelübernahme einlesen!");
                break;
            default:
                if (!ignored(rec.type()))
                    s_.ui.meldung("Ungültiges Satzkennzeichen: " +
                                  cp850ToUtf8(std::string(1, rec.type())));
                break;
        }
    }

  private:
    // C (converted as "c"), F to J, L to Q and U carry nothing for the groups.
    static bool ignored(char t) {
        return t == 'C' || t == 'c' || (t >= 'F' && t <= 'J') || (t >= 'L' && t <= 'Q') || t == 'U';
    }

    void takeGroup(const DnRecord& rec) {
        // A record without a group would make a group of the bare prefix.
        if (trimGroupText(rec.text(kRGroup, 4)).empty()) return;
        const std::string key = GroupKey(s_.ArticlePrefix, dn4ToUtf8(rec.at(kRGroup, 4)));
        DiscountGroupRecord g;
        if (auto found = store_.readDiscountGroup(key)) g = *found;
        g.key = utf8Left(key, kDiscountKeyLength);
        g.bezeichnung = trimGroupText(dn4ToUtf8(rec.at(kRText, 40)));
        g.kennung = rec.absent(kRKind) ? std::string(" ") : dn4ToUtf8(rec.at(kRKind, 1));
        panel_.info(key);
        const double number = fieldNumber(rec.at(kRValue, 4));
        if (g.kennung == "1") {
            g.wert = number / 100.0;
            ProtocolLine(s_, "Rabatt: " + padGroupTextMin(g.key, 8) + "  " + g.bezeichnung +
                                 groupNumberText(g.wert, 8, 2));
        } else if (g.kennung == "2") {
            g.wert = number / 1000.0;
            ProtocolLine(s_, "Multi : " + padGroupTextMin(g.key, 8) + "  " + g.bezeichnung +
                                 groupNumberText(g.wert, 8, 3));
        }
        store_.writeDiscountGroup(g);
        ++count_;
    }

    Session& s_;
    HostStore& store_;
    GroupStatusPanel& panel_;
    long count_ = 0;
};

}  // namespace

CommandOutcome ReadDiscountFile4(Session& s) {
    ReadCurrentSupplier(s);
    const std::string name = currentSupplierName(s);
    DiscountReadForm form(s, name);
    if (!form.Execute(s.ui)) return CommandOutcome::Cancelled;
    if (!ChooseImportFiles(s, 'r')) return CommandOutcome::Cancelled;
    const std::string file = s.OnlineImportFiles.front();

    s.PrintProtocol = form.protocol;
    GroupProtocolJob protocol(s);
    if (!protocol.ok()) return CommandOutcome::Cancelled;

    FileResult result;
    {
        GroupStatusPanel panel(s.ui, "Rabatte");
        DiscountFileReader groups(s, panel);
        // The old groups go only once the header was accepted, in the
        // transaction of the new ones: a refused file leaves them as they were.
        GroupFileTransaction tx(s.store());
        auto deleteOld = [&] {
            if (!form.deleteOld || !tx.acceptHeader()) return;
            s.store().deleteDiscountGroups(KeyRange::prefix(s.ArticlePrefix));
            s.ui.meldung("Alte Rabattsätze des Lieferanten: " + name + " wurden gelöscht!");
        };
        result = readGroupFile4(
            s, file, [&](const DnRecord& rec) { groups.handle(rec); }, deleteOld);
        // What was read before an early end stays.
        result.changed = groups.count();
        tx.finish(result.ending == FileEnding::ReadToEnd, result.changed);
        // Only a file read to its end.
        if (ChangeLogWanted(result, ChangeLogWhen::AtEndOfFile)) {
            AppendChangeLogFile(s, "4 Rabattgruppen", file);
            if (!s.OnlineImportStatus.empty()) s.OnlineImportStatus = "1";
        }
    }
    if (result.skipped != 0) ProtocolLine(s, SkippedRecordsText(result.skipped));
    s.ui.meldung(WithSkippedRecords(
        std::to_string(result.changed) + " Rabattgruppen / -sätze von der Diskette gelesen!",
        result.skipped));
    return OutcomeOf(result);
}

}  // namespace dn
