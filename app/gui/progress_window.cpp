#include "gui/progress_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

namespace dn::gui {
namespace {

constexpr int kEventIntervalMs = 40;

}  // namespace

ProgressWindow::ProgressWindow(QWidget* parent, Kind kind, const QString& title, bool withCancel)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(kind == Kind::Bar ? "balken" : "panel");
    setWindowTitle(title);
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    info_ = new QLabel(kind == Kind::Panel ? QString() : title, this);
    info_->setMinimumWidth(360);
    layout->addWidget(info_);
    if (kind == Kind::Bar) {
        bar_ = new QProgressBar(this);
        bar_->setRange(0, 0);
        layout->addWidget(bar_);
    }
    auto* hint = new QLabel(tr("Esc = Abbruch"), this);
    hint->setEnabled(false);
    layout->addWidget(hint);
    if (withCancel || kind == Kind::Panel) {
        auto* cancel = new QPushButton(tr("&Abbruch"), this);
        cancel->setObjectName("abbruch");
        connect(cancel, &QPushButton::clicked, this, [this] { escaped_ = true; });
        layout->addWidget(cancel, 0, Qt::AlignRight);
    }
    qApp->installEventFilter(this);
    sinceEvents_.start();
}

ProgressWindow::~ProgressWindow() {
    qApp->removeEventFilter(this);
}

void ProgressWindow::setMaximum(long max) {
    maximum_ = std::max(0L, max);
    value_ = 0;
    showValue();
    keepResponsive(true);
}

void ProgressWindow::setValue(long value) {
    value_ = value;
    showValue();
    keepResponsive();
}

void ProgressWindow::increment() {
    ++value_;
    showValue();
    keepResponsive();
}

void ProgressWindow::setInfo(const QString& text) {
    info_->setText(text);
    keepResponsive();
}

QString ProgressWindow::info() const {
    return info_->text();
}

void ProgressWindow::showValue() {
    if (!bar_) return;
    // The bar counts in int; very long runs are scaled down.
    const long scale = maximum_ > INT_MAX ? maximum_ / INT_MAX + 1 : 1;
    bar_->setRange(0, static_cast<int>(maximum_ / scale));
    bar_->setValue(static_cast<int>(std::clamp(value_, 0L, maximum_) / scale));
}

void ProgressWindow::keepResponsive(bool force) {
    if (!force && sinceEvents_.elapsed() < kEventIntervalMs) return;
    sinceEvents_.restart();
    QApplication::processEvents();
}

void ProgressWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        escaped_ = true;
        return;
    }
    QDialog::keyPressEvent(event);
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
    escaped_ = true;
    event->ignore();
}

bool ProgressWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Escape) return false;
    // A message box or dialog of the running command keeps its Escape.
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != this) return false;
    escaped_ = true;
    return true;
}

}  // namespace dn::gui
