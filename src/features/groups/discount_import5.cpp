// Command 22 for a DATANORM 5 supplier: the discount-group file (kind R).

#include <memory>

#include "common/change_log.h"
#include "common/current_supplier.h"
#include "common/field_fault.h"
#include "common/file_choice.h"
#include "common/price_protocol.h"
#include "common/protocol.h"
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

// `TR_EINLESEN`. The label names the expected file in the source directory
// of the kind, sub-directory included.
class TR_EINLESEN : public EntryForm {
  public:
    TR_EINLESEN(const std::string& expectedFile, bool& deleteOld, bool& protocol)
        : EntryForm("TR_EINLESEN", "Einlesen der Rabattgruppen von Diskette") {
        AddExplanation(expectedFile);
        AddYesNo(100, "&Bestehende Rabattgruppen/-sätze des aktuellen Lieferanten löschen",
                 deleteOld);
        AddYesNo(101, "&Protokoll ausgeben", protocol);
        AddButton(kOk, "&Einlesen Rabatte");
        AddButton(kCancel, "&Abbruch");
        helpContext = 22;
    }
};

// The kinds of a discount group: the protocol label and the divisor of the
// file's value; a kind outside the table leaves the value as it was.
struct DiscountKind5 {
    char kind;
    const char* label;
    double divisor;
};
constexpr DiscountKind5 kKinds[] = {
    {'1', "Rabatt            : ", 100.0},
    {'2', "Multi             : ", 1000.0},
    {'3', "Teuerungszuschlag : ", 100.0},
};

const DiscountKind5* kindOf(const std::string& kennung) {
    for (const auto& k : kKinds)
        if (kennung.size() == 1 && kennung[0] == k.kind) return &k;
    return nullptr;
}

}  // namespace

std::string PadRight5(const std::string& utf8, std::size_t n) {
    const std::size_t len = utf8Length(utf8);
    return len >= n ? utf8 : utf8 + std::string(n - len, ' ');
}

void DiscountGroupRecord5(tdatanorm5& dn5, const dn5::Record& record, HostStore& store,
                          dn5::RunCounts& counts) {
    using namespace field5;
    if (dn5.noteNumberFault(record)) {  // the group stays as stored
        ++counts.SkippedCount;
        return;
    }
    Session& s = dn5.session();
    const std::string group = record.utf8Field(DiscountGroupCode);
    const std::string key = utf8Left(std::string(dn5::trim(s.ArticlePrefix + group)), 10);
    DiscountGroupRecord rec = store.readDiscountGroup(key).value_or(DiscountGroupRecord{});
    rec.key = key;
    rec.bezeichnung = std::string(dn5::trim(record.utf8Field(DiscountText)));
    rec.kennung = record.utf8Field(DiscountKind);
    const double value = record.GetReal5(DiscountValue);
    const DiscountKind5* kind = kindOf(rec.kennung);
    if (kind) {
        rec.wert = value / kind->divisor;
        ProtocolText(s, kind->label);
    }
    ProtocolLine(s, PadRight5(key, 7) + "  " + PadRight5(rec.bezeichnung, 40) +
                        formatNumber(rec.wert, 8, 2));
    store.writeDiscountGroup(rec);
    s.ui.SetInfo(key);
    ++counts.RecordCount;
}

CommandOutcome ImportDiscountGroups5(Session& s) {
    ReadCurrentSupplier(s);
    if (!s.dn5) s.dn5 = std::make_shared<tdatanorm5>(s);
    tdatanorm5& dn5 = *s.dn5;

    bool deleteOld = true;
    bool protocol = false;
    const std::string dir = SourceDirectory(s, 'r');
    TR_EINLESEN form(FixedFilePath(dir, 'r'), deleteOld, protocol);
    if (!form.Execute(s.ui)) return CommandOutcome::Cancelled;
    if (!ChooseImportFiles(s, 'r', dir)) return CommandOutcome::Cancelled;
    const std::string file = s.OnlineImportFiles.front();

    s.PrintProtocol = protocol;
    if (s.PrintProtocol && !openProtocol(s)) return CommandOutcome::Cancelled;

    const GroupFileKind5 kind{'R',
                              "Rabatte",
                              deleteOld ? &HostStore::deleteDiscountGroups : nullptr,
                              "Alte Rabattsätze",
                              DiscountGroupRecord5,
                              'S',
                              "Warengruppensätze mit Funktion Warengruppen einlesen!"};
    FileResult result;
    try {
        result = ReadGroupFile5(s, dn5, file, kind);
    } catch (...) {
        closeProtocol(s);
        throw;
    }
    s.ui.meldung(std::to_string(result.changed) + " Rabattgruppen/-sätze gelesen!" +
                 SkippedNote(result.skipped));
    closeProtocol(s);
    // Also after an early end, as long as groups were read.
    if (ChangeLogWanted(result, ChangeLogWhen::AlsoAfterStop))
        AppendChangeLogFile(s, "5 Rabattgruppen", file);
    if (result.ending == FileEnding::ReadToEnd && !s.OnlineImportStatus.empty())
        s.OnlineImportStatus = "1";
    return OutcomeOf(result);
}

}  // namespace dn
