#include "gui/message_dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "gui/screen_fit.h"

namespace dn::gui {
namespace {

// The width the standard box wraps a text at, about.
constexpr int kWrapWidth = 500;
// What the box adds around its text: icon, margins, buttons.
constexpr QSize kBoxParts(120, 120);

QStyle::StandardPixmap pixmapOf(QMessageBox::Icon icon) {
    switch (icon) {
        case QMessageBox::Warning:
            return QStyle::SP_MessageBoxWarning;
        case QMessageBox::Critical:
            return QStyle::SP_MessageBoxCritical;
        case QMessageBox::Question:
            return QStyle::SP_MessageBoxQuestion;
        default:
            return QStyle::SP_MessageBoxInformation;
    }
}

// The box with the scrolling text; returns whether the accept button ended it.
bool runLongMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                    const QString& text, const QString& accept, const QString& refuse) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("long_message"));
    dialog.setWindowTitle(title);
    auto* layout = new QVBoxLayout(&dialog);
    auto* line = new QHBoxLayout;
    auto* picture = new QLabel(&dialog);
    const int side = dialog.style()->pixelMetric(QStyle::PM_MessageBoxIconSize);
    picture->setPixmap(dialog.style()->standardIcon(pixmapOf(icon)).pixmap(side, side));
    picture->setAlignment(Qt::AlignTop);
    line->addWidget(picture);
    auto* view = new QPlainTextEdit(text, &dialog);
    view->setObjectName(QStringLiteral("message_text"));
    view->setReadOnly(true);
    view->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    line->addWidget(view, 1);
    layout->addLayout(line, 1);
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* yes = buttons->addButton(accept, QDialogButtonBox::AcceptRole);
    yes->setDefault(true);
    if (!refuse.isEmpty()) buttons->addButton(refuse, QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    const QSize room = dialogRoom(parent);
    dialog.resize(std::min(room.width(), kWrapWidth + 2 * kBoxParts.width()), room.height());
    fitToScreen(dialog);
    yes->setFocus();
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace

bool messageTooLong(const QWidget* parent, const QString& text) {
    const QSize room = dialogRoom(parent) - kBoxParts;
    const QFontMetrics metrics(QApplication::font("QMessageBox"));
    const QRect needed =
        metrics.boundingRect(QRect(0, 0, kWrapWidth, 1 << 20), Qt::TextWordWrap, text);
    // A word longer than the wrap width widens the box; a long text heightens it.
    return needed.width() > kWrapWidth || needed.height() > room.height();
}

void showMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                 const QString& text) {
    if (messageTooLong(parent, text)) {
        runLongMessage(parent, icon, title, text, QStringLiteral("&OK"), {});
        return;
    }
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

bool askYesNo(QWidget* parent, const QString& title, const QString& text) {
    const QString yesText = QStringLiteral("&Ja");
    const QString noText = QStringLiteral("&Nein");
    if (messageTooLong(parent, text))
        return runLongMessage(parent, QMessageBox::Question, title, text, yesText, noText);
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(yesText, QMessageBox::YesRole);
    box.addButton(noText, QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.exec();
    return box.clickedButton() == static_cast<QAbstractButton*>(yes);
}

}  // namespace dn::gui
