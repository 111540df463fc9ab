#pragma once
// The grid form of the group lists (host flag `f_dbbrowser` on): the
// columns with their widths in characters, the two orders, the take-over
// caption and the help context of "Liste Rabatte" and "Liste Warengruppen".

#include <string>
#include <vector>

#include "host/host_services.h"
#include "host/store_records.h"

namespace dn {

inline constexpr int kGroupListHelp = 9905;

// "Blitzindex": the lines ordered by description without regard to case
// (umlauts sort with their base letters, "ß" as "ss"), equal descriptions
// in the order given. The result holds indices into `descriptions`.
std::vector<int> blitzindexOrder(const std::vector<std::string>& descriptions);

// Columns "Gruppe" (8), "Bezeichnung" (43), "Typ" (8), "Wert" (12, right),
// orders "Rabattgruppe" (key) and "Blitzindex", "Rabatt überne&hmen".
void describeDiscountGrid(ListRequest& req, const std::vector<DiscountGroupRecord>& groups);
// Columns "Gruppe" (20), "Bezeichnung" (60), orders "WG-Key" (key) and
// "Blitzindex", "Warengruppe überne&hmen".
void describeProductGrid(ListRequest& req, const std::vector<ProductGroupRecord>& groups);

}  // namespace dn
