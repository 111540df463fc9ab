#include "gui/list_dialog.h"

#include <QAction>
#include <QComboBox>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <numeric>

namespace dn::gui {
namespace {

// Text on the marked rows: light on red, dark on yellow.
const QColor kMarkedText(Qt::white);
const QColor kMarkedCurrentText(Qt::black);

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// The rows of an order when it names every line once; otherwise the lines
// as they came.
std::vector<int> rowsOfOrder(const std::vector<ListOrder>& orders, int order, std::size_t lines) {
    std::vector<int> rows(lines);
    std::iota(rows.begin(), rows.end(), 0);
    if (order < 0 || order >= static_cast<int>(orders.size())) return rows;
    const std::vector<int>& wanted = orders[order].rows;
    std::vector<bool> seen(lines, false);
    if (wanted.size() != lines) return rows;
    for (int line : wanted) {
        if (line < 0 || line >= static_cast<int>(lines) || seen[line]) return rows;
        seen[line] = true;
    }
    return wanted;
}

}  // namespace

std::vector<QStringList> gridRows(const std::vector<std::string>& lines) {
    std::vector<QStringList> rows;
    rows.reserve(lines.size());
    for (const auto& line : lines) rows.push_back(qs(line).split(u'\t'));
    return rows;
}

ListDialog::ListDialog(const ListRequest& request, bool grid, QWidget* parent,
                       std::function<void(int)> help)
    : QDialog(parent), request_(request), grid_(grid), help_(std::move(help)) {
    setObjectName(grid ? "liste_grid" : "liste");
    setWindowTitle(qs(request.title));
    marked_ = request.marked;
    marked_.resize(request.lines.size(), false);
    rows_ = gridRows(request.lines);
    order_ = rowsOfOrder(grid ? request.orders : std::vector<ListOrder>{}, 0, rows_.size());

    auto* layout = new QVBoxLayout(this);
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    std::vector<QLabel*> labels;
    for (const auto& text : request.explanation) {
        auto* label = new QLabel(qs(text), this);
        label->setWordWrap(true);
        if (!grid) label->setFont(fixed);
        layout->addWidget(label);
        labels.push_back(label);
    }
    if (grid && (request.orders.size() > 1 || request.markMode)) addOrderChoice(layout);

    int columns = 1;
    for (const auto& r : rows_) columns = std::max(columns, static_cast<int>(r.size()));
    if (grid) columns = std::max(columns, static_cast<int>(request.columns.size()));
    model_ = new QStandardItemModel(static_cast<int>(rows_.size()), columns, this);
    fillRows();

    view_ = new QTableView(this);
    view_->setModel(model_);
    view_->setSelectionMode(QAbstractItemView::NoSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view_->verticalHeader()->hide();
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 4);
    view_->horizontalHeader()->setStretchLastSection(true);
    view_->horizontalHeader()->setSectionsClickable(false);
    view_->setShowGrid(grid);
    if (!grid) view_->setFont(fixed);
    if (grid && !request.columns.empty()) {
        for (int c = 0; c < static_cast<int>(request.columns.size()); ++c) {
            const ListColumn& column = request.columns[c];
            model_->setHeaderData(c, Qt::Horizontal, qs(column.title));
            if (column.alignRight)
                model_->setHeaderData(c, Qt::Horizontal,
                                      QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter),
                                      Qt::TextAlignmentRole);
        }
        sizeColumns();
    } else {
        view_->horizontalHeader()->hide();
    }
    view_->installEventFilter(this);
    layout->addWidget(view_);
    // The older picker's header line starts where the rows' text starts.
    if (!grid)
        for (QLabel* label : labels) label->setIndent(textIndent());

    connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& now, const QModelIndex&) {
                if (lastCurrent_ >= 0) paintRow(lastCurrent_);
                lastCurrent_ = now.row();
                if (lastCurrent_ >= 0) paintRow(lastCurrent_);
            });
    // A click only selects; a double click takes the line in pick mode.
    if (!request.markMode) connect(view_, &QTableView::doubleClicked, this, [this] { endWith(0); });

    const QString takeOverText = !request.takeOver.empty() ? qs(request.takeOver)
                                 : request.markMode        ? tr("&Ok")
                                                           : tr("Überne&hmen");
    view_->setContextMenuPolicy(Qt::ActionsContextMenu);
    markAction_ = new QAction(
        request.markMode ? tr("&Markieren\tLeertaste") : tr("&Nächste Zeile\tLeertaste"), view_);
    connect(markAction_, &QAction::triggered, this, [this] { toggleMark(currentRow()); });
    view_->addAction(markAction_);
    auto* takeOverAction = new QAction(takeOverText + tr("\tEingabetaste"), view_);
    connect(takeOverAction, &QAction::triggered, this, [this] { endWith(0); });
    view_->addAction(takeOverAction);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* ok = new QPushButton(takeOverText, this);
    ok->setObjectName("button_1");
    connect(ok, &QPushButton::clicked, this, [this] { endWith(0); });
    buttons->addWidget(ok);
    for (int tag : request.buttons) {
        auto* extra = new QPushButton(QStringLiteral("F%1").arg(tag - 10), this);
        extra->setObjectName(QStringLiteral("button_%1").arg(tag));
        connect(extra, &QPushButton::clicked, this, [this, tag] { endWith(tag); });
        buttons->addWidget(extra);
    }
    if (request.helpContext != 0 && help_) {
        auto* helpButton = new QPushButton(tr("&Hilfe"), this);
        helpButton->setObjectName("button_hilfe");
        connect(helpButton, &QPushButton::clicked, this, [this] { help_(request_.helpContext); });
        buttons->addWidget(helpButton);
    }
    auto* cancel = new QPushButton(tr("&Abbruch"), this);
    cancel->setObjectName("button_2");
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    for (int r = 0; r < model_->rowCount(); ++r) paintRow(r);
    if (model_->rowCount() > 0) {
        const int line = std::clamp(request.selected, 0, model_->rowCount() - 1);
        setCurrentRow(
            static_cast<int>(std::find(order_.begin(), order_.end(), line) - order_.begin()));
    }
    fitToScreen();
    view_->setFocus();
}

// Above the grid: the choice of the order and, in mark mode, how to mark.
void ListDialog::addOrderChoice(QVBoxLayout* layout) {
    auto* row = new QHBoxLayout;
    if (request_.orders.size() > 1) {
        auto* label = new QLabel(tr("&Sortierung:"), this);
        orders_ = new QComboBox(this);
        orders_->setObjectName("orders");
        for (const auto& order : request_.orders) orders_->addItem(qs(order.name));
        label->setBuddy(orders_);
        connect(orders_, &QComboBox::currentIndexChanged, this, &ListDialog::setOrder);
        row->addWidget(label);
        row->addWidget(orders_);
    }
    row->addStretch();
    if (request_.markMode) {
        auto* hint =
            new QLabel(tr("Markieren: Leertaste oder Kontextmenü (rechte Maustaste)"), this);
        hint->setObjectName("mark_hint");
        row->addWidget(hint);
    }
    layout->addLayout(row);
}

// Where the text of a row begins, from the list's left edge.
int ListDialog::textIndent() const {
    QStyleOptionViewItem option;
    option.initFrom(view_);
    option.rect = QRect(0, 0, 200, view_->verticalHeader()->defaultSectionSize());
    option.features = QStyleOptionViewItem::HasDisplay;
    if (request_.markMode) option.features |= QStyleOptionViewItem::HasCheckIndicator;
    option.text = QStringLiteral("x");
    const QRect text = view_->style()->subElementRect(QStyle::SE_ItemViewItemText, &option, view_);
    return view_->frameWidth() + text.left();
}

void ListDialog::fillRows() {
    for (int r = 0; r < static_cast<int>(order_.size()); ++r) {
        const QStringList& cells = rows_[order_[r]];
        for (int c = 0; c < model_->columnCount(); ++c) {
            auto* item = new QStandardItem(c < cells.size() ? cells[c] : QString());
            item->setEditable(false);
            const bool right = grid_ && c < static_cast<int>(request_.columns.size()) &&
                               request_.columns[c].alignRight;
            if (right) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            model_->setItem(r, c, item);
        }
    }
}

// Widths in characters of the font's digits, at least the widest cell, so
// that keys show whole.
void ListDialog::sizeColumns() {
    const QFontMetrics fm = view_->fontMetrics();
    const int charWidth = std::max(fm.averageCharWidth(), fm.horizontalAdvance(QLatin1Char('0')));
    const int margin = 2 * (view_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1) + 2;
    for (int c = 0; c < static_cast<int>(request_.columns.size()); ++c) {
        const int width =
            std::max({request_.columns[c].width * charWidth + margin,
                      static_cast<const QAbstractItemView*>(view_)->sizeHintForColumn(c),
                      view_->horizontalHeader()->sectionSizeHint(c)});
        view_->setColumnWidth(c, width);
    }
}

// The grid as wide as its columns, the dialog never larger than the screen;
// long lists scroll.
void ListDialog::fitToScreen() {
    int width = grid_ ? 720 : 640;
    if (grid_ && !request_.columns.empty()) {
        int columns = view_->verticalScrollBar()->sizeHint().width() + 2 * view_->frameWidth();
        for (int c = 0; c < model_->columnCount(); ++c) columns += view_->columnWidth(c);
        const QMargins m = layout()->contentsMargins();
        width = std::max(width, columns + m.left() + m.right());
    }
    int height = 480;
    const QScreen* screen =
        parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect available = screen->availableGeometry();
        width = std::min(width, available.width() - 40);
        height = std::min(height, available.height() - 60);
    }
    resize(width, height);
}

int ListDialog::currentRow() const {
    return view_->currentIndex().row();
}

void ListDialog::setCurrentRow(int row) {
    view_->setCurrentIndex(model_->index(row, 0));
    view_->scrollTo(model_->index(row, 0));
}

int ListDialog::lineOfRow(int row) const {
    return row >= 0 && row < static_cast<int>(order_.size()) ? order_[row] : -1;
}

bool ListDialog::isMarked(int row) const {
    const int line = lineOfRow(row);
    return line >= 0 && marked_[line];
}

void ListDialog::toggleMark(int row) {
    if (row < 0 || row >= model_->rowCount()) return;
    if (request_.markMode) {
        const int line = lineOfRow(row);
        marked_[line] = !marked_[line];
        paintRow(row);
    }
    if (row + 1 < model_->rowCount()) setCurrentRow(row + 1);
}

void ListDialog::setOrder(int order) {
    const int line = lineOfRow(currentRow());
    order_ = rowsOfOrder(request_.orders, order, rows_.size());
    fillRows();
    if (orders_ && orders_->currentIndex() != order) orders_->setCurrentIndex(order);
    if (line >= 0)
        setCurrentRow(
            static_cast<int>(std::find(order_.begin(), order_.end(), line) - order_.begin()));
    lastCurrent_ = currentRow();
    for (int r = 0; r < model_->rowCount(); ++r) paintRow(r);
}

QColor ListDialog::rowBackground(int row) const {
    const QVariant v = model_->data(model_->index(row, 0), Qt::BackgroundRole);
    return v.canConvert<QBrush>() ? v.value<QBrush>().color() : QColor();
}

QColor ListDialog::rowForeground(int row) const {
    const QVariant v = model_->data(model_->index(row, 0), Qt::ForegroundRole);
    return v.canConvert<QBrush>() ? v.value<QBrush>().color() : QColor();
}

void ListDialog::paintRow(int row) {
    const bool current = row == currentRow();
    const bool marked = isMarked(row);
    QBrush background;
    QBrush foreground;
    if (grid_ && marked) {
        background = current ? kMarkedCurrentColour : kMarkedColour;
        foreground = current ? kMarkedCurrentText : kMarkedText;
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
    r.selected = r.ok ? lineOfRow(currentRow()) : request_.selected;
    r.button = button_;
    // Marks are taken as they are set, also when the list is left with Escape.
    r.marked = request_.markMode ? marked_ : request_.marked;
    return r;
}

bool ListDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Space) {
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
        if (key == Qt::Key_F1 && request_.helpContext != 0 && help_) {
            help_(request_.helpContext);
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

}  // namespace dn::gui
