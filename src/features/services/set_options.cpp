#include "features/services/set_options.h"

#include "common/session.h"
#include "host/codepage.h"
#include "host/entry_form.h"

namespace dn {
namespace {

// Services (101) and bills of material (102) are one choice of two: setting
// one clears the other.
class SetOptionsForm : public EntryForm {
  public:
    SetOptionsForm(const std::string& supplierName, SetOptions& o, bool withProtocol)
        : EntryForm("TUEBLEISTUNG", "DATASETS-Datensätze übernehmen"), o_(o) {
        boms_ = !o.services;
        AddDisplay(kSetSupplierName, "Lieferant", [supplierName] { return supplierName; });
        AddYesNo(kSetServices, "&Leistungs-Stammdaten", o.services);
        AddYesNo(kSetBoms, "&Stücklisten-Stammdaten", boms_);
        AddYesNo(kSetProtocol, "Protokoll drucken", o.PrintProtocol);
        if (!withProtocol) HideControl(kSetProtocol, true);
        AddList(kSetMainArticle, "Hauptartikel in Stückliste",
                {"aufnehmen", "nicht aufnehmen", "aufnehmen, wenn dessen Preis nicht Null ist"},
                o.MainArticleChoice);
        AddButton(kOk, "&OK");
        AddButton(kCancel, "&Abbruch");
    }

  protected:
    void PostEdit(int tag) override {
        if (tag != kSetServices && tag != kSetBoms) return;
        const int other = tag == kSetServices ? kSetBoms : kSetServices;
        field(other)->value = value(tag) == "1" ? "0" : "1";
    }
    bool OK() override {
        o_.services = !boms_;
        return true;
    }

  private:
    SetOptions& o_;
    bool boms_ = false;
};

}  // namespace

int initialMainArticleChoice(int dnVersion) {
    return dnVersion == 2 ? 2 : 0;
}

bool RunSetOptionsDialog(Session& s, SetOptions& options, bool withProtocol) {
    SetOptionsForm form(utf8Left(s.suppliers.entry(s.CurrentSupplier).name, 17), options,
                        withProtocol);
    if (!form.Execute(s.ui)) return false;
    if (!withProtocol) options.PrintProtocol = false;
    return true;
}

}  // namespace dn
