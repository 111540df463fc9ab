#include "gui/screen_grab.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMainWindow>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace dn::gui {
namespace {

// The background where no window is.
const QColor kDesktop(0x3a, 0x4a, 0x5a);
const QColor kFrame(0x20, 0x20, 0x20);

// Lower ranks are drawn first (further back).
int stackRank(const QWidget* w) {
    if (w->windowType() == Qt::Popup || w->windowType() == Qt::ToolTip) return 3;
    if (w == QApplication::activeModalWidget()) return 2;
    if (qobject_cast<const QMainWindow*>(w)) return 0;
    return 1;
}

}  // namespace

QImage composeWindows(QScreen* screen) {
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    QList<QWidget*> windows;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowType() != Qt::Desktop) windows << w;
    std::stable_sort(windows.begin(), windows.end(), [](const QWidget* a, const QWidget* b) {
        return stackRank(a) < stackRank(b);
    });
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(kDesktop);
    QPainter painter(&image);
    for (QWidget* w : windows)
        painter.drawPixmap(w->geometry().topLeft() - area.topLeft(), w->grab());
    return image;
}

QImage grabScreen(QScreen* screen) {
    // Platforms without a window system have no screen pixels of their own
    // (the offscreen one hands out a window's store with undefined rest).
    const QString platform = QGuiApplication::platformName();
    const bool ownPixels =
        platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
    if (screen && ownPixels) {
        const QPixmap pixels = screen->grabWindow(0);
        if (!pixels.isNull()) return pixels.toImage();
    }
    return composeWindows(screen);
}

}  // namespace dn::gui
