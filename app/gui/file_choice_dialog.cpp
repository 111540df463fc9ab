#include "gui/file_choice_dialog.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStorageInfo>

namespace dn::gui {

bool matchesPattern(const QString& fileName, const std::vector<std::string>& patterns) {
    if (patterns.empty()) return true;
    for (const auto& p : patterns) {
        const QRegularExpression re(
            QRegularExpression::wildcardToRegularExpression(QString::fromStdString(p)),
            QRegularExpression::CaseInsensitiveOption);
        if (re.match(fileName).hasMatch()) return true;
    }
    return false;
}

bool usesFileChoiceDialog(const FileRequest& request) {
    return request.title == "Dateiauswahl" || request.purpose == "a" || request.purpose == "t";
}

FileChoiceDialog::FileChoiceDialog(const FileRequest& request, QWidget* parent)
    : QDialog(parent), patterns_(request.patterns) {
    setObjectName("dateiauswahl");
    setWindowTitle(tr("Dateiauswahl"));
    resize(620, 420);
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(tr("&Dateien:"), this), 0, 0);
    files_ = new QListWidget(this);
    files_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid->addWidget(files_, 1, 0, 3, 1);
    path_ = new QLabel(this);
    path_->setWordWrap(true);
    grid->addWidget(path_, 0, 1);
    directories_ = new QListWidget(this);
    grid->addWidget(directories_, 1, 1);
    grid->addWidget(new QLabel(tr("&Laufwerke:"), this), 2, 1);
    drives_ = new QComboBox(this);
    grid->addWidget(drives_, 3, 1);

    auto* row = new QHBoxLayout;
    row->addStretch();
    auto* ok = new QPushButton(tr("&Ok"), this);
    ok->setObjectName("button_1");
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("&Abbruch"), this);
    cancel->setObjectName("button_2");
    row->addWidget(ok);
    row->addWidget(cancel);
    grid->addLayout(row, 4, 0, 1, 2);
    connect(ok, &QPushButton::clicked, this, &FileChoiceDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    connect(directories_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        setDirectory(QDir(directory_).absoluteFilePath(item->text()));
    });
    fillDrives();
    connect(drives_, &QComboBox::activated, this,
            [this](int index) { setDirectory(drives_->itemText(index)); });
    setDirectory(QString::fromStdString(request.directory));
    files_->setFocus();
}

void FileChoiceDialog::fillDrives() {
    QStringList roots;
    for (const QFileInfo& drive : QDir::drives()) roots << drive.absoluteFilePath();
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady() && !roots.contains(volume.rootPath()))
            roots << volume.rootPath();
    drives_->addItems(roots);
}

void FileChoiceDialog::setDirectory(const QString& directory) {
    QDir dir(directory);
    directory_ = dir.absolutePath();
    path_->setText(QDir::toNativeSeparators(directory_));
    files_->clear();
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name))
        if (matchesPattern(name, patterns_)) files_->addItem(name);
    directories_->clear();
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDot, QDir::Name))
        directories_->addItem(name);
}

std::vector<std::string> FileChoiceDialog::chosen() const {
    std::vector<std::string> out;
    const QDir dir(directory_);
    for (int i = 0; i < files_->count(); ++i)
        if (files_->item(i)->isSelected())
            out.push_back(
                QDir::toNativeSeparators(dir.filePath(files_->item(i)->text())).toStdString());
    return out;
}

void FileChoiceDialog::accept() {
    if (chosen().empty()) {
        QMessageBox::information(this, windowTitle(), tr("Sie haben keine Dateien markiert!"));
        return;
    }
    QDialog::accept();
}

}  // namespace dn::gui
