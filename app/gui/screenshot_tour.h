#pragma once
// The screenshot tour (`datanorm-gui --screenshots DIR`): once the main
// window is set up it goes through the program as a user would, through
// the menu: it opens one window after the other, waits for it, saves a
// picture of the screen into DIR, closes the window with Escape and goes
// on. The article import of the supplier's delivery is answered from the
// tour (options with OK, the delivery file chosen, messages with their
// default button); the progress window is taken while the import runs.
// When the tour is done the program ends: exit code 0 when every picture
// was written, 1 when a window did not appear in time.

#include <QElapsedTimer>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <memory>

class QWidget;

namespace dn::gui {

class TFDATANORM;
struct TourStep;

class ScreenshotTour : public QObject {
    Q_OBJECT
  public:
    ScreenshotTour(TFDATANORM& window, QString directory);
    ~ScreenshotTour() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void poll();
    void beginStep();
    void finishStep();
    void giveUp();
    // A window that is not the one awaited: answered so that the step
    // goes on, or closed.
    void answer(QWidget& window);
    void closeWindow(QWidget& window);
    void takePicture(QWidget* window);
    void takeProgressPicture();
    // Writes the step's picture; false (and a message) when it could not.
    bool save(const QImage& image);
    const TourStep& step() const;

    TFDATANORM& window_;
    QString directory_;
    QTimer poll_;
    QElapsedTimer sinceStart_;
    QImage progressPicture_;
    int step_ = -1;
    int steady_ = 0;  // polls the same window has been up
    QPointer<QWidget> seen_;
    bool running_ = false;  // the step's action has not returned yet
    bool taken_ = false;    // the step's picture is saved or kept
    bool failed_ = false;   // the step's window did not appear in time
    bool progressAdvanced_ = false;
    bool grabbing_ = false;
    bool grabPending_ = false;
    int failures_ = 0;
};

// The tour when `directory` is not empty, else nothing.
std::unique_ptr<ScreenshotTour> startScreenshotTour(TFDATANORM& window, const QString& directory);

}  // namespace dn::gui
