#include "gui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

#include "common/dispatch.h"
#include "common/session.h"
#include "features/setup/info_page.h"
#include "features/setup/startup.h"
#include "gui/command_menu.h"
#include "gui/logo_view.h"
#include "gui/qt_host.h"
#include "gui/window_position.h"
#include "shared/exit_codes.h"
#include "shared/library_versions.h"

namespace dn::gui {
namespace {

const QString kStartCaption = QStringLiteral("DATANORM-Schnittstelle zu TORVALO");

std::filesystem::path programDirectory() {
    return std::filesystem::path(QCoreApplication::applicationDirPath().toStdString());
}

}  // namespace

TFDATANORM::TFDATANORM(Session& session, Dispatcher& dispatcher, QtHost& host, StartOptions options)
    : session_(session), dispatcher_(dispatcher), host_(host), options_(std::move(options)) {
    setObjectName("TFDATANORM");
    setWindowTitle(kStartCaption);
    menu_ = std::make_unique<CommandMenu>(*menuBar(), [this](int n) { runCommand(n); });
    logo_ = new LogoView(
        programDirectory() / kLogoFileName,
        [this](const QString& text) { host_.meldung(text.toStdString()); }, this);
    setCentralWidget(logo_);
    buildWindowMenu();
    placeInitially();

    dispatcher_.onRunning = [this](bool running) { logo_->setLogoVisible(!running); };
    dispatcher_.onMenuChanged = [this] { updateMenu(); };
    host_.setMainWindow(this);
}

TFDATANORM::~TFDATANORM() {
    dispatcher_.onRunning = nullptr;
    dispatcher_.onMenuChanged = nullptr;
    host_.setMainWindow(nullptr);
}

void TFDATANORM::buildWindowMenu() {
    // Qt has no system menu; its two items sit in a window menu behind the
    // button at the left end of the menu bar (and on the client area's
    // context menu).
    auto* windowMenu = new QMenu(tr("Fenster"), this);
    windowMenu->setObjectName("systemmenue");
    QAction* info = windowMenu->addAction(tr("&Info"));
    info->setObjectName("sys_1111");
    connect(info, &QAction::triggered, this, &TFDATANORM::printInfo);
    windowMenu->addSeparator();
    savePositionAction_ = windowMenu->addAction(tr("&Fensterposition speichern"));
    savePositionAction_->setObjectName("sys_2222");
    savePositionAction_->setCheckable(true);
    connect(savePositionAction_, &QAction::triggered, this, &TFDATANORM::toggleSavePosition);

    auto* button = new QToolButton(menuBar());
    button->setObjectName("systemmenue_knopf");
    button->setText(QStringLiteral("≡"));
    button->setToolTip(tr("Fenstermenü"));
    button->setAutoRaise(true);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setMenu(windowMenu);
    menuBar()->setCornerWidget(button, Qt::TopLeftCorner);
    logo_->setContextMenuPolicy(Qt::ActionsContextMenu);
    logo_->addActions(windowMenu->actions());
}

void TFDATANORM::placeInitially() {
    const bool standardDpi = logicalDpiX() == 96;
    QSize size = standardDpi ? QSize(640, 480) : QSize(800, 600);
    if (const QScreen* s = screen()) size = size.boundedTo(s->availableGeometry().size());
    move(0, 0);
    resize(size);
}

void TFDATANORM::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!initialised_ && options_.runSetup)
        QTimer::singleShot(0, this, &TFDATANORM::firstActivation);
}

void TFDATANORM::firstActivation() {
    if (initialised_ || setupFailed_) return;
    if (options_.runSetup) {
        try {
            Setup(session_, options_.home, options_.args);
        } catch (const std::exception& e) {
            endAfterFailedSetup(e);
            return;
        }
    }
    updateMenu();
    logo_->resetVariant();
    logo_->choose(size());
    logo_->setLogoVisible(true);
    positionFile_ = windowPositionFile(session_.host, QCoreApplication::applicationFilePath());
    restorePosition();
    initialised_ = true;
}

void TFDATANORM::endAfterFailedSetup(const std::exception& error) {
    // Without the set-up there are no directories to work in (not even one
    // for the window position): the message says why, and the program ends.
    setupFailed_ = true;
    exitCode_ = exitCodeForError(error);
    host_.messageBox("Fehler", error.what(), MessageKind::Error);
    close();
}

void TFDATANORM::restorePosition() {
    const auto saved = readWindowPosition(positionFile_);
    savePosition_ = saved.has_value();
    savePositionAction_->setChecked(savePosition_);
    if (!saved) return;
    const QRect desktop = screen() ? screen()->virtualGeometry() : QRect(0, 0, 1024, 768);
    move(restoredPosition(*saved, pos(), desktop));
}

void TFDATANORM::toggleSavePosition() {
    savePosition_ = !savePosition_;
    saveOrDeleteWindowPosition(positionFile_, savePosition_, pos());
    savePositionAction_->setChecked(savePosition_);
}

void TFDATANORM::printInfo() {
    printInfoPage(session_, QCoreApplication::applicationFilePath().toStdString(),
                  linkedLibraryVersions());
}

void TFDATANORM::updateMenu() {
    menu_->updateVisibility(session_.DnVersion);
    if (!session_.caption.empty()) {
        const QString caption = QString::fromStdString(session_.caption).trimmed();
        setWindowTitle(caption.startsWith(QStringLiteral("DATANORM"))
                           ? caption
                           : QStringLiteral("DATANORM: ") + caption);
    }
}

void TFDATANORM::runCommand(int number) {
    CommandOutcome outcome = CommandOutcome::Failed;
    try {
        outcome = dispatcher_.dispatch(number);
    } catch (...) {
        // Nothing may leave through the event loop; the dispatcher has
        // cleared its busy flag already.
        logo_->setLogoVisible(true);
        host_.messageBox("Fehler", "Unbekannter Fehler im Befehl " + std::to_string(number),
                         MessageKind::Error);
    }
    if (dispatcher_.endRequested()) {
        exitCode_ = exitCodeFor(outcome);
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

void TFDATANORM::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (initialised_) logo_->choose(size());
}

void TFDATANORM::closeEvent(QCloseEvent* event) {
    if (dispatcher_.busy()) {
        event->ignore();
        return;
    }
    if (initialised_) saveOrDeleteWindowPosition(positionFile_, savePosition_, pos());
    event->accept();
    QApplication::quit();
}

}  // namespace dn::gui
