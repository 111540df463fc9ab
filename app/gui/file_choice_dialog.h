#pragma once
// File choice: the name patterns matched without case, and the
// "Dateiauswahl" dialog in which several files of one directory are marked
// for one import (file list, directory list, drive list).

#include <QDialog>
#include <QString>
#include <string>
#include <vector>

#include "host/host_services.h"

class QComboBox;
class QLabel;
class QListWidget;

namespace dn::gui {

// Whether a file name matches one of the patterns ("datanorm.*"), without
// regard to case. No patterns match every name.
bool matchesPattern(const QString& fileName, const std::vector<std::string>& patterns);

// Articles and free texts are marked in "Dateiauswahl"; the other kinds
// use the system file dialog.
bool usesFileChoiceDialog(const FileRequest& request);

class FileChoiceDialog : public QDialog {
    Q_OBJECT
  public:
    FileChoiceDialog(const FileRequest& request, QWidget* parent);

    void setDirectory(const QString& directory);
    QString directory() const { return directory_; }
    QListWidget* fileList() const { return files_; }
    // Full paths of the marked files in list order.
    std::vector<std::string> chosen() const;

    // "&Ok": at least one file must be marked.
    void accept() override;

  private:
    void fillDrives();

    std::vector<std::string> patterns_;
    QString directory_;
    QLabel* path_ = nullptr;
    QListWidget* files_ = nullptr;
    QListWidget* directories_ = nullptr;
    QComboBox* drives_ = nullptr;
};

}  // namespace dn::gui
