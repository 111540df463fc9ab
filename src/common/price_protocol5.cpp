#include "common/price_protocol5.h"

#include <fmt/format.h>

#include "common/protocol.h"

namespace dn {

void PrintProtocol5(Session& s, const Protocol5& protocol) {
    for (const auto& entry : protocol) {
        if (entry.lineEnd)
            ProtocolLine(s, entry.text);
        else
            ProtocolText(s, entry.text);
    }
}

std::string FormatNumber5(double value, int width, int decimals) {
    if (value == 0.0) value = 0.0;  // no "-0.00"
    return fmt::format("{:>{}.{}f}", value, width, decimals);
}

std::string FormatTrimmed5(double value, int width, int decimals) {
    std::string text = FormatNumber5(value, width, decimals);
    text.erase(0, text.find_first_not_of(' '));
    return text;
}

std::string FormatPrice5(double value) {
    return FormatNumber5(value, 11, 2);
}
std::string FormatFactor5(double value) {
    return FormatNumber5(value, 5, 2);
}

}  // namespace dn
