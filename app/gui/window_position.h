#pragma once
// The main window's position per user: the file "FP" + program name +
// ".ini" in the user's network directory (slot 8), section FORM, keys x
// and y. Kept while "&Fensterposition speichern" is ticked, deleted
// otherwise.

#include <QPoint>
#include <QRect>
#include <QString>
#include <filesystem>
#include <optional>

namespace dn {
struct HostConfig;
}

namespace dn::gui {

// `programFile` is the program's file name; its extension becomes ".ini".
std::filesystem::path windowPositionFile(const HostConfig& host, const QString& programFile);

// The saved position; none when the file does not exist.
std::optional<QPoint> readWindowPosition(const std::filesystem::path& file);
void writeWindowPosition(const std::filesystem::path& file, QPoint position);
void deleteWindowPosition(const std::filesystem::path& file);

// x is taken when it is left of the desktop's width, y when it is above
// its height; otherwise the current edge stays.
QPoint restoredPosition(QPoint saved, QPoint current, const QRect& desktop);

// Saves the position when `save` is set, else deletes the file.
void saveOrDeleteWindowPosition(const std::filesystem::path& file, bool save, QPoint position);

}  // namespace dn::gui
