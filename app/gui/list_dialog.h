#pragma once
// The list dialog of the host: pick one line or mark lines. As a grid
// (host flag `f_dbbrowser` on) marked rows are red and the selected row
// yellow when marked; the older list picker shows plain lines with check
// marks. Space or a click toggles the mark in mark mode and moves on;
// Return takes the line, Escape cancels, F-keys end with their button.

#include <QColor>
#include <QDialog>
#include <vector>

#include "host/host_services.h"

class QStandardItemModel;
class QTableView;

namespace dn::gui {

// Lines split into grid columns at tabs.
std::vector<QStringList> gridRows(const std::vector<std::string>& lines);

class ListDialog : public QDialog {
    Q_OBJECT
  public:
    ListDialog(const ListRequest& request, bool grid, QWidget* parent);

    ListResult result() const;

    int currentRow() const;
    void setCurrentRow(int row);
    // Mark mode: toggles the row's mark and moves to the next row.
    void toggleMark(int row);
    bool isMarked(int row) const;
    QColor rowBackground(int row) const;
    QTableView* view() const { return view_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void paintRow(int row);
    void endWith(int button);

    ListRequest request_;
    bool grid_;
    QStandardItemModel* model_ = nullptr;
    QTableView* view_ = nullptr;
    std::vector<bool> marked_;
    int button_ = 0;
    int lastCurrent_ = -1;
};

}  // namespace dn::gui
