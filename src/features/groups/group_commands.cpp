// Printing, deleting and selecting the groups of the current supplier
// (commands 23, 24, 26, 53, 54) and the article listing route (32).

#include "features/groups/group_commands.h"

#include "common/current_supplier.h"
#include "common/file_choice.h"
#include "common/session.h"
#include "features/articles/show_articles4.h"
#include "features/groups/group_format.h"
#include "features/groups/group_lists.h"
#include "features/groups/group_read4.h"

namespace dn {
namespace {

// The host printer for one list, closed however the command ends.
class PrintJob {
  public:
    explicit PrintJob(HostServices& ui) : ui_(ui), open_(ui.open_drucker()) {}
    ~PrintJob() {
        if (!open_) return;
        try {
            ui_.breit(false);
            ui_.close_drucker();
        } catch (...) {
        }
    }
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;
    bool open() const { return open_; }

  private:
    HostServices& ui_;
    bool open_;
};

class DiscountDeleteForm : public EntryForm {
  public:
    DiscountDeleteForm()
        : EntryForm(kDiscountDeleteForm, "Rabattgruppen eines Lieferanten löschen") {
        AddExplanation(
            "Mit dieser Funktion können Sie alle Rabattgruppen zu dem aktuellen Lieferanten "
            "löschen. Diese "
            "Funktion wird bei manuell erfaßten Rabattgruppen eingesetzt.");
        AddExplanation("Haben Sie den richtigen Lieferanten eingestellt ?");
        AddExplanation("Es werden alle Rabatte des Lieferanten gelöscht !");
        AddButton(kOk, "Rabatte &Löschen");
        AddButton(kCancel, "&Abbruch");
    }
};

}  // namespace

CommandOutcome PrintDiscountGroups(Session& s) {
    ReadCurrentSupplier(s);
    PrintJob job(s.ui);
    if (!job.open()) return CommandOutcome::Cancelled;
    s.ui.breit(true);
    s.ui.druckeln("Rabattgruppenliste: " + currentSupplierName(s));
    s.ui.druckeln("");
    for (const auto& g : supplierDiscountGroups(s))
        s.ui.druckeln(discountPrintLine(g, s.ArticlePrefix));
    return CommandOutcome::Done;
}

CommandOutcome DeleteDiscountGroupsCommand(Session& s) {
    ReadCurrentSupplier(s);
    DiscountDeleteForm form;
    if (!form.Execute(s.ui)) return CommandOutcome::Cancelled;
    DeleteSupplierDiscountGroups(s);
    s.ui.meldung("Rabatte für: " + currentSupplierName(s) + " wurden gelöscht!");
    return CommandOutcome::Done;
}

CommandOutcome DiscountGroupSelection(Session& s) {
    ReadCurrentSupplier(s);
    DiscountGroupList(s);
    return CommandOutcome::Done;
}

CommandOutcome PrintProductGroups(Session& s) {
    ReadCurrentSupplier(s);
    PrintJob job(s.ui);
    if (!job.open()) return CommandOutcome::Cancelled;
    for (const auto& g : supplierProductGroups(s)) s.ui.druckeln(productPrintLine(g));
    return CommandOutcome::Done;
}

CommandOutcome ProductGroupSelection(Session& s) {
    ReadCurrentSupplier(s);
    ProductGroupList(s);
    return CommandOutcome::Done;
}

CommandOutcome ShowArticlesCommand4(Session& s) {
    ReadCurrentSupplier(s);
    if (!ChooseImportFiles(s, 'a')) return CommandOutcome::Cancelled;
    ShowArticles4(s, s.OnlineImportFiles);
    return CommandOutcome::Done;
}

}  // namespace dn
