#include "gui/output_window.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dn::gui {

OutputWindow::OutputWindow(QWidget* parent, const QString& title) : QDialog(parent) {
    setObjectName("ausgabe");
    setWindowTitle(title);
    setModal(false);
    resize(640, 360);
    auto* layout = new QVBoxLayout(this);
    text_ = new QPlainTextEdit(this);
    text_->setReadOnly(true);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(text_);
    close_ = new QPushButton(tr("&Schließen"), this);
    close_->setEnabled(false);
    connect(close_, &QPushButton::clicked, this, &QDialog::close);
    layout->addWidget(close_, 0, Qt::AlignRight);
}

void OutputWindow::append(const QString& line) {
    text_->appendPlainText(line);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void OutputWindow::finish() {
    close_->setEnabled(true);
    close_->setDefault(true);
}

QStringList OutputWindow::lines() const {
    return text_->toPlainText().split(u'\n');
}

}  // namespace dn::gui
