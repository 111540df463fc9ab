#pragma once
// One list-printing job: the lines collected between open_drucker and
// close_drucker, laid out on pages in a fixed-pitch font.

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

class QPrinter;

namespace dn::gui {

class PrintJob {
  public:
    void begin();
    // druckeln: the pending text plus this line ends a line.
    void line(const std::string& text);
    // drucke: text without line end.
    void text(const std::string& text);
    void setWide(bool on) { wide_ = on; }
    // Ends the job; pending text becomes the last line.
    void finish();

    bool isOpen() const { return open_; }
    bool wide() const { return wide_; }
    const QStringList& lines() const { return lines_; }

    // The lines split into pages of at most `linesPerPage` lines; a form
    // feed in a line starts a new page.
    std::vector<QStringList> pages(int linesPerPage) const;

    // Prints the pages on `printer` (landscape for wide print).
    void render(QPrinter& printer) const;

  private:
    QStringList lines_;
    QString pending_;
    bool wide_ = false;
    bool open_ = false;
};

}  // namespace dn::gui
