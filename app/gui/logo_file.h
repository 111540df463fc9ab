#pragma once
// The host's logo file "torvalo64.hlo": a 4-byte header, then per picture
// a 16-bit type, a 32-bit length and that many bytes (little-endian). The
// first picture is the small logo, the second the large one.

#include <QByteArray>
#include <QSize>
#include <filesystem>
#include <optional>
#include <vector>

namespace dn::gui {

inline constexpr const char* kLogoFileName = "torvalo64.hlo";

enum LogoType : int { kLogoUnsupported = 1, kLogoJpeg = 2 };
enum LogoVariant : int { kNoLogo = 0, kSmallLogo = 1, kLargeLogo = 2 };

struct LogoPicture {
    int type = 0;
    QByteArray data;
};

// The pictures of the file; none when it does not exist. A picture cut
// short ends the list.
std::optional<std::vector<LogoPicture>> readLogoFile(const std::filesystem::path& file);
std::vector<LogoPicture> parseLogo(const QByteArray& bytes);

// The large logo for windows wider than 1200 or higher than 900 pixels.
LogoVariant logoVariantFor(QSize windowSize);

// Size of the area the default logo is drawn into.
inline constexpr QSize kDefaultLogoSize{529, 345};

}  // namespace dn::gui
