// The list dialog: picking a line, marking lines (red; yellow when the
// marked row is the selected one), the grid's columns, orders and take-over
// button, the older list picker and the extra buttons.

#include "gui/list_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>

#include "gui/gui_app.h"

namespace dn::gui {
namespace {

class ListDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dn::test::ensureGuiApp();
        request.title = "Liste Rabatte";
        request.lines = {"1-A1\tArmaturen\tRabatt\t35.50", "1-A2\tRohre\tMulti\t1.234",
                         "1-B1\tFittings\tRabatt\t20.00"};
    }
    static void key(QWidget* target, int qtKey) {
        QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
    }
    // A left click (or a double click) on a row of the grid.
    static void click(ListDialog& dialog, int row, bool twice = false) {
        QWidget* viewport = dialog.view()->viewport();
        const QPointF at =
            dialog.view()->visualRect(dialog.view()->model()->index(row, 1)).center();
        const QPointF global = viewport->mapToGlobal(at);
        auto send = [&](QEvent::Type type, Qt::MouseButtons buttons) {
            QMouseEvent e(type, at, global, Qt::LeftButton, buttons, Qt::NoModifier);
            QApplication::sendEvent(viewport, &e);
        };
        send(QEvent::MouseButtonPress, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, Qt::NoButton);
        if (!twice) return;
        send(QEvent::MouseButtonDblClick, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, Qt::NoButton);
    }
    // The discount groups' grid as the core describes it.
    void discountGrid() {
        request.lines = {"1-0047\tRohre\tRabatt\t35.500", "1-0048\tArmaturen\tMulti\t1.234",
                         "1-0049\tFittings\tTeuerung\t5.000"};
        request.columns = {{"Gruppe", 8}, {"Bezeichnung", 43}, {"Typ", 8}, {"Wert", 12, true}};
        request.orders = {{"Rabattgruppe", {0, 1, 2}}, {"Blitzindex", {1, 2, 0}}};
        request.takeOver = "Rabatt überne&hmen";
        request.helpContext = 9905;
    }
    ListRequest request;
};

TEST_F(ListDialogTest, GridColumnsComeFromTabs) {
    const auto rows = gridRows({"1-A1\tArmaturen\tRabatt", "ohne Spalten"});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (QStringList{"1-A1", "Armaturen", "Rabatt"}));
    EXPECT_EQ(rows[1], QStringList{"ohne Spalten"});

    ListDialog dialog(request, true, nullptr);
    EXPECT_EQ(dialog.windowTitle(), "Liste Rabatte");
    EXPECT_EQ(dialog.view()->model()->columnCount(), 4);
    EXPECT_EQ(dialog.view()->model()->index(1, 1).data().toString(), "Rohre");
}

TEST_F(ListDialogTest, MarkedRowsAreRedAndTheSelectedMarkedRowYellow) {
    request.markMode = true;
    request.marked = {true, false, true};
    request.selected = 2;
    ListDialog dialog(request, true, nullptr);
    EXPECT_EQ(dialog.currentRow(), 2);
    EXPECT_EQ(dialog.rowBackground(0), QColor(Qt::red));
    EXPECT_EQ(dialog.rowBackground(2), QColor(Qt::yellow));
    EXPECT_NE(dialog.rowBackground(1), QColor(Qt::red));
    // Readable: light text on red, dark text on yellow.
    EXPECT_EQ(dialog.rowForeground(0), QColor(Qt::white));
    EXPECT_EQ(dialog.rowForeground(2), QColor(Qt::black));
    // The current unmarked row has the normal selection.
    dialog.setCurrentRow(1);
    EXPECT_EQ(dialog.rowBackground(1), dialog.palette().highlight().color());
    EXPECT_EQ(dialog.rowForeground(1), dialog.palette().highlightedText().color());

    dialog.setCurrentRow(0);
    EXPECT_EQ(dialog.rowBackground(0), QColor(Qt::yellow));
    EXPECT_EQ(dialog.rowBackground(2), QColor(Qt::red));
}

TEST_F(ListDialogTest, SpaceTogglesTheMarkAndMovesOn) {
    request.markMode = true;
    request.marked = {false, false, true};
    ListDialog dialog(request, true, nullptr);
    dialog.setCurrentRow(0);
    key(dialog.view(), Qt::Key_Space);
    EXPECT_TRUE(dialog.isMarked(0));
    EXPECT_EQ(dialog.currentRow(), 1);
    key(dialog.view(), Qt::Key_Space);
    dialog.toggleMark(2);
    // The last row stays selected after its toggle.
    EXPECT_EQ(dialog.currentRow(), 2);
    key(dialog.view(), Qt::Key_Return);

    const ListResult r = dialog.result();
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.button, 0);
    EXPECT_EQ(r.marked, (std::vector<bool>{true, true, false}));
}

TEST_F(ListDialogTest, MarksSetBeforeEscapeAreKept) {
    request.markMode = true;
    request.marked = {false, false, false};
    ListDialog dialog(request, true, nullptr);
    dialog.toggleMark(1);
    dialog.reject();
    const ListResult r = dialog.result();
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.marked, (std::vector<bool>{false, true, false}));
}

TEST_F(ListDialogTest, PickModeTakesTheLineAndDoesNotMark) {
    request.selected = 1;
    ListDialog dialog(request, true, nullptr);
    key(dialog.view(), Qt::Key_Space);
    key(dialog.view(), Qt::Key_Down);
    EXPECT_FALSE(dialog.isMarked(1));
    key(dialog.view(), Qt::Key_Return);
    const ListResult r = dialog.result();
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.selected, 2);

    ListDialog cancelled(request, true, nullptr);
    cancelled.setCurrentRow(2);
    cancelled.reject();
    EXPECT_FALSE(cancelled.result().ok);
    EXPECT_EQ(cancelled.result().selected, 1);
}

TEST_F(ListDialogTest, ExtraButtonsEndTheListByButtonAndKey) {
    request.markMode = true;
    request.buttons = {12, 18};
    ListDialog dialog(request, false, nullptr);
    auto* f8 = dialog.findChild<QPushButton*>("button_18");
    ASSERT_NE(f8, nullptr);
    EXPECT_EQ(f8->text(), "F8");
    key(&dialog, Qt::Key_F2);
    EXPECT_EQ(dialog.result().button, 12);
    EXPECT_TRUE(dialog.result().ok);

    ListDialog other(request, false, nullptr);
    key(&other, Qt::Key_F5);
    EXPECT_EQ(other.result().button, 0);
}

TEST_F(ListDialogTest, OlderPickerShowsMarksAsChecksWithoutColours) {
    request.markMode = true;
    request.marked = {true, false, false};
    request.selected = 1;
    ListDialog dialog(request, false, nullptr);
    auto* model = qobject_cast<QStandardItemModel*>(dialog.view()->model());
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(model->item(2)->checkState(), Qt::Unchecked);
    EXPECT_NE(dialog.rowBackground(0), QColor(Qt::red));
    dialog.toggleMark(0);
    EXPECT_EQ(model->item(0)->checkState(), Qt::Unchecked);
}

TEST_F(ListDialogTest, GridHasHeadedColumnsWideEnoughForWholeKeys) {
    discountGrid();
    request.lines.push_back("12-WWWW\tWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW\tRabatt\t100.000");
    ListDialog dialog(request, true, nullptr);
    QTableView* view = dialog.view();
    EXPECT_FALSE(view->horizontalHeader()->isHidden());
    const QStringList titles = {"Gruppe", "Bezeichnung", "Typ", "Wert"};
    const QFontMetrics fm = view->fontMetrics();
    for (int c = 0; c < titles.size(); ++c) {
        EXPECT_EQ(view->model()->headerData(c, Qt::Horizontal).toString(), titles[c]);
        // At least the width in characters and never narrower than a cell.
        EXPECT_GE(view->columnWidth(c), request.columns[c].width * fm.averageCharWidth());
        EXPECT_GE(view->columnWidth(c),
                  static_cast<const QAbstractItemView*>(view)->sizeHintForColumn(c))
            << c;
    }
    for (int r = 0; r < view->model()->rowCount(); ++r)
        EXPECT_LT(fm.horizontalAdvance(view->model()->index(r, 0).data().toString()),
                  view->columnWidth(0));
    const auto alignment = view->model()->index(0, 3).data(Qt::TextAlignmentRole).toInt();
    EXPECT_TRUE(alignment & Qt::AlignRight);
    EXPECT_FALSE(view->model()->index(0, 0).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight);
    // The whole grid is in view at the smallest screen.
    EXPECT_LE(dialog.width(), 1024);
    EXPECT_LE(dialog.height(), 768);
    EXPECT_LE(dialog.sizeHint().width(), 1024);
    EXPECT_LE(dialog.sizeHint().height(), 768);
}

TEST_F(ListDialogTest, TakeOverButtonAndHelpAsTheRequestNamesThem) {
    discountGrid();
    int helped = 0;
    for (bool markMode : {false, true}) {
        request.markMode = markMode;
        ListDialog dialog(request, true, nullptr, [&](int context) { helped = context; });
        auto* takeOver = dialog.findChild<QPushButton*>("button_1");
        ASSERT_NE(takeOver, nullptr);
        EXPECT_EQ(takeOver->text(), "Rabatt überne&hmen");
        key(&dialog, Qt::Key_F1);
        EXPECT_EQ(helped, 9905);
        helped = 0;
        takeOver->click();
        EXPECT_TRUE(dialog.result().ok);
    }
    // Without a caption in the request the older captions stay.
    request = {};
    request.lines = {"a", "b"};
    ListDialog pick(request, false, nullptr);
    EXPECT_EQ(pick.findChild<QPushButton*>("button_1")->text(), "Überne&hmen");
}

TEST_F(ListDialogTest, MarkCommandTogglesOneRowAndMovesOnAClickOnlySelects) {
    discountGrid();
    request.markMode = true;
    request.marked = {false, false, false};
    ListDialog dialog(request, true, nullptr);
    QAction* mark = dialog.markAction();
    ASSERT_NE(mark, nullptr);
    // A context-menu entry of the grid that names its key.
    EXPECT_TRUE(dialog.view()->actions().contains(mark));
    EXPECT_EQ(dialog.view()->contextMenuPolicy(), Qt::ActionsContextMenu);
    EXPECT_EQ(mark->text(), "&Markieren\tLeertaste");

    click(dialog, 1);
    EXPECT_EQ(dialog.currentRow(), 1);
    click(dialog, 1);
    EXPECT_EQ(dialog.result().marked, (std::vector<bool>{false, false, false}));

    mark->trigger();
    EXPECT_EQ(dialog.result().marked, (std::vector<bool>{false, true, false}));
    EXPECT_EQ(dialog.currentRow(), 2);
    mark->trigger();
    EXPECT_EQ(dialog.result().marked, (std::vector<bool>{false, true, true}));
    mark->trigger();  // the last row: toggled back, still current
    EXPECT_EQ(dialog.result().marked, (std::vector<bool>{false, true, false}));
    EXPECT_EQ(dialog.currentRow(), 2);

    // A double click does not take the list in mark mode.
    click(dialog, 0, true);
    EXPECT_EQ(dialog.result().marked, (std::vector<bool>{false, true, false}));
    EXPECT_FALSE(dialog.result().ok);
}

TEST_F(ListDialogTest, PickModeDoubleClickTakesTheRowTheMarkCommandMovesOn) {
    discountGrid();
    ListDialog dialog(request, true, nullptr);
    dialog.setCurrentRow(0);
    dialog.markAction()->trigger();
    EXPECT_EQ(dialog.currentRow(), 1);
    EXPECT_FALSE(dialog.isMarked(0));
    click(dialog, 2);
    EXPECT_EQ(dialog.result().ok, false);
    click(dialog, 2, true);
    const ListResult r = dialog.result();
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.selected, 2);
    EXPECT_TRUE(r.marked.empty());
}

TEST_F(ListDialogTest, OrdersReorderTheRowsAndMarksFollowTheirRows) {
    discountGrid();
    request.markMode = true;
    request.marked = {true, false, false};
    request.selected = 2;
    ListDialog dialog(request, true, nullptr);
    auto* orders = dialog.findChild<QComboBox*>("orders");
    ASSERT_NE(orders, nullptr);
    ASSERT_EQ(orders->count(), 2);
    EXPECT_EQ(orders->itemText(0), "Rabattgruppe");
    EXPECT_EQ(orders->itemText(1), "Blitzindex");
    auto texts = [&] {
        QStringList out;
        for (int r = 0; r < dialog.view()->model()->rowCount(); ++r)
            out << dialog.view()->model()->index(r, 1).data().toString();
        return out;
    };
    EXPECT_EQ(texts(), (QStringList{"Rohre", "Armaturen", "Fittings"}));

    orders->setCurrentIndex(1);
    EXPECT_EQ(texts(), (QStringList{"Armaturen", "Fittings", "Rohre"}));
    // "Rohre" keeps its mark and the current row stays on "Fittings".
    EXPECT_TRUE(dialog.isMarked(2));
    EXPECT_FALSE(dialog.isMarked(0));
    EXPECT_EQ(dialog.rowBackground(2), QColor(Qt::red));
    EXPECT_EQ(dialog.currentRow(), 1);
    EXPECT_EQ(dialog.lineOfRow(1), 2);

    dialog.markAction()->trigger();  // marks "Fittings", moves on to "Rohre"
    EXPECT_EQ(dialog.rowBackground(2), QColor(Qt::yellow));
    key(dialog.view(), Qt::Key_Return);
    const ListResult r = dialog.result();
    EXPECT_EQ(r.selected, 0);  // "Rohre", in the order of the request's lines
    EXPECT_EQ(r.marked, (std::vector<bool>{true, false, true}));

    dialog.setOrder(0);
    EXPECT_EQ(texts(), (QStringList{"Rohre", "Armaturen", "Fittings"}));
    EXPECT_EQ(orders->currentIndex(), 0);
    EXPECT_TRUE(dialog.isMarked(2));
}

TEST_F(ListDialogTest, LongExplanationsWrapAndTheDialogFitsTheScreen) {
    request.title = "Wechsel des aktuellen Lieferanten";
    request.explanation = {
        "Alle Funktionen zu Erfassung von Rabattgruppen, Übernahme von Artikeln,... werden "
        "jeweils nur für einen ausgewählten Lieferanten durchgeführt. Mit dieser Funktion "
        "wählen Sie jeweils den aktuellen Lieferanten aus Ihrem Lieferantenstamm."};
    request.lines.clear();
    for (int n = 1; n <= 99; ++n) request.lines.push_back(std::to_string(n) + " Lieferant");
    for (bool grid : {true, false}) {
        ListDialog dialog(request, grid, nullptr);
        dialog.show();
        EXPECT_LE(dialog.width(), 1024);
        EXPECT_LE(dialog.height(), 768);
        EXPECT_LE(dialog.sizeHint().width(), 1024);
        EXPECT_LE(dialog.sizeHint().height(), 768);
    }
}

}  // namespace
}  // namespace dn::gui
