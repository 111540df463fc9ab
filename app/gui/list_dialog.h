#pragma once
// The list dialog of the host: pick one line or mark lines. As a grid
// (host flag `f_dbbrowser` on) the lines split into headed columns sized in
// characters, the orders of the request can be chosen, marked rows are red
// and the current row yellow when marked; the older list picker shows plain
// lines with check marks. A click selects a row; the mark command (context
// menu, space bar) toggles the mark of the current row in mark mode and
// moves on; Return or the take-over button takes the line (in pick mode
// also a double click), Escape cancels, F-keys end with their button.

#include <QColor>
#include <QDialog>
#include <functional>
#include <vector>

#include "host/host_services.h"

class QAction;
class QComboBox;
class QStandardItemModel;
class QTableView;
class QVBoxLayout;

namespace dn::gui {

// Lines split into grid columns at tabs.
std::vector<QStringList> gridRows(const std::vector<std::string>& lines);

// Marked rows, and the marked row that is the current one.
inline const QColor kMarkedColour(Qt::red);
inline const QColor kMarkedCurrentColour(Qt::yellow);

class ListDialog : public QDialog {
    Q_OBJECT
  public:
    // `help` opens the manual at the request's help context.
    ListDialog(const ListRequest& request, bool grid, QWidget* parent,
               std::function<void(int)> help = {});

    ListResult result() const;

    // Rows as shown, in the order chosen.
    int currentRow() const;
    void setCurrentRow(int row);
    // The index into the request's lines of a row.
    int lineOfRow(int row) const;
    // The mark command on a row: in mark mode it toggles the row's mark;
    // in either mode it moves to the next row.
    void toggleMark(int row);
    bool isMarked(int row) const;
    QColor rowBackground(int row) const;
    QColor rowForeground(int row) const;
    // One of the request's orders (index into `orders`).
    void setOrder(int order);
    QTableView* view() const { return view_; }
    QAction* markAction() const { return markAction_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void addOrderChoice(QVBoxLayout* layout);
    void fillRows();
    void sizeColumns();
    int textIndent() const;
    void fitToScreen();
    void paintRow(int row);
    void endWith(int button);

    ListRequest request_;
    bool grid_;
    std::function<void(int)> help_;
    std::vector<QStringList> rows_;
    std::vector<int> order_;  // row -> line
    QStandardItemModel* model_ = nullptr;
    QTableView* view_ = nullptr;
    QComboBox* orders_ = nullptr;
    QAction* markAction_ = nullptr;
    std::vector<bool> marked_;  // per line
    int button_ = 0;
    int lastCurrent_ = -1;
};

}  // namespace dn::gui
