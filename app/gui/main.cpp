// datanorm-gui: the DATANORM import module as a desktop program.
//   datanorm-gui [--home DIR] [--screenshots DIR] [/KA] [/CU] [EGEMA | ok]

#include <QApplication>
#include <QMessageBox>
#include <QTranslator>

#include "common/dispatch.h"
#include "common/session.h"
#include "features/setup/startup.h"
#include "gui/german_translation.h"
#include "gui/main_window.h"
#include "gui/qt_host.h"
#include "gui/screenshot_tour.h"
#include "routes/command_routes.h"
#include "shared/exit_codes.h"
#include "shared/library_versions.h"

namespace {

dn::gui::StartOptions parseArguments(const QStringList& arguments) {
    dn::gui::StartOptions options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == QStringLiteral("--home") && i + 1 < arguments.size())
            options.home = arguments[++i].toStdString();
        else if (a.startsWith(QStringLiteral("--home=")))
            options.home = a.mid(7).toStdString();
        else if (a == QStringLiteral("--screenshots") && i + 1 < arguments.size())
            options.screenshots = arguments[++i].toStdString();
        else
            options.args.push_back(a.toStdString());
    }
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("datanorm-gui"));
    QTranslator qtGerman;
    if (!dn::gui::installGermanTranslations(qtGerman))
        qWarning("Qt-Übersetzungen (qtbase_de.qm) nicht gefunden: Qt-Dialoge bleiben englisch.");

    if (const auto failure = dn::RuntimeVersionCheck(dn::linkedLibraryVersions())) {
        QMessageBox::critical(nullptr, QStringLiteral("Fehler"), QString::fromStdString(*failure));
        return dn::kExitFailed;
    }

    dn::gui::QtHost host;
    dn::Session session(host);
    host.setContext({[&session] { return session.host.f_dbbrowser; },
                     [&session] { return session.DialogHelpId; }});
    dn::Dispatcher dispatcher(session, dn::makeCommandRoutes());
    dn::gui::StartOptions options = parseArguments(app.arguments());
    const QString screenshots = QString::fromStdString(options.screenshots);
    dn::gui::TFDATANORM window(session, dispatcher, host, std::move(options));
    window.show();
    const auto tour = dn::gui::startScreenshotTour(window, screenshots);
    const int loopCode = app.exec();
    // A failed set-up or a database error decides the code.
    return window.exitCode() != dn::kExitDone ? window.exitCode() : loopCode;
}
