#pragma once
// Pictures of the whole screen for the screenshot tour: the screen's own
// pixels where the window system gives them (an X server, so that an open
// menu shows over its window), else the visible top-level windows painted
// at their places onto an image of the screen's size (offscreen platform,
// or a screen that gives nothing).

#include <QImage>
#include <QList>

class QScreen;
class QWidget;

namespace dn::gui {

// The screen as the user sees it.
QImage grabScreen(QScreen* screen);

// The visible top-level windows drawn in their places, in front-to-back
// order: the main window first, popups last.
QImage composeWindows(QScreen* screen);

}  // namespace dn::gui
