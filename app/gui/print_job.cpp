#include "gui/print_job.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

namespace dn::gui {
namespace {

constexpr int kPointSize = 9;
constexpr QChar kFormFeed = u'\f';

}  // namespace

void PrintJob::begin() {
    lines_.clear();
    pending_.clear();
    wide_ = false;
    open_ = true;
}

void PrintJob::line(const std::string& text) {
    pending_ += QString::fromStdString(text);
    lines_.push_back(pending_);
    pending_.clear();
}

void PrintJob::text(const std::string& text) {
    pending_ += QString::fromStdString(text);
}

void PrintJob::finish() {
    if (!pending_.isEmpty()) lines_.push_back(pending_);
    pending_.clear();
    open_ = false;
}

std::vector<QStringList> PrintJob::pages(int linesPerPage) const {
    std::vector<QStringList> result(1);
    const int perPage = std::max(1, linesPerPage);
    for (const QString& raw : lines_) {
        const QStringList parts = raw.split(kFormFeed);
        for (qsizetype i = 0; i < parts.size(); ++i) {
            if (i > 0) result.emplace_back();
            // A form feed alone prints no empty line.
            if (parts[i].isEmpty() && parts.size() > 1) continue;
            if (result.back().size() >= perPage) result.emplace_back();
            result.back().push_back(parts[i]);
        }
    }
    if (result.size() > 1 && result.back().isEmpty()) result.pop_back();
    return result;
}

void PrintJob::render(QPrinter& printer) const {
    printer.setPageOrientation(wide_ ? QPageLayout::Landscape : QPageLayout::Portrait);
    QPainter painter(&printer);
    if (!painter.isActive()) return;
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(kPointSize);
    painter.setFont(font);
    const QFontMetrics metrics(font, &printer);
    const int lineHeight = std::max(1, metrics.lineSpacing());
    const QRect area = printer.pageLayout().paintRectPixels(printer.resolution());
    const int perPage = std::max(1, area.height() / lineHeight);
    const auto all = pages(perPage);
    for (std::size_t p = 0; p < all.size(); ++p) {
        if (p > 0) printer.newPage();
        int y = metrics.ascent();
        for (const QString& l : all[p]) {
            painter.drawText(0, y, l);
            y += lineHeight;
        }
    }
}

}  // namespace dn::gui
