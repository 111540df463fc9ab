#include "gui/gui_app.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdlib>
#include <memory>

namespace dn::test {

void ensureGuiApp() {
    if (QApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "test_gui";
    static char* argv[] = {name, nullptr};
    // The application lives until the process ends: destroying it among the
    // static objects at exit, after Qt's own, crashes.
    new QApplication(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
}

void onNextModal(std::function<void(QWidget&)> action) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            action(*modal);
        }
    });
    timer->start();
}

void closeNextMessage(QString* text) {
    onNextModal([text](QWidget& w) {
        if (auto* box = qobject_cast<QMessageBox*>(&w)) {
            if (text) *text = box->text();
            box->done(0);
        }
    });
}

}  // namespace dn::test
