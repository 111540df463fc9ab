#pragma once
// Command 32 for a DATANORM 4 supplier: the listing of an article file on
// the host printer.

#include <string>
#include <vector>

namespace dn {

struct Session;

// Prints the articles (A records with processing flag "N") of the chosen
// files: heading, per article two lines, customer number and header lines,
// the total at the end. Nothing is printed when the host has no printer.
// Stops at a conversion failure or Escape on the status panel.
void ShowArticles4(Session& s, const std::vector<std::string>& files);

// The two lines of an article as the listing prints them (UTF-8); the price
// is in cents, already converted to the host's currency.
std::vector<std::string> articleListingLines(const std::string& articleNumber,
                                             const std::string& shortText1,
                                             const std::string& shortText2, double priceCents,
                                             const std::string& discountGroup);

}  // namespace dn
