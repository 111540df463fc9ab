#pragma once
// The program's manual in a browser window, opened at the section of a
// help context number (the command number of the menu item).

#include <QDialog>

class QTextBrowser;

namespace dn::gui {

// The manual's resource and the anchor of a context number.
QString manualSource();
QString helpAnchor(int context);

class HelpWindow : public QDialog {
    Q_OBJECT
  public:
    explicit HelpWindow(QWidget* parent);
    void showContext(int context);
    QTextBrowser* browser() const { return browser_; }

  private:
    QTextBrowser* browser_ = nullptr;
};

}  // namespace dn::gui
