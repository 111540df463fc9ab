#include "cli/progress_line.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace dn::cli {
namespace {

std::string duration(double seconds) {
    const long total = std::lround(std::max(0.0, seconds));
    char buf[32];
    if (total >= 3600)
        std::snprintf(buf, sizeof buf, "%ld:%02ld:%02ld", total / 3600, total / 60 % 60,
                      total % 60);
    else
        std::snprintf(buf, sizeof buf, "%ld:%02ld", total / 60, total % 60);
    return buf;
}

}  // namespace

std::string progressText(const ProgressState& p, std::chrono::duration<double> elapsed) {
    std::string text = p.title;
    const double seconds = elapsed.count();
    const bool timed = seconds >= 1.0;
    double fraction = -1;
    if (p.max > 0) {
        fraction = std::clamp(static_cast<double>(p.value) / static_cast<double>(p.max), 0.0, 1.0);
        text +=
            (text.empty() ? "" : "  ") + std::to_string(static_cast<int>(fraction * 100)) + " %";
    }
    if (p.count >= 0) {
        text += "  " + std::to_string(p.count) + " Artikel";
        if (timed) text += "  " + std::to_string(std::lround(p.count / seconds)) + " Artikel/s";
    }
    if (timed && fraction > 0 && fraction < 1)
        text += "  noch " + duration(seconds * (1 - fraction) / fraction);
    if (!p.info.empty()) text += "  " + p.info;
    return text;
}

}  // namespace dn::cli
