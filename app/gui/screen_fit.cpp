#include "gui/screen_fit.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QScreen>
#include <QScrollBar>
#include <QWidget>
#include <algorithm>

namespace dn::gui {
namespace {

// The smallest screen less a panel, and what a window frame with its
// title bar takes.
constexpr QSize kSmallestScreen(1024, 768 - 32);
constexpr QSize kFrame(16, 40);
// Icon, minimise, maximise and close buttons of a title bar.
constexpr int kTitleBarButtons = 120;

// Brings the cached sizes of every layout up to date (texts set after the
// layouts were built), the inner ones first.
void activateLayouts(QWidget& window) {
    const auto children = window.findChildren<QWidget*>();
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        if ((*it)->layout()) (*it)->layout()->activate();
    if (window.layout()) window.layout()->activate();
}

}  // namespace

QSize dialogRoom(const QWidget* window) {
    QScreen* screen = window ? window->screen() : nullptr;
    if (!screen) screen = QGuiApplication::primaryScreen();
    QSize room = kSmallestScreen;
    if (screen) room = room.boundedTo(screen->availableGeometry().size());
    return room - kFrame;
}

int titleRoom(const QWidget& window) {
    QFont font = window.font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(window.windowTitle()) + kTitleBarButtons;
}

void wrapWideLabels(QWidget& window, int width) {
    for (QLabel* label : window.findChildren<QLabel*>())
        if (!label->wordWrap() && !label->text().isEmpty() && label->sizeHint().width() > width)
            label->setWordWrap(true);
}

void fitToScreen(QWidget& window) {
    const QSize room = dialogRoom(&window);
    const QMargins margins = window.layout() ? window.layout()->contentsMargins() : QMargins();
    wrapWideLabels(window, room.width() - margins.left() - margins.right());
    window.ensurePolished();
    activateLayouts(window);
    const bool sized = window.testAttribute(Qt::WA_Resized);
    const QSize wanted = sized ? window.size() : window.sizeHint();
    const int width = std::min(std::max(wanted.width(), titleRoom(window)), room.width());
    int height = wanted.height();
    if (!sized && window.heightForWidth(width) > 0) height = window.heightForWidth(width);
    window.resize(width, std::min(height, room.height()));
}

FittingScrollArea::FittingScrollArea(QWidget* parent) : QScrollArea(parent) {
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
}

void FittingScrollArea::setLimit(QSize size) {
    limit_ = size.expandedTo(QSize(0, 0));
    updateGeometry();
}

int FittingScrollArea::extraWidth() const {
    // Room for the scroll bar, so that scrolling never hides a column.
    return verticalScrollBar()->sizeHint().width() + 2 * frameWidth();
}

QSize FittingScrollArea::sizeHint() const {
    if (!widget()) return QScrollArea::sizeHint();
    const QSize content = widget()->sizeHint();
    const QSize size(content.width() + extraWidth(), content.height() + 2 * frameWidth());
    return size.boundedTo(limit_);
}

QSize FittingScrollArea::minimumSizeHint() const {
    if (!widget()) return QScrollArea::minimumSizeHint();
    const QSize content = widget()->minimumSizeHint();
    // Enough height for a few lines; the rest scrolls.
    const int height = std::min(content.height(), 6 * fontMetrics().height());
    return QSize(content.width() + extraWidth(), height).boundedTo(limit_);
}

}  // namespace dn::gui
