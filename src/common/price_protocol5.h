#pragma once
// Protocol output of the price rules, collected by the pure rules and
// printed by the importer, and the number formats of those lines.

#include <string>
#include <vector>

namespace dn {

struct Session;

// One piece of protocol: a whole line (`ProtocolLine`) or text that the next
// piece continues (`ProtocolText`).
struct ProtocolEntry5 {
    std::string text;
    bool lineEnd = true;
    bool operator==(const ProtocolEntry5&) const = default;
};
using Protocol5 = std::vector<ProtocolEntry5>;

// Prints the entries through `ProtocolLine`/`ProtocolText`, i.e. only while
// the command's protocol option is on.
void PrintProtocol5(Session& s, const Protocol5& protocol);

// A number right-aligned in width with the given decimals ("%*.*f").
std::string FormatNumber5(double value, int width, int decimals);
// The same without the leading blanks.
std::string FormatTrimmed5(double value, int width, int decimals);
// Prices: width 11, 2 decimals. Factors and percentages: width 5, 2 decimals.
std::string FormatPrice5(double value);
std::string FormatFactor5(double value);

}  // namespace dn
