#include "gui/screenshot_tour.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <cstdio>

#include "gui/command_menu.h"
#include "gui/file_choice_dialog.h"
#include "gui/form_dialog.h"
#include "gui/main_window.h"
#include "gui/progress_window.h"
#include "gui/screen_grab.h"
#include "host/entry_form.h"

namespace dn::gui {

// The window a step waits for.
enum class Awaited {
    MainWindow,  // the main window set up, nothing in front of it
    Menu,        // an opened menu
    Dialog,      // the first modal window (or dialog in front)
    FileChoice,  // the file dialog or "Dateiauswahl"
    Progress,    // the progress window, taken while the command runs
};

struct TourStep {
    const char* picture;
    void (*open)(TFDATANORM&);  // what the user does; nullptr: nothing
    Awaited awaited;
    // The windows before the awaited one are answered so that the command
    // goes on (else they are closed).
    bool goOn;
};

namespace {

constexpr int kPollMs = 50;
// The window must be up this long before its picture is taken (an X
// server paints after the window is mapped).
constexpr int kSettlePolls = 8;
constexpr int kSettleMs = kSettlePolls * kPollMs;
// A window that is not awaited is answered after it has been up this long.
constexpr int kAnswerPolls = 3;
constexpr int kStepTimeoutMs = 15000;
// A step whose command does not return after this long ends the tour.
constexpr int kGiveUpMs = 60000;

template <int Number>
void command(TFDATANORM& window) {
    if (QAction* action = window.commandMenu().action(Number)) action->trigger();
}

void openArticleMenu(TFDATANORM& window) {
    if (QMenu* menu = window.commandMenu().menu(QStringLiteral("&Artikel")))
        window.menuBar()->setActiveAction(menu->menuAction());
}

void openInfoPage(TFDATANORM& window) {
    window.printInfo();
}

const TourStep kSteps[] = {
    {"main-window.png", nullptr, Awaited::MainWindow, false},
    {"menu-articles.png", openArticleMenu, Awaited::Menu, false},
    {"supplier-dialog.png", command<1>, Awaited::Dialog, false},
    {"supplier-change.png", command<25>, Awaited::Dialog, false},
    {"article-import-options.png", command<33>, Awaited::Dialog, false},
    {"article-import-file-choice.png", command<33>, Awaited::FileChoice, true},
    {"article-import-progress.png", command<33>, Awaited::Progress, true},
    {"change-log.png", command<64>, Awaited::Dialog, false},
    {"discount-groups-marked.png", command<26>, Awaited::Dialog, false},
    {"product-groups-marked.png", command<54>, Awaited::Dialog, false},
    {"drive-dialog.png", command<61>, Awaited::Dialog, false},
    {"parameters-dialog.png", command<63>, Awaited::Dialog, false},
    {"info-page.png", openInfoPage, Awaited::Dialog, false},
};
constexpr int kStepCount = static_cast<int>(std::size(kSteps));

QWidget* frontWindow() {
    if (QWidget* popup = QApplication::activePopupWidget()) return popup;
    return QApplication::activeModalWidget();
}

bool isFileChoice(const QWidget* w) {
    return qobject_cast<const QFileDialog*>(w) || qobject_cast<const FileChoiceDialog*>(w);
}

QWidget* awaitedWindow(Awaited awaited, TFDATANORM& main) {
    QWidget* front = frontWindow();
    switch (awaited) {
        case Awaited::MainWindow:
            return main.initialised() && main.isVisible() && !front ? &main : nullptr;
        case Awaited::Menu:
            return qobject_cast<QMenu*>(QApplication::activePopupWidget());
        case Awaited::Dialog:
            if (QWidget* modal = QApplication::activeModalWidget()) return modal;
            // A dialog shown without a loop of its own.
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeWindow());
                dialog && !qobject_cast<ProgressWindow*>(dialog))
                return dialog;
            return nullptr;
        case Awaited::FileChoice:
            return isFileChoice(front) ? front : nullptr;
        case Awaited::Progress:
            return nullptr;
    }
    return nullptr;
}

ProgressWindow* visibleProgressWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<ProgressWindow*>(w); p && p->isVisible()) return p;
    return nullptr;
}

// The delivery among the files of a directory: "DATANORM.001" and the
// like, else the first file.
QString deliveryFile(const QDir& dir) {
    static const QRegularExpression numbered(QStringLiteral("^datanorm\\.[0-9]+$"),
                                             QRegularExpression::CaseInsensitiveOption);
    const QStringList names = dir.entryList(QDir::Files, QDir::Name);
    for (const QString& name : names)
        if (numbered.match(name).hasMatch()) return name;
    return names.isEmpty() ? QString() : names.first();
}

void chooseDelivery(QWidget& window) {
    if (auto* dialog = qobject_cast<QFileDialog*>(&window)) {
        const QDir dir = dialog->directory();
        const QString name = deliveryFile(dir);
        if (name.isEmpty()) return dialog->reject();
        // The name goes into the line only when the line has no focus.
        if (QWidget* focus = dialog->focusWidget()) focus->clearFocus();
        dialog->selectFile(dir.filePath(name));
        // The file dialog's own check of the chosen name.
        return static_cast<QDialog*>(dialog)->accept();
    }
    if (auto* dialog = qobject_cast<FileChoiceDialog*>(&window)) {
        const QString name = deliveryFile(QDir(dialog->directory()));
        for (QListWidgetItem* item : dialog->fileList()->findItems(name, Qt::MatchExactly))
            item->setSelected(true);
        dialog->accept();
    }
}

void pressDefault(QMessageBox& box) {
    QAbstractButton* button = box.defaultButton();
    for (QAbstractButton* b : box.buttons()) {
        if (button) break;
        const auto role = box.buttonRole(b);
        if (role == QMessageBox::AcceptRole || role == QMessageBox::YesRole) button = b;
    }
    if (!button && !box.buttons().isEmpty()) button = box.buttons().first();
    if (button) button->click();
}

void pressEscape(QWidget& window) {
    QWidget* target = window.focusWidget() ? window.focusWidget() : &window;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
    QCoreApplication::sendEvent(target, &release);
}

void say(FILE* stream, const QString& text) {
    std::fprintf(stream, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stream);
}

}  // namespace

ScreenshotTour::ScreenshotTour(TFDATANORM& window, QString directory)
    : window_(window), directory_(std::move(directory)) {
    QDir().mkpath(directory_);
    qApp->installEventFilter(this);
    connect(&poll_, &QTimer::timeout, this, &ScreenshotTour::poll);
    poll_.start(kPollMs);
}

ScreenshotTour::~ScreenshotTour() {
    qApp->removeEventFilter(this);
}

const TourStep& ScreenshotTour::step() const {
    return kSteps[step_];
}

void ScreenshotTour::beginStep() {
    ++step_;
    if (step_ >= kStepCount) {
        poll_.stop();
        QCoreApplication::exit(failures_ == 0 ? 0 : 1);
        return;
    }
    taken_ = failed_ = progressAdvanced_ = false;
    progressPicture_ = QImage();
    seen_.clear();
    steady_ = 0;
    sinceStart_.restart();
    if (!step().open) return;
    running_ = true;
    QTimer::singleShot(0, this, [this, open = step().open] {
        open(window_);
        running_ = false;
    });
}

void ScreenshotTour::poll() {
    if (step_ < 0) return beginStep();
    if (step_ >= kStepCount) return;
    const TourStep& s = step();
    if (!taken_ && !failed_) {
        if (sinceStart_.elapsed() > kStepTimeoutMs) {
            failed_ = true;
            say(stderr, QStringLiteral("%1: das Fenster ist nach %2 s nicht erschienen.")
                            .arg(QString::fromLatin1(s.picture))
                            .arg(kStepTimeoutMs / 1000));
        } else if (QWidget* target = awaitedWindow(s.awaited, window_)) {
            if (target != seen_) steady_ = 0;
            seen_ = target;
            if (++steady_ < kSettlePolls) return;
            takePicture(target);
            if (target != &window_) closeWindow(*target);
            steady_ = 0;
            return;
        }
    }
    if (QWidget* front = frontWindow()) {
        if (front != seen_) steady_ = 0;
        seen_ = front;
        if (++steady_ < kAnswerPolls) return;
        steady_ = 0;
        if (s.goOn && !failed_)
            answer(*front);
        else
            closeWindow(*front);
        return;
    }
    if (running_) {
        if (sinceStart_.elapsed() > kGiveUpMs) giveUp();
        return;
    }
    if (taken_ || failed_ || s.awaited == Awaited::Progress) finishStep();
}

void ScreenshotTour::finishStep() {
    const TourStep& s = step();
    if (s.awaited == Awaited::Progress && !progressPicture_.isNull())
        taken_ = save(progressPicture_);
    if (!taken_) {
        ++failures_;
        say(stderr, QStringLiteral("Kein Bild: %1").arg(QString::fromLatin1(s.picture)));
    }
    beginStep();
}

void ScreenshotTour::giveUp() {
    say(stderr, QStringLiteral("Bildschirmfotos abgebrochen: der Befehl für %1 endet nicht.")
                    .arg(QString::fromLatin1(step().picture)));
    poll_.stop();
    QCoreApplication::exit(1);
}

void ScreenshotTour::answer(QWidget& window) {
    if (auto* form = qobject_cast<FormDialog*>(&window)) return form->pressButton(kOk);
    if (isFileChoice(&window)) return chooseDelivery(window);
    if (auto* box = qobject_cast<QMessageBox*>(&window)) return pressDefault(*box);
    if (auto* dialog = qobject_cast<QDialog*>(&window)) return dialog->accept();
    closeWindow(window);
}

void ScreenshotTour::closeWindow(QWidget& window) {
    if (window.windowType() == Qt::Popup) {
        window.close();
        return;
    }
    QPointer<QWidget> w(&window);
    pressEscape(window);
    // A window that keeps its Escape is closed as by its close box.
    if (w && w->isVisible()) {
        if (auto* dialog = qobject_cast<QDialog*>(w.data()))
            dialog->reject();
        else
            w->close();
    }
}

void ScreenshotTour::takePicture(QWidget* window) {
    grabbing_ = true;
    const QImage image = grabScreen(window->screen());
    grabbing_ = false;
    taken_ = save(image);
    // A picture that could not be written is not tried again.
    failed_ = !taken_;
}

bool ScreenshotTour::eventFilter(QObject* watched, QEvent* event) {
    if (grabbing_ || step_ < 0 || step_ >= kStepCount || step().awaited != Awaited::Progress)
        return false;
    if (event->type() != QEvent::Show && event->type() != QEvent::Paint) return false;
    if (!watched->isWidgetType()) return false;
    auto* progress = qobject_cast<ProgressWindow*>(static_cast<QWidget*>(watched)->window());
    if (!progress) return false;
    // The first picture as soon as the window is up; a second one once the
    // bar has moved.
    const bool advanced = progress->value() > 0;
    if (!progressPicture_.isNull() && (!advanced || progressAdvanced_)) return false;
    if (advanced) progressAdvanced_ = true;
    if (!grabPending_) {
        grabPending_ = true;
        QTimer::singleShot(0, this, &ScreenshotTour::takeProgressPicture);
    }
    return false;
}

void ScreenshotTour::takeProgressPicture() {
    QPointer<QWidget> progress = visibleProgressWindow();
    if (!progress) {
        grabPending_ = false;
        return;
    }
    // The command waits here until the window is on the screen (its paints
    // meanwhile ask for no further picture).
    QEventLoop settle;
    QTimer::singleShot(kSettleMs, &settle, &QEventLoop::quit);
    settle.exec();
    if (progress && progress->isVisible()) {
        grabbing_ = true;
        progressPicture_ = grabScreen(progress->screen());
        grabbing_ = false;
    }
    grabPending_ = false;
}

bool ScreenshotTour::save(const QImage& image) {
    const QString path = QDir(directory_).filePath(QString::fromLatin1(step().picture));
    if (image.isNull() || !image.save(path, "PNG")) {
        say(stderr, QStringLiteral("Bild nicht geschrieben: %1").arg(path));
        return false;
    }
    say(stdout, path);
    return true;
}

std::unique_ptr<ScreenshotTour> startScreenshotTour(TFDATANORM& window, const QString& directory) {
    if (directory.isEmpty()) return nullptr;
    return std::make_unique<ScreenshotTour>(window, directory);
}

}  // namespace dn::gui
