// `datanorm groups discount|product list|mark CODE|unmark CODE|...`: the
// group lists of the current supplier and their marks without a dialog.

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>

#include "cli/cli_commands.h"
#include "common/current_supplier.h"
#include "common/discount_group.h"
#include "common/session.h"
#include "features/groups/group_format.h"
#include "features/groups/group_lists.h"
#include "shared/exit_codes.h"

namespace dn::cli {
namespace {

struct GroupsRequest {
    CLI::App* discount = nullptr;
    CLI::App* product = nullptr;
    std::string code;
};

std::string markColumn(bool marked) {
    return marked ? "* " : "  ";
}

int listDiscount(Session& s) {
    std::cout << "  " << kDiscountPickerHeader << '\n';
    for (const auto& g : supplierDiscountGroups(s))
        std::cout << markColumn(g.selektiert) << discountPickerLine(g) << '\n';
    return kExitDone;
}

int listProduct(Session& s) {
    std::cout << "  " << kProductPickerHeader << '\n';
    for (const auto& g : supplierProductGroups(s))
        std::cout << markColumn(g.selektiert) << productPickerLine(g)
                  << (g.isSubGroup ? "" : "  (Hauptgruppe)") << '\n';
    return kExitDone;
}

int markDiscount(Session& s, const std::string& code, bool on) {
    const std::string key = GroupKey(s.ArticlePrefix, code);
    if (!MarkDiscountGroup(s, key, on)) {
        std::cerr << "Rabattgruppe " << key << " gibt es nicht." << std::endl;
        return kExitFailed;
    }
    return kExitDone;
}

int markProduct(Session& s, const std::string& code, bool on) {
    const std::string key = GroupKey(s.ArticlePrefix, code);
    // The same rule as the list the host shows: the older picker refuses
    // product groups below a main group.
    switch (MarkProductGroup(s, key, on, !s.host.f_dbbrowser)) {
        case MarkResult::Done:
            return kExitDone;
        case MarkResult::Missing:
            std::cerr << "Warengruppe " << key << " gibt es nicht." << std::endl;
            return kExitFailed;
        case MarkResult::SubGroupRefused:
            return kExitFailed;
    }
    return kExitFailed;
}

// The marks and the deletions belong to the selection lists, commands 26
// and 54; listing changes nothing.
constexpr int kDiscountSelection = 26, kProductSelection = 54;

int runGroups(Session& s, const GroupsRequest& req) {
    ReadCurrentSupplier(s);
    const CLI::App* kind = req.discount->parsed() ? req.discount : req.product;
    if (!kind->got_subcommand("list") &&
        deniedRight(s, req.discount->parsed() ? kDiscountSelection : kProductSelection))
        return kExitRefused;
    if (req.discount->parsed()) {
        if (req.discount->got_subcommand("list")) return listDiscount(s);
        if (req.discount->got_subcommand("mark")) return markDiscount(s, req.code, true);
        if (req.discount->got_subcommand("unmark")) return markDiscount(s, req.code, false);
        if (req.discount->got_subcommand("delete-articles")) {
            std::cout << DeleteArticlesOfMarkedDiscountGroups(s) << " Artikel gelöscht\n";
            return kExitDone;
        }
    }
    if (req.product->parsed()) {
        if (req.product->got_subcommand("list")) return listProduct(s);
        if (req.product->got_subcommand("mark")) return markProduct(s, req.code, true);
        if (req.product->got_subcommand("unmark")) return markProduct(s, req.code, false);
        if (req.product->got_subcommand("delete-articles")) {
            std::cout << DeleteArticlesOfMarkedProductGroups(s) << " Artikel gelöscht\n";
            return kExitDone;
        }
        if (req.product->got_subcommand("contents")) {
            std::cout << EnterMarkedMainGroupsInContents(s) << " Hauptwarengruppen eingetragen\n";
            return kExitDone;
        }
    }
    return kExitUsage;
}

CLI::App* addGroupKind(CLI::App& groups, const std::string& name, const std::string& what,
                       std::string& code) {
    auto* kind = groups.add_subcommand(name, what + " des aktuellen Lieferanten");
    kind->require_subcommand(1);
    kind->add_subcommand("list", "alle Gruppen, markierte mit *");
    kind->add_subcommand("mark", "Gruppe markieren")
        ->add_option("code", code, "Gruppe ohne Präfix")
        ->required();
    kind->add_subcommand("unmark", "Markierung entfernen")
        ->add_option("code", code, "Gruppe ohne Präfix")
        ->required();
    kind->add_subcommand("delete-articles", "Artikel der markierten Gruppen aus dem Stamm löschen");
    return kind;
}

}  // namespace

std::function<int(Session&)> addGroupsSubcommand(CLI::App& app) {
    auto req = std::make_shared<GroupsRequest>();
    auto* groups = app.add_subcommand("groups", "Rabatt- und Warengruppen: Liste und Markierung");
    groups->require_subcommand(1);
    req->discount = addGroupKind(*groups, "discount", "Rabattgruppen", req->code);
    req->product = addGroupKind(*groups, "product", "Warengruppen", req->code);
    req->product->add_subcommand("contents",
                                 "markierte Hauptwarengruppen in das Inhaltsverzeichnis");
    return [req](Session& s) { return runGroups(s, *req); };
}

}  // namespace dn::cli
