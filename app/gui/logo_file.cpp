#include "gui/logo_file.h"

#include <QFile>
#include <QtEndian>

namespace dn::gui {
namespace {

constexpr qsizetype kHeaderSize = 4;
constexpr qsizetype kPictureHeaderSize = 6;

}  // namespace

std::vector<LogoPicture> parseLogo(const QByteArray& bytes) {
    std::vector<LogoPicture> pictures;
    qsizetype pos = kHeaderSize;
    while (pos + kPictureHeaderSize <= bytes.size()) {
        const auto* p = reinterpret_cast<const uchar*>(bytes.constData() + pos);
        LogoPicture picture;
        picture.type = qFromLittleEndian<quint16>(p);
        const quint32 length = qFromLittleEndian<quint32>(p + 2);
        pos += kPictureHeaderSize;
        if (length > static_cast<quint64>(bytes.size() - pos)) break;
        picture.data = bytes.mid(pos, static_cast<qsizetype>(length));
        pos += static_cast<qsizetype>(length);
        pictures.push_back(std::move(picture));
    }
    return pictures;
}

std::optional<std::vector<LogoPicture>> readLogoFile(const std::filesystem::path& file) {
    QFile f(QString::fromStdString(file.string()));
    if (!f.exists() || !f.open(QIODevice::ReadOnly)) return std::nullopt;
    return parseLogo(f.readAll());
}

LogoVariant logoVariantFor(QSize windowSize) {
    return windowSize.width() > 1200 || windowSize.height() > 900 ? kLargeLogo : kSmallLogo;
}

}  // namespace dn::gui
