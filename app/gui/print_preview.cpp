#include "gui/print_preview.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>

#include "gui/print_job.h"
#include "gui/screen_fit.h"

namespace dn::gui {

bool savePdf(const PrintJob& job, const QString& fileName) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    job.render(printer);
    return QFileInfo(fileName).size() > 0;
}

void showPrintPreview(const PrintJob& job, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(QObject::tr("Druckvorschau"));
    preview.resize(900, 700);
    fitToScreen(preview);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&job](QPrinter* p) { job.render(*p); });
    if (auto* toolbar = preview.findChild<QToolBar*>()) {
        toolbar->addSeparator();
        QAction* pdf = toolbar->addAction(QObject::tr("Als PDF speichern ..."));
        QObject::connect(pdf, &QAction::triggered, &preview, [&preview, &job] {
            // Qt's own dialog, as the host's file choosers use it.
            const QString file = QFileDialog::getSaveFileName(
                &preview, QObject::tr("Als PDF speichern"), QString(),
                QStringLiteral("PDF-Dateien (*.pdf)"), nullptr, QFileDialog::DontUseNativeDialog);
            if (file.isEmpty()) return;
            if (!savePdf(job, file))
                QMessageBox::warning(
                    &preview, QObject::tr("Als PDF speichern"),
                    QObject::tr("Die Datei konnte nicht geschrieben werden: ") + file);
        });
    }
    preview.exec();
}

}  // namespace dn::gui
