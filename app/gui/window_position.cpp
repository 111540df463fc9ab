#include "gui/window_position.h"

#include <QFileInfo>
#include <QSettings>

#include "host/host_config.h"

namespace dn::gui {
namespace {

QString qpath(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}

}  // namespace

std::filesystem::path windowPositionFile(const HostConfig& host, const QString& programFile) {
    const QString name = QFileInfo(programFile).completeBaseName() + QStringLiteral(".ini");
    return std::filesystem::path(host.konf.at(kUserDir) + "FP" + name.toStdString());
}

std::optional<QPoint> readWindowPosition(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) return std::nullopt;
    QSettings ini(qpath(file), QSettings::IniFormat);
    return QPoint(ini.value("FORM/x", 0).toInt(), ini.value("FORM/y", 0).toInt());
}

void writeWindowPosition(const std::filesystem::path& file, QPoint position) {
    QSettings ini(qpath(file), QSettings::IniFormat);
    ini.setValue("FORM/x", position.x());
    ini.setValue("FORM/y", position.y());
    ini.sync();
}

void deleteWindowPosition(const std::filesystem::path& file) {
    std::error_code ec;
    std::filesystem::remove(file, ec);
}

QPoint restoredPosition(QPoint saved, QPoint current, const QRect& desktop) {
    QPoint p = current;
    if (saved.x() < desktop.width()) p.setX(saved.x());
    if (saved.y() < desktop.height()) p.setY(saved.y());
    return p;
}

void saveOrDeleteWindowPosition(const std::filesystem::path& file, bool save, QPoint position) {
    if (save)
        writeWindowPosition(file, position);
    else
        deleteWindowPosition(file);
}

}  // namespace dn::gui
