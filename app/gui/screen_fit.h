#pragma once
// Windows that fit the screen: every dialog is laid out for the smallest
// screen the program is made for (1024 x 768, less a panel and the window
// frame) and for the screen it opens on. Explanations wrap, titles stay
// whole, and what is still too tall scrolls while the buttons stay in view.

#include <QScrollArea>
#include <QSize>

class QWidget;

namespace dn::gui {

// The client size a dialog may take on the screen it opens on.
QSize dialogRoom(const QWidget* window);
// The width a window needs to show its title whole in the title bar.
int titleRoom(const QWidget& window);
// Labels wider than `width` wrap their text.
void wrapWideLabels(QWidget& window, int width);
// Before showing: wraps wide labels, widens the window for its title and
// bounds its size by the room. A size given before is kept where it fits.
void fitToScreen(QWidget& window);

// A scroll area as large as its contents up to a size: taller contents
// scroll vertically; only contents wider than the limit (a word longer
// than the screen) scroll sideways.
class FittingScrollArea : public QScrollArea {
  public:
    explicit FittingScrollArea(QWidget* parent);
    void setLimit(QSize size);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  private:
    int extraWidth() const;
    QSize limit_{QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
};

}  // namespace dn::gui
