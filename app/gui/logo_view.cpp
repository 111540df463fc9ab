#include "gui/logo_view.h"

#include <QLinearGradient>
#include <QPainter>

namespace dn::gui {
namespace {

constexpr int kAboveCentre = 5;

}  // namespace

LogoView::LogoView(std::filesystem::path logoFile, std::function<void(const QString&)> message,
                   QWidget* parent)
    : QWidget(parent), file_(std::move(logoFile)), message_(std::move(message)) {
    setObjectName("Image1");
    setAutoFillBackground(true);
}

void LogoView::choose(QSize windowSize) {
    const LogoVariant wanted = logoVariantFor(windowSize);
    if (wanted == variant_) {
        update();
        return;
    }
    const auto pictures = readLogoFile(file_);
    useDefault_ = !pictures.has_value();
    variant_ = wanted;
    if (pictures) {
        const std::size_t index = wanted == kLargeLogo ? 1 : 0;
        if (index < pictures->size()) {
            const LogoPicture& p = (*pictures)[index];
            if (p.type == kLogoJpeg) {
                QPixmap pixmap;
                if (pixmap.loadFromData(p.data, "JPG")) picture_ = pixmap;
            } else if (p.type == kLogoUnsupported && message_) {
                message_(QStringLiteral("Logo nicht unterstützt"));
            }
        }
    }
    update();
}

void LogoView::setLogoVisible(bool on) {
    visible_ = on;
    repaint();
}

QSize LogoView::pictureSize() const {
    return useDefault_ ? kDefaultLogoSize : picture_.size();
}

QRect LogoView::pictureRect() const {
    const QSize size = pictureSize();
    return QRect(
        QPoint((width() - size.width()) / 2, (height() - size.height()) / 2 - kAboveCentre), size);
}

void LogoView::paintEvent(QPaintEvent*) {
    if (!visible_ || variant_ == kNoLogo) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (useDefault_)
        drawDefaultLogo(painter, pictureRect());
    else if (!picture_.isNull())
        painter.drawPixmap(pictureRect().topLeft(), picture_);
}

void LogoView::drawDefaultLogo(QPainter& painter, const QRect& area) const {
    QLinearGradient fill(area.topLeft(), area.bottomRight());
    fill.setColorAt(0, QColor(0x1f, 0x4e, 0x8c));
    fill.setColorAt(1, QColor(0x0b, 0x26, 0x4a));
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(area, 18, 18);

    const QRect inner = area.adjusted(28, 28, -28, -28);
    painter.setPen(QPen(QColor(0xf2, 0xb1, 0x34), 4));
    painter.drawLine(inner.left(), inner.top() + 150, inner.right(), inner.top() + 150);

    QFont title = font();
    title.setPointSize(44);
    title.setBold(true);
    title.setLetterSpacing(QFont::PercentageSpacing, 115);
    painter.setFont(title);
    painter.setPen(Qt::white);
    painter.drawText(QRect(inner.left(), inner.top() + 30, inner.width(), 110), Qt::AlignCenter,
                     QStringLiteral("TORVALO"));

    QFont sub = font();
    sub.setPointSize(15);
    painter.setFont(sub);
    painter.setPen(QColor(0xdd, 0xe6, 0xf3));
    painter.drawText(QRect(inner.left(), inner.top() + 170, inner.width(), 40), Qt::AlignCenter,
                     QStringLiteral("DATANORM-Schnittstelle"));
    sub.setPointSize(10);
    painter.setFont(sub);
    painter.drawText(QRect(inner.left(), inner.bottom() - 40, inner.width(), 30), Qt::AlignCenter,
                     QStringLiteral("Artikelstammdaten der Lieferanten"));
}

}  // namespace dn::gui
