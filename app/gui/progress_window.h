#pragma once
// The progress bar ("Balken") and the status panel: a small window in
// front of the main window. Escape anywhere in the program, the close box
// and the cancel button set the escape flag that the running loop tests.

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QProgressBar;

namespace dn::gui {

class ProgressWindow : public QDialog {
    Q_OBJECT
  public:
    enum class Kind { Bar, Panel };
    ProgressWindow(QWidget* parent, Kind kind, const QString& title, bool withCancel);
    ~ProgressWindow() override;

    void setMaximum(long max);
    void setValue(long value);
    void increment();
    void setInfo(const QString& text);
    long value() const { return value_; }
    long maximum() const { return maximum_; }
    QString info() const;

    // Processes pending events (repaint, Escape) now and then; `force`
    // does it at once.
    void keepResponsive(bool force = false);
    bool escaped() const { return escaped_; }
    void setEscaped() { escaped_ = true; }
    // The user chose to go on after Escape.
    void clearEscaped() { escaped_ = false; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void showValue();
    QLabel* info_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QElapsedTimer sinceEvents_;
    long value_ = 0;
    long maximum_ = 0;
    bool escaped_ = false;
};

}  // namespace dn::gui
