#include "features/prices/discount_change.h"

#include <fmt/format.h>

#include <cmath>
#include <utility>

#include "common/current_supplier.h"
#include "common/discount_group.h"
#include "common/session.h"
#include "common/unit_batch.h"
#include "features/articles/import_options4.h"
#include "host/amounts.h"
#include "host/store.h"

namespace dn {

TRABATTAENDERN::TRABATTAENDERN(Session& s, DiscountChangeModes& modes)
    : EntryForm("TRABATTAENDERN", "Preispflege nach Rabattänderung"), s_(s), modes_(modes) {
    const std::string number = fmt::format("{:2d}", s.CurrentSupplier);
    const std::string name = s.suppliers.entry(s.CurrentSupplier).name;
    AddDisplay(100, "Lieferant", [number] { return number; });
    AddDisplay(101, "Bezeichnung", [name] { return name.substr(0, 10); });
    AddList(102, "EK-Preis",
            {"Nicht verändern", "Berechnen aus Artikel-VK minus Rabatt",
             "Berechnen aus Listenpreis minus Rabatt"},
            modes.purchase);
    AddList(103, "VK-Preis",
            {"Nicht verändern", "Berechnen aus EK plus alter Aufschlag",
             "Berechnen aus EK plus Rabattgruppen-Aufschlag"},
            modes.sales);
    AddButton(kOk, "&OK");
    AddButton(kCancel, "&Abbruch");
}

bool TRABATTAENDERN::OK() {
    if ((modes_.sales == 1 || modes_.sales == 2) && !s_.settings.TakeListPrice)
        return s_.ui.janein(kMsgListPriceQuestion);
    return true;
}

void RepriceArticle(Session& s, const DiscountChangeModes& m, ArticleRecord& a) {
    const double old = a.purchaseprice != 0
                           ? rund((a.salesprice - a.purchaseprice) / a.purchaseprice * 100.0)
                           : 0.0;
    if (m.purchase == 1)
        a.purchaseprice = ApplyDiscountGroup(s, a.discountgroup, a.salesprice);
    else if (m.purchase == 2)
        a.purchaseprice = ApplyDiscountGroup(s, a.discountgroup, a.listprice);
    if (m.sales == 1) {
        a.salesprice = a.purchaseprice * (1.0 + old / 100.0);
    } else if (m.sales == 2) {
        const DiscountGroupRule g = LoadDiscountGroupRule(s, a.discountgroup);
        if (surchargeApplies(g.surcharge))
            a.salesprice = salesWithSurcharge(a.purchaseprice, g.surcharge);
    }
    a.changedate = s.host.today != 0 ? s.host.today : todayDayNumber();
}

CommandOutcome PricesAfterDiscountChange(Session& s) {
    ReadCurrentSupplier(s);
    DiscountChangeModes modes;
    modes.purchase = s.settings.TakeListPrice ? 2 : 1;
    TRABATTAENDERN form(s, modes);
    if (!form.Execute(s.ui)) return CommandOutcome::Cancelled;
    if (modes.purchase == 0 && modes.sales == 0) return CommandOutcome::Done;

    HostStore& store = s.store();
    s.ui.PanelOn("Preispflege nach Rabatt");
    // A write the store refuses is reported and left out; the others go on.
    bool refused = false;
    try {
        UnitBatch<ArticleRecord> batch(
            store, CommitBatchLimits(ReadCommitBatchSize(s)),
            [&store](ArticleRecord& a, Replay) { store.writeArticle(a); },
            [&s, &refused](const DatabaseError& e) {
                s.ui.meldung(e.what());
                refused = true;
            });
        store.forEachArticle(KeyRange::prefix(s.ArticlePrefix), [&](const ArticleRecord& found) {
            if (s.ui.ESCPanel()) return false;
            ArticleRecord a = found;
            RepriceArticle(s, modes, a);
            s.ui.SetInfo("Artikel Nr.: " + a.key);
            batch.add(std::move(a));
            return true;
        });
        batch.commit();
    } catch (...) {
        s.ui.PanelOff();
        throw;
    }
    s.ui.PanelOff();
    return refused ? CommandOutcome::DatabaseFailure : CommandOutcome::Done;
}

}  // namespace dn
