#pragma once
// Protocol output of the price rules, collected by the pure rules and
// printed by the importer, and the number formats of those lines.

#include <string>
#include <vector>

namespace dn {

struct Session;

// One piece of protocol: a whole line (`ProtocolLine`) or text that the next
// piece continues (`ProtocolText`).
struct ProtocolEntry {
    std::string text;
    bool lineEnd = true;
    bool operator==(const ProtocolEntry&) const = default;
};
using PriceProtocol = std::vector<ProtocolEntry>;

// Prints the entries through `ProtocolLine`/`ProtocolText`, i.e. only while
// the command's protocol option is on.
void printPriceProtocol(Session& s, const PriceProtocol& protocol);

// A number right-aligned in width with the given decimals ("%*.*f").
std::string formatNumber(double value, int width, int decimals);
// The same without the leading blanks.
std::string formatTrimmed(double value, int width, int decimals);
// Prices: width 11, 2 decimals. Factors and percentages: width 5, 2 decimals.
std::string formatPrice(double value);
std::string formatFactor(double value);

}  // namespace dn
