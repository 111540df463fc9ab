#pragma once
// The preview of a closed print job, with the system print dialog and
// saving as PDF.

class QString;
class QWidget;

namespace dn::gui {

class PrintJob;

void showPrintPreview(const PrintJob& job, QWidget* parent);
// Writes the job as a PDF file; false when the file could not be written.
bool savePdf(const PrintJob& job, const QString& fileName);

}  // namespace dn::gui
