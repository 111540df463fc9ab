#pragma once
// The output window: lines a command writes for the user to read (header
// and customer lines of a delivery). It stays open after the command until
// the user closes it.

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace dn::gui {

class OutputWindow : public QDialog {
    Q_OBJECT
  public:
    OutputWindow(QWidget* parent, const QString& title);
    void append(const QString& line);
    // The command is done with the window; the user may close it.
    void finish();
    QStringList lines() const;

  private:
    QPlainTextEdit* text_ = nullptr;
    QPushButton* close_ = nullptr;
};

}  // namespace dn::gui
