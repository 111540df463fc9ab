#include "common/price_protocol.h"

#include <fmt/format.h>

#include "common/protocol.h"

namespace dn {

void printPriceProtocol(Session& s, const PriceProtocol& protocol) {
    for (const auto& entry : protocol) {
        if (entry.lineEnd)
            ProtocolLine(s, entry.text);
        else
            ProtocolText(s, entry.text);
    }
}

std::string formatNumber(double value, int width, int decimals) {
    if (value == 0.0) value = 0.0;  // no "-0.00"
    return fmt::format("{:>{}.{}f}", value, width, decimals);
}

std::string formatTrimmed(double value, int width, int decimals) {
    std::string text = formatNumber(value, width, decimals);
    text.erase(0, text.find_first_not_of(' '));
    return text;
}

std::string formatPrice(double value) {
    return formatNumber(value, 11, 2);
}
std::string formatFactor(double value) {
    return formatNumber(value, 5, 2);
}

}  // namespace dn
