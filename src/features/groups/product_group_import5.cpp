// Command 51 for a DATANORM 5 supplier: the product-group file (kind S).

#include <memory>

#include "common/current_supplier.h"
#include "common/file_choice.h"
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

    const GroupFileKind5 kind{'S',
                              "Warengruppen",
                              &HostStore::deleteProductGroups,
                              "Alte Warengruppen",
                              ProductGroupRecord5,
                              'R',
                              "Rabattsätze mit Rabattsatzfunktion übernehmen!"};
    const FileResult result = ReadGroupFile5(s, dn5, file, kind);
    s.ui.meldung(std::to_string(result.changed) + " Warengruppen gelesen!" +
                 SkippedNote(result.skipped));
    // A file that ended early is not reported as taken over.
    if (result.ending == FileEnding::ReadToEnd && !s.OnlineImportStatus.empty())
        s.OnlineImportStatus = "1";
    return OutcomeOf(result);
}

}  // namespace dn
