#include "gui/form_dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "gui/screen_fit.h"
#include "host/errors.h"

namespace dn::gui {
namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

bool hasButton(const EntryForm& form, int tag) {
    for (const auto& b : form.buttons())
        if (b.tag == tag && !b.hidden) return true;
    return false;
}

// Sets a flag for the duration of a hook call.
class FlagScope {
  public:
    explicit FlagScope(bool& flag) : flag_(flag), saved_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = saved_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

  private:
    bool& flag_;
    bool saved_;
};

}  // namespace

int buttonForKey(int qtKey, const EntryForm& form) {
    if (qtKey == Qt::Key_Escape) return hasButton(form, kEndSave) ? kEndSave : kCancel;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F10) {
        const int tag = kF1 + (qtKey - Qt::Key_F1);
        if (hasButton(form, tag)) return tag;
        return qtKey == Qt::Key_F1 ? kHelpKey : 0;
    }
    return 0;
}

FormDialog::FormDialog(EntryForm& form, QWidget* parent, std::function<void(int)> help)
    : QDialog(parent), form_(form), help_(std::move(help)) {
    setObjectName(qs(form.formClass()));
    build();
    refresh();
    fitToRoom();
}

void FormDialog::build() {
    auto* layout = new QVBoxLayout(this);
    // Explanations and fields scroll when the screen is too small for
    // them; the buttons stay in view below.
    area_ = new FittingScrollArea(this);
    auto* content = new QWidget(area_);
    auto* contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    for (const auto& text : form_.explanations()) {
        auto* label = new QLabel(qs(text), content);
        label->setWordWrap(true);
        contentLayout->addWidget(label);
    }
    fieldsLayout_ = new QFormLayout;
    contentLayout->addLayout(fieldsLayout_);
    const auto& fields = form_.fields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const FormField& f = fields[i];
        const int tag = f.tag;
        fields_.push_back(makeFieldControl(f, content, [this, tag] { onChoiceChanged(tag); }));
        FieldControl& c = fields_.back();
        QWidget* row = fieldRow(c, content);
        rows_[tag] = row;
        if (c.label)
            fieldsLayout_->addRow(c.label, row);
        else
            fieldsLayout_->addRow(row);
        for (QWidget* w : c.focusables) w->installEventFilter(this);
        // The explanation beside a field; fields sharing one show it once,
        // after the last of them.
        const bool sharedWithNext = i + 1 < fields.size() && fields[i + 1].hint == f.hint;
        if (!f.hint.empty() && !sharedWithNext) {
            c.note = new QLabel(qs(f.hint), content);
            c.note->setObjectName(QStringLiteral("note_%1").arg(tag));
            c.note->setWordWrap(true);
            c.note->setStyleSheet(QStringLiteral("color: #505050;"));
            fieldsLayout_->addRow(c.note);
        }
    }
    area_->setWidget(content);
    layout->addWidget(area_, 1);
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (const auto& b : form_.buttons())
        if (b.besideField == 0 || !form_.field(b.besideField)) row->addWidget(makeButton(b, this));
    layout->addLayout(row);
}

QWidget* FormDialog::fieldRow(const FieldControl& c, QWidget* parent) {
    std::vector<const FormButton*> beside;
    for (const auto& b : form_.buttons())
        if (b.besideField == c.tag) beside.push_back(&b);
    if (beside.empty()) return c.editor;
    auto* row = new QWidget(parent);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(c.editor, 1);
    for (const FormButton* b : beside) line->addWidget(makeButton(*b, row));
    return row;
}

QPushButton* FormDialog::makeButton(const FormButton& b, QWidget* parent) {
    auto* button = new QPushButton(qs(b.caption), parent);
    button->setObjectName(QStringLiteral("button_%1").arg(b.tag));
    button->setAutoDefault(false);
    // A key's button clicked acts as its key: the field being edited keeps
    // the focus and is not left (the list of the number entry stays usable).
    if (b.tag >= kF1 && b.tag < kF1 + 10) button->setFocusPolicy(Qt::TabFocus);
    const int tag = b.tag;
    connect(button, &QPushButton::clicked, this, [this, tag] { pressButton(tag); });
    buttons_[b.tag] = button;
    return button;
}

// Rows shown later (the editing state) make the open dialog taller, as far
// as the room allows, before its contents scroll.
void FormDialog::growToContents() {
    if (!isVisible() || isMaximized()) return;
    area_->widget()->layout()->activate();
    const int missing = area_->sizeHint().height() - area_->height();
    if (missing > 0) resize(width(), std::min(height() + missing, dialogRoom(this).height()));
}

// The scroll area as large as the room leaves beside the buttons and the
// margins, the dialog as large as its contents within the room.
void FormDialog::fitToRoom() {
    area_->widget()->layout()->activate();
    const QSize others = QDialog::sizeHint() - area_->sizeHint();
    const QMargins m = layout()->contentsMargins();
    area_->setLimit(QSize(dialogRoom(this).width() - m.left() - m.right(),
                          dialogRoom(this).height() - others.height()));
    fitToScreen(*this);
    if (form_.maximised) setWindowState(windowState() | Qt::WindowMaximized);
}

void FormDialog::refresh() {
    setWindowTitle(qs(form_.caption()));
    for (auto& c : fields_) {
        const FormField* f = form_.field(c.tag);
        if (!f) continue;
        c.show(*f);
        fieldsLayout_->setRowVisible(rows_.at(c.tag), !f->hidden);
        if (c.note) fieldsLayout_->setRowVisible(c.note, !f->hidden);
    }
    growToContents();
    for (const auto& b : form_.buttons()) {
        QPushButton* button = buttons_.at(b.tag);
        button->setText(qs(b.caption));
        button->setToolTip(qs(b.hint));
        button->setVisible(!b.hidden);
        button->setEnabled(!b.disabled);
    }
}

QWidget* FormDialog::fieldWidget(int tag) const {
    for (const auto& c : fields_)
        if (c.tag == tag) return c.editor;
    return nullptr;
}

QPushButton* FormDialog::buttonWidget(int tag) const {
    auto it = buttons_.find(tag);
    return it == buttons_.end() ? nullptr : it->second;
}

FieldControl* FormDialog::controlOf(int tag) {
    for (auto& c : fields_)
        if (c.tag == tag) return &c;
    return nullptr;
}

FieldControl* FormDialog::controlOwning(const QWidget* widget) {
    for (auto& c : fields_)
        if (c.owns(widget)) return &c;
    return nullptr;
}

bool FormDialog::guarded(const std::function<void()>& hook) {
    FlagScope scope(inHook_);
    try {
        hook();
        return true;
    } catch (const InputError& e) {
        showError(QString::fromUtf8(e.what()));
    } catch (...) {
        failure_ = std::current_exception();
        QDialog::done(QDialog::Rejected);
    }
    return false;
}

void FormDialog::showError(const QString& text) {
    FlagScope scope(inHook_);
    QMessageBox::warning(this, windowTitle(), text);
}

bool FormDialog::commit(int tag) {
    FieldControl* c = controlOf(tag);
    if (!c || !c->isTextEntry()) return true;
    const FormField* f = form_.field(tag);
    if (!f || f->protectedField) return true;
    const std::string text = c->text().toStdString();
    if (text == f->value) return true;
    return guarded([&] { form_.setValue(tag, text); });
}

void FormDialog::onChoiceChanged(int tag) {
    if (!controlOf(tag)) return;
    const std::string text = controlOf(tag)->text().toStdString();
    guarded([&] { form_.setValue(tag, text); });
    refresh();
}

void FormDialog::onFocusIn(int tag) {
    if (inHook_ || failure_) return;
    if (pendingFocus_ != 0 && tag != pendingFocus_) return;
    pendingFocus_ = 0;
    if (tag == current_) return;
    current_ = tag;
    guarded([&] { form_.enterField(tag); });
    refresh();
    finishIfClosed();
    if (form_.focus() != tag) moveFocusTo(form_.focus());
}

void FormDialog::onFocusOut(int tag, QWidget* next) {
    if (inHook_ || failure_ || tag != current_) return;
    // Leaving the window (a message, another window) is not leaving the field.
    if (!next || next->window() != this) return;
    FieldControl* target = controlOwning(next);
    if (target && target->tag == tag) return;
    if (!commit(tag)) {
        moveFocusTo(tag);
        return;
    }
    const int nextTag = target ? target->tag : 0;
    current_ = 0;
    form_.ChangeFocus(nextTag);
    guarded([&] { form_.leaveField(tag); });
    refresh();
    finishIfClosed();
    if (form_.focus() != nextTag && form_.focus() != 0) moveFocusTo(form_.focus());
}

void FormDialog::moveFocusTo(int tag) {
    FieldControl* c = controlOf(tag);
    if (!c || c->focusables.isEmpty()) return;
    pendingFocus_ = tag;
    if (tag == current_) current_ = 0;
    QWidget* target = c->focusables.front();
    if (c->radios && c->radios->checkedButton()) target = c->radios->checkedButton();
    QTimer::singleShot(0, target, [target] { target->setFocus(Qt::OtherFocusReason); });
}

void FormDialog::pressButton(int tag) {
    if (inHook_ || failure_) return;
    // Typed text goes over also when a key presses the button and the
    // focus stays in the line.
    for (const auto& c : fields_)
        if (!commit(c.tag)) {
            moveFocusTo(c.tag);
            return;
        }
    const int focusBefore = form_.focus();
    guarded([&] { form_.press(tag); });
    if (failure_) return;
    refresh();
    finishIfClosed();
    if (form_.closed()) return;
    const int focus = form_.focus();
    FieldControl* wanted = controlOf(focus);
    if (wanted && (focus != focusBefore || !wanted->owns(QApplication::focusWidget())))
        moveFocusTo(focus);
}

void FormDialog::finishIfClosed() {
    if (form_.closed() && isVisible())
        QDialog::done(form_.result() == kOk || form_.result() == kEndSave ? Accepted : Rejected);
}

bool FormDialog::handleKey(int qtKey) {
    const int tag = buttonForKey(qtKey, form_);
    if (tag == kHelpKey) {
        if (help_) help_(form_.helpContext);
        return true;
    }
    if (tag == 0) return false;
    pressButton(tag);
    return true;
}

void FormDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!firstShow_) return;
    firstShow_ = false;
    if (form_.focus() != 0) moveFocusTo(form_.focus());
}

void FormDialog::keyPressEvent(QKeyEvent* event) {
    if (handleKey(event->key())) return;
    QDialog::keyPressEvent(event);
}

void FormDialog::reject() {
    handleKey(Qt::Key_Escape);
}

void FormDialog::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (form_.closed() || failure_) {
        QDialog::done(Rejected);
        return;
    }
    if (inHook_) return;
    guarded([&] { form_.requestClose(); });
    finishIfClosed();
}

bool FormDialog::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    FieldControl* c = widget ? controlOwning(widget) : nullptr;
    if (!c) return QDialog::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::FocusIn:
            onFocusIn(c->tag);
            break;
        case QEvent::FocusOut:
            onFocusOut(c->tag, QApplication::focusWidget());
            break;
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (handleKey(key)) return true;
            if (movesToNextField(key) && c->isTextEntry()) {
                focusNextChild();
                return true;
            }
            break;
        }
        default:
            break;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace dn::gui
