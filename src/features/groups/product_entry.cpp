// Command 52: "Manuelle Erfassung der Warengruppen".

#include <cstdint>

#include "common/current_supplier.h"
#include "common/discount_group.h"
#include "common/session.h"
#include "features/groups/group_commands.h"
#include "features/groups/group_entry_form.h"
#include "features/groups/group_lists.h"
#include "host/store.h"

namespace dn {
namespace {

constexpr int kProductCodeLength = 13;

class ProductEntryForm : public GroupEntryForm {
  public:
    explicit ProductEntryForm(Session& s)
        : GroupEntryForm(s, kProductEntryForm, "Manuelle Erfassung der Warengruppen",
                         kProductCodeLength) {
        AddExplanation(
            "Werden Ihnen Ihre Warengruppen schriftlich mitgeteilt, so müssen Sie mit dieser "
            "Funktion die "
            "einzelnen Gruppen erfassen. Achten Sie darauf, daß der richtige Lieferant eingestellt "
            "ist.");
        AddExplanation(
            "Sind Warengruppen mit führenden Nullen (z.B. 0047) ausgewiesen, dann müssen diese "
            "eingegeben "
            "werden.");
        AddExplanation("Die Gruppen müssen linksbündig stehen.");
        AddString(kProdCode, "Warengruppe", code_, kProductCodeLength);
        AddString(kProdText, "Bezeichnung", record_.bezeichnung, 40);
        AddWord(kProdCostType, "Kostenart", costType_);
        AddButton(kEndSave, "&Ende", "ESC=Ende und Speichern");
        AddButton(kF1, "&Hilfe", "F1=Hilfe");
        AddButton(kGroupList, "&Gruppen-Liste", "F2=Liste Warengruppen");
        AddButton(kGroupDelete, "&Löschen", "F8=Warengruppe löschen");
        defaultButton = kEndSave;
        helpContext = 0;
    }

  protected:
    void PostEdit(int tag) override {
        if (tag == kProdCostType) {
            // Two digits.
            const std::string v = value(kProdCostType);
            if (v.size() > 2) setValue(kProdCostType, std::to_string(costType_));
            return;
        }
        GroupEntryForm::PostEdit(tag);
    }

    void clearRecord() override {
        record_ = ProductGroupRecord{};
        costType_ = 0;
    }
    bool readRecord(const std::string& key) override {
        auto found = s_.store().readProductGroup(key);
        if (!found) return false;
        record_ = *found;
        costType_ = static_cast<std::uint16_t>(record_.costType);
        return true;
    }
    void takeFields() override { record_.costType = costType_ > 99 ? 0 : costType_; }
    void writeRecord(const std::string& key) override {
        record_.key = key;
        s_.store().writeProductGroup(record_);
    }
    bool deleteRecord(const std::string& key) override {
        return s_.store().deleteProductGroup(key);
    }
    std::optional<std::string> pickKey() override { return PickProductGroup(s_); }
    std::string deleteQuestion() const override { return "Warengruppe löschen (J/N) ?"; }

  private:
    ProductGroupRecord record_;
    std::uint16_t costType_ = 0;
};

}  // namespace

CommandOutcome ProductGroupEntry(Session& s) {
    ReadCurrentSupplier(s);
    ProductEntryForm form(s);
    form.Execute(s.ui);
    return CommandOutcome::Done;
}

}  // namespace dn
