#pragma once
// A long text shown read-only in a fixed-pitch font, scrolling in both
// directions. It keeps the end of the text in view, also while the window
// grows to its final size, until the user scrolls or moves in the text.

#include <QPlainTextEdit>

namespace dn::gui {

class TextView : public QPlainTextEdit {
  public:
    explicit TextView(QWidget* parent);

    // Shows a new text with its end in view; the same text changes nothing.
    void showText(const QString& text);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void scrollToEnd();
    bool followEnd_ = true;
};

}  // namespace dn::gui
