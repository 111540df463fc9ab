#include "gui/qt_host.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

#include "gui/file_choice_dialog.h"
#include "gui/file_dialogs.h"
#include "gui/form_dialog.h"
#include "gui/help_window.h"
#include "gui/list_dialog.h"
#include "gui/message_dialog.h"
#include "gui/output_window.h"
#include "gui/print_preview.h"
#include "gui/progress_window.h"
#include "gui/screen_fit.h"

namespace dn::gui {
namespace {

// Messages break lines with a carriage return.
QString messageText(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(u'\r', u'\n');
    return s;
}

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

const QString kTitle = QStringLiteral("DATANORM");

}  // namespace

QtHost::QtHost() = default;
QtHost::~QtHost() = default;

QWidget* QtHost::dialogParent() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return main_.data();
}

void QtHost::meldung(const std::string& text) {
    showMessage(dialogParent(), QMessageBox::Information, kTitle, messageText(text));
}

bool QtHost::janein(const std::string& text) {
    return askYesNo(dialogParent(), kTitle, messageText(text));
}

void QtHost::messageBox(const std::string& title, const std::string& text, MessageKind kind) {
    static constexpr QMessageBox::Icon icons[] = {QMessageBox::Information, QMessageBox::Warning,
                                                  QMessageBox::Critical, QMessageBox::Question};
    showMessage(dialogParent(), icons[static_cast<int>(kind)], title.empty() ? kTitle : qs(title),
                messageText(text));
}

void QtHost::Balken_Oeffnen(const std::string& title, bool withCancel) {
    auto& bar = bar_.emplace(main_.data(), ProgressWindow::Kind::Bar, qs(title), withCancel);
    bar.show();
    bar.keepResponsive(true);
}

void QtHost::Balken_Max(long max) {
    if (bar_) bar_->setMaximum(max);
}

void QtHost::Balken_Ist(long value) {
    if (bar_) bar_->setValue(value);
}

void QtHost::Balken_Inc() {
    if (bar_) bar_->increment();
}

void QtHost::Balken_Schliessen() {
    bar_.reset();
}

void QtHost::Balken_show() {
    if (bar_) bar_->show();
}

void QtHost::Balken_hide() {
    if (bar_) bar_->hide();
}

bool QtHost::EscPressed() {
    if (!bar_) return false;
    bar_->keepResponsive();
    return bar_->escaped();
}

void QtHost::ResetEscape() {
    if (bar_) bar_->clearEscaped();
    if (panel_) panel_->clearEscaped();
}

void QtHost::PanelOn(const std::string& title) {
    auto& panel = panel_.emplace(main_.data(), ProgressWindow::Kind::Panel, qs(title), true);
    panel.show();
    panel.keepResponsive(true);
}

void QtHost::SetInfo(const std::string& text) {
    if (panel_) panel_->setInfo(qs(text));
}

void QtHost::PanelOff() {
    panel_.reset();
}

bool QtHost::ESCPanel() {
    if (!panel_) return false;
    panel_->keepResponsive();
    return panel_->escaped();
}

void QtHost::Ausgabe_Oeffnen(const std::string& title) {
    auto& window = output_.emplace(main_.data(), qs(title));
    window.show();
}

void QtHost::Ausgabe_Anzeigen(const std::string& line) {
    if (!output_) Ausgabe_Oeffnen("Ausgabe");
    output_->append(qs(line));
}

void QtHost::Ausgabe_Schliessen() {
    if (output_) output_->finish();
}

bool QtHost::open_drucker() {
    printJob_.begin();
    return true;
}

void QtHost::druckeln(const std::string& line) {
    if (!printJob_.isOpen()) printJob_.begin();
    printJob_.line(line);
}

void QtHost::drucke(const std::string& text) {
    if (!printJob_.isOpen()) printJob_.begin();
    printJob_.text(text);
}

void QtHost::breit(bool on) {
    printJob_.setWide(on);
}

void QtHost::close_drucker() {
    if (!printJob_.isOpen()) return;
    printJob_.finish();
    if (printJob_.lines().isEmpty()) return;
    showPrintPreview(printJob_, dialogParent());
}

std::vector<std::string> QtHost::chooseFiles(const FileRequest& request) {
    // No chooser without its directory: the file choice has told the user.
    if (!QFileInfo(qs(request.directory)).isDir()) return {};
    if (request.multiple && usesFileChoiceDialog(request)) {
        FileChoiceDialog dialog(request, dialogParent());
        if (dialog.exec() != QDialog::Accepted) return {};
        return dialog.chosen();
    }
    return chooseWithFileDialog(request, dialogParent());
}

std::optional<std::string> QtHost::chooseDirectory(const std::string& title,
                                                   const std::string& text,
                                                   const std::string& start) {
    const QString caption = text.empty() ? qs(title) : qs(title) + QStringLiteral(" - ") + qs(text);
    return chooseFolder(caption, qs(start), dialogParent());
}

ListResult QtHost::chooseFromList(const ListRequest& request) {
    const bool grid = context_.gridLists ? context_.gridLists() : true;
    ListDialog dialog(request, grid, dialogParent(), [this](int context) { hilfe(context); });
    fitToScreen(dialog);
    dialog.exec();
    return dialog.result();
}

void QtHost::runForm(EntryForm& form) {
    form.open();
    if (form.closed()) return;
    FormDialog dialog(form, dialogParent(), [this](int context) { hilfe(context); });
    dialog.exec();
    if (dialog.failure()) std::rethrow_exception(dialog.failure());
    // A dialog left without a button counts as cancelled.
    if (!form.closed()) form.requestClose();
}

void QtHost::hilfe(int context) {
    if (context == 0 && context_.dialogHelpId) context = context_.dialogHelpId();
    if (!help_) help_.emplace(main_.data());
    help_->showContext(context);
}

void QtHost::setCaption(const std::string& caption) {
    // The supplier line is blank-padded; the title shows it without the padding.
    if (main_) main_->setWindowTitle(qs(caption).trimmed());
}

}  // namespace dn::gui
