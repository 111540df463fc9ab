#include "gui/list_dialog.h"

#include <QAction>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace dn::gui {
namespace {

const QColor kMarkedColour(Qt::red);
const QColor kMarkedCurrentColour(Qt::yellow);

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

std::vector<QStringList> gridRows(const std::vector<std::string>& lines) {
    std::vector<QStringList> rows;
    rows.reserve(lines.size());
    for (const auto& line : lines) rows.push_back(qs(line).split(u'\t'));
    return rows;
}

ListDialog::ListDialog(const ListRequest& request, bool grid, QWidget* parent)
    : QDialog(parent), request_(request), grid_(grid) {
    setObjectName(grid ? "liste_grid" : "liste");
    setWindowTitle(qs(request.title));
    resize(grid ? 720 : 640, 480);
    marked_ = request.marked;
    marked_.resize(request.lines.size(), false);

    auto* layout = new QVBoxLayout(this);
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (const auto& text : request.explanation) {
        auto* label = new QLabel(qs(text), this);
        if (!grid) label->setFont(fixed);
        layout->addWidget(label);
    }

    const auto rows = gridRows(request.lines);
    int columns = 1;
    for (const auto& r : rows) columns = std::max(columns, static_cast<int>(r.size()));
    model_ = new QStandardItemModel(static_cast<int>(rows.size()), columns, this);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        for (int c = 0; c < rows[r].size(); ++c) {
            auto* item = new QStandardItem(rows[r][c]);
            item->setEditable(false);
            model_->setItem(r, c, item);
        }

    view_ = new QTableView(this);
    view_->setModel(model_);
    view_->setSelectionMode(QAbstractItemView::NoSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->verticalHeader()->hide();
    view_->horizontalHeader()->hide();
    view_->horizontalHeader()->setStretchLastSection(true);
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 4);
    view_->setShowGrid(grid);
    if (!grid) view_->setFont(fixed);
    view_->installEventFilter(this);
    layout->addWidget(view_);

    connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& now, const QModelIndex&) {
                if (lastCurrent_ >= 0) paintRow(lastCurrent_);
                lastCurrent_ = now.row();
                if (lastCurrent_ >= 0) paintRow(lastCurrent_);
            });
    if (request.markMode) {
        connect(view_, &QTableView::clicked, this,
                [this](const QModelIndex& index) { toggleMark(index.row()); });
        view_->setContextMenuPolicy(Qt::ActionsContextMenu);
        auto* mark = new QAction(tr("&Markieren"), view_);
        connect(mark, &QAction::triggered, this, [this] { toggleMark(currentRow()); });
        view_->addAction(mark);
    } else {
        connect(view_, &QTableView::doubleClicked, this, [this] { endWith(0); });
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* ok = new QPushButton(request.markMode ? tr("&Ok") : tr("Überne&hmen"), this);
    ok->setObjectName("button_1");
    connect(ok, &QPushButton::clicked, this, [this] { endWith(0); });
    buttons->addWidget(ok);
    for (int tag : request.buttons) {
        auto* extra = new QPushButton(QStringLiteral("F%1").arg(tag - 10), this);
        extra->setObjectName(QStringLiteral("button_%1").arg(tag));
        connect(extra, &QPushButton::clicked, this, [this, tag] { endWith(tag); });
        buttons->addWidget(extra);
    }
    auto* cancel = new QPushButton(tr("&Abbruch"), this);
    cancel->setObjectName("button_2");
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    for (int r = 0; r < model_->rowCount(); ++r) paintRow(r);
    if (model_->rowCount() > 0)
        setCurrentRow(std::clamp(request.selected, 0, model_->rowCount() - 1));
    view_->setFocus();
}

int ListDialog::currentRow() const {
    return view_->currentIndex().row();
}

void ListDialog::setCurrentRow(int row) {
    view_->setCurrentIndex(model_->index(row, 0));
    view_->scrollTo(model_->index(row, 0));
}

bool ListDialog::isMarked(int row) const {
    return row >= 0 && row < static_cast<int>(marked_.size()) && marked_[row];
}

void ListDialog::toggleMark(int row) {
    if (!request_.markMode || row < 0 || row >= model_->rowCount()) return;
    marked_[row] = !marked_[row];
    paintRow(row);
    if (row + 1 < model_->rowCount()) setCurrentRow(row + 1);
}

QColor ListDialog::rowBackground(int row) const {
    const QVariant v = model_->data(model_->index(row, 0), Qt::BackgroundRole);
    return v.canConvert<QBrush>() ? v.value<QBrush>().color() : QColor();
}

void ListDialog::paintRow(int row) {
    const bool current = row == currentRow();
    const bool marked = isMarked(row);
    QBrush background;
    QBrush foreground;
    if (grid_ && marked) {
        background = current ? kMarkedCurrentColour : kMarkedColour;
        foreground = current ? QColor(Qt::black) : QColor(Qt::white);
    } else if (current) {
        background = palette().highlight();
        foreground = palette().highlightedText();
    }
    for (int c = 0; c < model_->columnCount(); ++c) {
        QStandardItem* item = model_->item(row, c);
        if (!item) continue;
        item->setData(background, Qt::BackgroundRole);
        item->setData(foreground, Qt::ForegroundRole);
        if (!grid_ && c == 0 && request_.markMode)
            item->setCheckState(marked ? Qt::Checked : Qt::Unchecked);
    }
}

void ListDialog::endWith(int button) {
    button_ = button;
    accept();
}

ListResult ListDialog::result() const {
    ListResult r;
    r.ok = QDialog::result() == Accepted;
    r.selected = r.ok ? currentRow() : request_.selected;
    r.button = button_;
    // Marks are taken as they are set, also when the list is left with Escape.
    r.marked = request_.markMode ? marked_ : request_.marked;
    return r;
}

bool ListDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Space && request_.markMode) {
            toggleMark(currentRow());
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            endWith(0);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ListDialog::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key >= Qt::Key_F1 && key <= Qt::Key_F10) {
        const int tag = kF1 + (key - Qt::Key_F1);
        if (std::find(request_.buttons.begin(), request_.buttons.end(), tag) !=
            request_.buttons.end()) {
            endWith(tag);
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

}  // namespace dn::gui
