#include "gui/text_view.h"

#include <QFontDatabase>
#include <QScrollBar>

namespace dn::gui {

TextView::TextView(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // Log lines stay one line each; long ones scroll sideways.
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this](int) { followEnd_ = false; });
}

void TextView::showText(const QString& text) {
    if (text == toPlainText()) return;
    setPlainText(text);
    followEnd_ = true;
    scrollToEnd();
}

void TextView::scrollToEnd() {
    moveCursor(QTextCursor::End);
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->maximum());
    horizontalScrollBar()->setValue(horizontalScrollBar()->minimum());
}

void TextView::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    if (followEnd_) scrollToEnd();
}

void TextView::keyPressEvent(QKeyEvent* event) {
    followEnd_ = false;
    QPlainTextEdit::keyPressEvent(event);
}

void TextView::mousePressEvent(QMouseEvent* event) {
    followEnd_ = false;
    QPlainTextEdit::mousePressEvent(event);
}

}  // namespace dn::gui
