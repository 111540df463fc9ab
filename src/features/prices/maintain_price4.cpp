#include "features/prices/maintain_price4.h"

#include <fmt/format.h>

#include <cmath>
#include <utility>
#include <vector>

#include "common/currency.h"
#include "common/discount_group.h"
#include "common/protocol.h"
#include "common/session.h"
#include "features/articles/import_text4.h"
#include "formats/dn4/dn4_reader.h"
#include "host/amounts.h"
#include "host/store.h"

namespace dn {
namespace {

std::string amount(double v) {
    return fmt::format("{:11.2f}", v);
}
std::string factor(double v) {
    return fmt::format("{:5.2f}", v);
}

double pairValue(const DiscountPair4& p) {
    return fieldNumber(p.value);
}

// Discount flags other than "0": factor from the value.
struct FlagRule {
    char flag;
    double (*factor)(double value);
};
constexpr FlagRule kFlagRules[] = {
    {'1', [](double v) { return 1.0 - (v / 100.0) / 100.0; }},
    {'2', [](double v) { return v / 1000.0; }},
    {'3', [](double v) { return 1.0 + (v / 100.0) / 100.0; }},
};

}  // namespace

PriceBlock4 priceBlockOf(std::string_view record, int i) {
    const std::size_t start = 3 + 39 * static_cast<std::size_t>(i - 1) - 1;
    auto part = [&](std::size_t offset, std::size_t width) {
        return std::string(record.substr(start + offset, width));
    };
    PriceBlock4 b;
    b.articleNumber = part(0, 15);
    b.priceFlag = record[start + 15];
    b.price = part(16, 8);
    for (std::size_t k = 0; k < 3; ++k) {
        b.pairs[k].flag = record[start + 24 + 5 * k];
        b.pairs[k].value = part(25 + 5 * k, 4);
    }
    return b;
}

std::optional<double> DiscountFactor(int index, const DiscountPair4& pair,
                                     const std::function<double(const std::string&)>& groupFactor) {
    if (pair.flag == '\0' || pair.flag == ' ') return 1.0;
    if (pair.flag == '0') return index == 0 ? groupFactor(pair.value) : 1.0;
    for (const auto& rule : kFlagRules)
        if (rule.flag == pair.flag) return rule.factor(pairValue(pair));
    return std::nullopt;
}

double GroupFactor(Session& s, const std::string& code) {
    const DiscountGroupRule g = LoadDiscountGroupRule(s, code);
    if (g.kind == '1') return 1.0 - g.value / 100.0;
    if (g.kind == '2') return g.value;
    return 1.0;
}

void CopperSurchargeOnPrice(Session& s, const ArticleRecord& a, double& price) {
    if (!s.CopperSurcharge || a.metalkind != "c") return;
    const double surcharge = (s.CopperQuotation - a.metalbase) * a.metalweight / 100.0;
    ProtocolLine(s, "Kupferzuschlag: " + amount(surcharge));
    price += surcharge;
    ProtocolLine(s, "Neuer Preis   : " + amount(price));
}

void MaintainArticlePrice(Session& s, const PriceModes& modes, PriceBlock4 block, bool fileInEuro,
                          const PricedArticleSink& write) {
    auto line = [&s](const std::string& t) { ProtocolLine(s, t); };
    ConvertAmountField(block.price, s.host.euroIsBase(), fileInEuro);
    const std::string number = trimBlanks4(dn4ToUtf8(block.articleNumber));
    const std::string key = utf8Left(s.ArticlePrefix + number, 18);
    line("Artikel: " + number);
    HostStore& store = s.store();
    auto found = store.readArticle(key);
    if (!found) {
        line("  Nicht gefunden ");
        line("");
        return;
    }
    ArticleRecord& a = *found;
    if (trimBlanks4(dn4ToUtf8(block.price)).empty()) {  // no price: the stored prices stay
        line("  Kein Preis angegeben, Preise unverändert");
        line("");
        return;
    }
    const double price = fieldNumber(block.price) / 100.0;
    const int quantity = a.priceunit != 0 ? a.priceunit : 1;
    const char readFlag = block.priceFlag;
    const auto& first = block.pairs[0];

    if (s.settings.TakeListPrice && readFlag == '1')
        a.listprice = price / PriceUnitFactor(a.priceunitcode.empty() ? '0' : a.priceunitcode[0]);
    if (first.flag == '0' && first.present()) a.discountgroup = dn4ToUtf8(first.value);
    char flag = readFlag;
    if ((flag == '1' || flag == '2') && modes.salesMode == 1) flag = '4';
    a.priceflag = flag == '\0' ? std::string() : std::string(1, flag);

    double total = 1.0;
    for (int i = 0; i < 3; ++i) {
        auto f = DiscountFactor(
            i, block.pairs[static_cast<std::size_t>(i)],
            [&s](const std::string& code) { return GroupFactor(s, dn4ToUtf8(code)); });
        if (!f) {
            line(std::string(i == 0 ? "" : "  ") +
                 "Ungültiges Rabattkennzeichen:" + block.pairs[static_cast<std::size_t>(i)].flag);
            return;
        }
        ProtocolText(s, "  Faktor" + std::to_string(i + 1) + " = " + factor(*f));
        total *= *f;
    }
    line("  Gesamtfaktor = " + factor(total));

    const std::string unitText = "   Preiseinheit = " + std::to_string(quantity);
    const std::string grossLine = "  Hersteller-Bruttopreis        = " + amount(price) + unitText;
    const std::string netLine = "  Hersteller-Nettopreis         = " + amount(price) + unitText;
    auto surchargeBy = [&](const DiscountGroupRule& g) {
        if (!surchargeApplies(g.surcharge)) return;
        a.salesprice = salesWithSurcharge(a.purchaseprice, g.surcharge);
        line("  Rabattgruppenaufschlag = " + amount(g.surcharge));
        line("  --> Neuer VK                  = " + amount(a.salesprice));
    };
    const std::string notEk = "  --> wird nicht in EK übernommen!";
    // Sales mode 1: the sales price follows the new purchase price with the
    // article's old markup, whichever rule gave the purchase price.
    const double oldMarkup =
        a.purchaseprice != 0 ? (a.salesprice - a.purchaseprice) / a.purchaseprice : 0.0;
    auto salesFromMarkup = [&] {
        a.salesprice = a.purchaseprice * (1.0 + oldMarkup);
        line("  alter Aufschlag = " + amount(oldMarkup * 100.0) + " %");
        line("  --> VK = EK + Aufschlag        = " + amount(a.salesprice));
    };
    // A net price of 0: the purchase price from the stored list price less
    // the group's discount.
    auto purchaseFromListPrice = [&] {
        const DiscountGroupRule g = LoadDiscountGroupRule(s, a.discountgroup);
        a.purchaseprice = a.listprice - a.listprice * g.value / 100.0;
        line("  --> Netto ist 0 -> EK = Listenpreis - Rabatt");
        line("  --> Listenpreis = " + amount(a.listprice));
        line("  --> Rabatt      = " + amount(g.value) + " %");
        line("  --> EK-Preis    = " + amount(a.purchaseprice));
    };
    const bool netZero = readFlag == '2' && price == 0 && s.settings.NetZeroUsesListPrice;
    switch (flag) {
        case '1':
            line(grossLine);
            if (modes.salesMode == 0) {
                a.salesprice = price / quantity;
                line("  --> wird in VK übernommen: VK = " + amount(a.salesprice));
            } else {
                line("  --> wird nicht in VK übernommen!");
            }
            if (modes.purchaseMode == 0) {
                a.purchaseprice = rund(a.salesprice * total);
                line("  --> EK = VK * Gesamtfaktor    = " + amount(a.purchaseprice));
            } else {
                line(notEk);
            }
            if (first.flag == '0') {
                const DiscountGroupRule g = LoadDiscountGroupRule(s, a.discountgroup);
                if (modes.salesMode == 0) surchargeBy(g);
            }
            break;
        case '2':
            line(netLine);
            if (modes.purchaseMode != 0) {
                line(notEk);
            } else if (netZero) {
                purchaseFromListPrice();
            } else {
                a.purchaseprice = price * total / quantity;
                line("  --> EK = Netto * Gesamtfaktor = " + amount(a.purchaseprice));
            }
            break;
        case '3':
            line("  Hersteller-Werkspreis         = " + amount(price) + unitText);
            if (modes.purchaseMode == 0 && s.settings.TakeFactoryPrices) {
                a.purchaseprice = price * total / quantity;
                line("  --> EK = Preis * Gesamtfaktor = " + amount(a.purchaseprice));
                if (modes.salesMode == 1) salesFromMarkup();
            } else {
                line(notEk);
            }
            break;
        case '4':
            if (readFlag == '1')
                line("  Hersteller-Bruttopreis         = " + amount(price) + unitText);
            else if (readFlag == '2')
                line(netLine);
            if (netZero) {
                purchaseFromListPrice();
            } else {
                a.purchaseprice = price * total / quantity;
                if (readFlag == '1' || readFlag == '2')
                    line("  --> EK = Brutto * Faktor / Preiseinheit = " + amount(a.purchaseprice));
                else
                    line("Fehlendes Preiskennzeichen!");
            }
            salesFromMarkup();
            break;
        default:
            break;
    }
    // The group's sales surcharge replaces the old markup only when the
    // sales prices are taken over from the gross price.
    if ((first.flag == '1' || first.flag == '2') && modes.salesMode == 0)
        surchargeBy(LoadDiscountGroupRule(s, a.discountgroup, false));
    a.changedate = s.TodayDate;
    if (s.CopperSurcharge) {
        if (modes.salesMode != 2) {
            line("VK");
            CopperSurchargeOnPrice(s, a, a.salesprice);
        }
        if (modes.purchaseMode != 1) {
            line("EK");
            CopperSurchargeOnPrice(s, a, a.purchaseprice);
        }
    }
    write(std::move(a));
    line("");
}

}  // namespace dn
