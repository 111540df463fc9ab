#pragma once
// Qt's own file and folder dialogs as the host's choosers. They open where
// they are asked to and nowhere else: Qt's dialogs otherwise fall back to
// the folder they showed last, which may be another supplier's.

#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

#include "host/host_services.h"

class QWidget;

namespace dn::gui {

// The filters the file dialog offers: "DATANORM-Dateien (datanorm.*)" for
// the request's patterns, then "Alle Dateien (*)". The dialog matches them
// without regard to case.
QStringList fileDialogFilters(const FileRequest& request);

// The system file dialog for one file, or several with `request.multiple`,
// opened in `request.directory`. Empty when cancelled; nothing opens when
// the directory does not exist.
std::vector<std::string> chooseWithFileDialog(const FileRequest& request, QWidget* parent);

// Where the folder browser opens for a start path: the path itself, else
// the nearest folder above it that exists, else the home folder.
QString folderBrowserStart(const QString& start);

// The folder browser; nothing when cancelled.
std::optional<std::string> chooseFolder(const QString& caption, const QString& start,
                                        QWidget* parent);

}  // namespace dn::gui
