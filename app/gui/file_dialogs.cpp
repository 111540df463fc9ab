#include "gui/file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace dn::gui {
namespace {

// Qt's own dialog under every desktop: it speaks German with Qt's
// translations and matches the patterns without case.
void useOwnDialog(QFileDialog& dialog) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
}

std::vector<std::string> nativePaths(const QStringList& files) {
    std::vector<std::string> out;
    for (const QString& f : files) out.push_back(QDir::toNativeSeparators(f).toStdString());
    return out;
}

}  // namespace

QStringList fileDialogFilters(const FileRequest& request) {
    QStringList patterns;
    for (const auto& p : request.patterns) patterns << QString::fromStdString(p);
    QStringList filters;
    if (!patterns.isEmpty())
        filters << QStringLiteral("DATANORM-Dateien (%1)").arg(patterns.join(u' '));
    filters << QStringLiteral("Alle Dateien (*)");
    return filters;
}

std::vector<std::string> chooseWithFileDialog(const FileRequest& request, QWidget* parent) {
    const QString directory = QString::fromStdString(request.directory);
    if (!QFileInfo(directory).isDir()) return {};
    const QString title = request.title.empty() ? QStringLiteral("Datanorm-Datei auswählen")
                                                : QString::fromStdString(request.title);
    QFileDialog dialog(parent, title, directory);
    useOwnDialog(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    dialog.setNameFilters(fileDialogFilters(request));
    // Restoring its last state must not move the dialog elsewhere.
    dialog.setDirectory(directory);
    if (dialog.exec() != QDialog::Accepted) return {};
    return nativePaths(dialog.selectedFiles());
}

QString folderBrowserStart(const QString& start) {
    if (start.isEmpty() || QFileInfo(start).isRelative()) return QDir::homePath();
    QString path = QDir::cleanPath(start);
    while (!QFileInfo(path).isDir()) {
        const QString parent = QFileInfo(path).path();
        if (parent == path) return QDir::homePath();
        path = parent;
    }
    return path;
}

std::optional<std::string> chooseFolder(const QString& caption, const QString& start,
                                        QWidget* parent) {
    const QString directory = folderBrowserStart(start);
    QFileDialog dialog(parent, caption, directory);
    useOwnDialog(dialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setDirectory(directory);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().front()).toStdString();
}

}  // namespace dn::gui
