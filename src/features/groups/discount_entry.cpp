// Command 21: "Manuelle Erfassung der Rabattgruppen".

#include "common/current_supplier.h"
#include "common/discount_group.h"
#include "common/session.h"
#include "features/groups/group_commands.h"
#include "features/groups/group_entry_form.h"
#include "features/groups/group_format.h"
#include "features/groups/group_lists.h"
#include "host/codepage.h"
#include "host/store.h"

namespace dn {
namespace {

class DiscountEntryForm : public GroupEntryForm {
  public:
    explicit DiscountEntryForm(Session& s)
        : GroupEntryForm(s, kDiscountEntryForm, "Manuelle Erfassung der Rabattgruppen", 4) {
        AddExplanation(
            "Werden Ihnen Ihre Rabattsätze schriftlich mitgeteilt, so müssen Sie mit dieser "
            "Funktion die "
            "einzelnen Gruppen erfassen. Achten Sie darauf, daß der richtige Lieferant eingestellt "
            "ist.");
        AddExplanation(
            "Sind Rabattgruppen mit führenden Nullen (z.B. 0047) ausgewiesen, dann müssen diese "
            "eingegeben "
            "werden.");
        AddExplanation("Die Gruppen müssen linksbündig stehen.");
        AddString(kDiscCode, "Rabattgruppe", code_, 4);
        AddReal(kDiscValue, "Rabatt/Multi", record_.wert, 3);
        AddString(kDiscText, "Bezeichnung", record_.bezeichnung, 40);
        AddChar(kDiscKind, "Rabattkennung", kind_);
        field(kDiscKind)->hint = allowedKinds() == "123" ? "(1=Rabatt/2=Multi/3=Teuerungszuschlag)"
                                                         : "(1=Rabatt/2=Multi)";
        AddReal(kDiscSurcharge, "VK-Aufschlag (%)", record_.salesSurcharge, 3);
        field(kDiscSurcharge)->hint = "(0.00 => Mat-VK=Brutto-Preis)";
        AddButton(kEndSave, "&Ende", "ESC=Ende und Speichern");
        AddButton(kF1, "&Hilfe", "F1=Hilfe");
        AddButton(kGroupList, "&Gruppen-Liste", "F2=Liste Rabattgruppen");
        AddButton(kGroupDelete, "&Löschen", "F8=Rabattgruppe löschen");
        defaultButton = kEndSave;
        helpContext = s.DialogHelpId;
    }

  protected:
    void PostEdit(int tag) override {
        if (tag == kDiscKind) {
            // One digit of the kinds this version knows; anything else keeps the kind.
            const std::string v = value(kDiscKind);
            if (v.size() != 1 || allowedKinds().find(v[0]) == std::string::npos)
                setValue(kDiscKind, std::string(1, kind_));
            return;
        }
        GroupEntryForm::PostEdit(tag);
    }

    void clearRecord() override {
        record_ = DiscountGroupRecord{};
        kind_ = record_.kennung[0];
    }
    bool readRecord(const std::string& key) override {
        auto found = s_.store().readDiscountGroup(key);
        if (!found) return false;
        record_ = *found;
        kind_ = record_.kennung.empty() ? '1' : record_.kennung[0];
        return true;
    }
    void takeFields() override {
        if (allowedKinds().find(kind_) == std::string::npos) kind_ = '1';
        record_.kennung = std::string(1, kind_);
    }
    void writeRecord(const std::string& key) override {
        record_.key = utf8Left(key, kDiscountKeyLength);
        s_.store().writeDiscountGroup(record_);
    }
    bool deleteRecord(const std::string& key) override {
        return s_.store().deleteDiscountGroup(key);
    }
    std::optional<std::string> pickKey() override { return PickDiscountGroup(s_); }
    std::string deleteQuestion() const override { return "Rabatt löschen (J/N) ?"; }
    std::string cleanCode(std::string code) const override {
        for (char& c : code)
            if (c == '_') c = ' ';
        return code;
    }

  private:
    std::string allowedKinds() const { return s_.DnVersion == 2 ? "123" : "12"; }

    DiscountGroupRecord record_;
    char kind_ = '1';
};

}  // namespace

CommandOutcome DiscountGroupEntry(Session& s) {
    ReadCurrentSupplier(s);
    DiscountEntryForm form(s);
    form.Execute(s.ui);
    return CommandOutcome::Done;
}

}  // namespace dn
