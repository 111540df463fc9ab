// The list dialog: picking a line, marking lines (red; yellow when the
// marked row is the selected one), the older list picker and the extra
// buttons.

#include "gui/list_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
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

}  // namespace
}  // namespace dn::gui
