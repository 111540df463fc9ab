#include "gui/help_window.h"

#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace dn::gui {

QString manualSource() {
    return QStringLiteral("qrc:/manual/datanorm.html");
}

QString helpAnchor(int context) {
    return QStringLiteral("k%1").arg(context);
}

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("hilfe");
    setWindowTitle(tr("DATANORM - Hilfe"));
    setModal(false);
    resize(720, 600);
    auto* layout = new QVBoxLayout(this);
    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(true);
    browser_->setSource(QUrl(manualSource()));
    layout->addWidget(browser_);
    auto* close = new QPushButton(tr("&Schließen"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    layout->addWidget(close, 0, Qt::AlignRight);
}

void HelpWindow::showContext(int context) {
    const QUrl url(manualSource());
    if (browser_->source() != url) browser_->setSource(url);
    browser_->scrollToAnchor(helpAnchor(context));
    show();
    raise();
    activateWindow();
}

}  // namespace dn::gui
