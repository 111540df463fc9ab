#include "gui/form_controls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "gui/text_view.h"

namespace dn::gui {
namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

FieldControl makeLine(const FormField& f, QWidget* parent) {
    FieldControl c;
    auto* edit = new QLineEdit(parent);
    if (f.maxLength > 0) edit->setMaxLength(f.maxLength);
    if (f.kind == FieldKind::Date) edit->setPlaceholderText(QObject::tr("TT.MM.JJJJ"));
    if (f.kind == FieldKind::Word || f.kind == FieldKind::Integer || f.kind == FieldKind::Real)
        edit->setAlignment(Qt::AlignRight);
    c.label = new QLabel(qs(f.label), parent);
    c.label->setBuddy(edit);
    c.editor = edit;
    c.focusables = {edit};
    return c;
}

FieldControl makeCheck(const FormField& f, QWidget* parent, const std::function<void()>& changed) {
    FieldControl c;
    auto* box = new QCheckBox(qs(f.label), parent);
    QObject::connect(box, &QCheckBox::toggled, box, [changed](bool) { changed(); });
    c.editor = box;
    c.focusables = {box};
    return c;
}

FieldControl makeRadios(const FormField& f, QWidget* parent, const std::function<void()>& changed) {
    FieldControl c;
    auto* group = new QGroupBox(qs(f.label), parent);
    auto* layout = new QVBoxLayout(group);
    c.radios = new QButtonGroup(group);
    for (std::size_t i = 0; i < f.items.size(); ++i) {
        auto* radio = new QRadioButton(qs(f.items[i]), group);
        c.radios->addButton(radio, static_cast<int>(i));
        layout->addWidget(radio);
        c.focusables.push_back(radio);
    }
    QObject::connect(c.radios, &QButtonGroup::idClicked, group, [changed](int) { changed(); });
    c.editor = group;
    return c;
}

FieldControl makeCombo(const FormField& f, QWidget* parent, const std::function<void()>& changed) {
    FieldControl c;
    auto* combo = new QComboBox(parent);
    for (const auto& item : f.items) combo->addItem(qs(item));
    QObject::connect(combo, &QComboBox::currentIndexChanged, combo, [changed](int) { changed(); });
    c.label = new QLabel(qs(f.label), parent);
    c.label->setBuddy(combo);
    c.editor = combo;
    c.focusables = {combo};
    return c;
}

FieldControl makeDisplay(const FormField& f, QWidget* parent) {
    FieldControl c;
    auto* text = new QLabel(parent);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    c.label = new QLabel(qs(f.label), parent);
    c.editor = text;
    return c;
}

FieldControl makeTextView(const FormField& f, QWidget* parent) {
    FieldControl c;
    if (!f.label.empty()) c.label = new QLabel(qs(f.label), parent);
    c.editor = new TextView(parent);
    return c;
}

}  // namespace

FieldControl makeFieldControl(const FormField& field, QWidget* parent,
                              const std::function<void()>& changed) {
    FieldControl c;
    switch (field.kind) {
        case FieldKind::YesNo:
            c = makeCheck(field, parent, changed);
            break;
        case FieldKind::RadioGroup:
            c = makeRadios(field, parent, changed);
            break;
        case FieldKind::List:
            c = makeCombo(field, parent, changed);
            break;
        case FieldKind::Display:
            c = makeDisplay(field, parent);
            break;
        case FieldKind::TextView:
            c = makeTextView(field, parent);
            break;
        default:
            c = makeLine(field, parent);
            break;
    }
    c.tag = field.tag;
    c.kind = field.kind;
    c.editor->setObjectName(QStringLiteral("field_%1").arg(field.tag));
    return c;
}

QString FieldControl::text() const {
    switch (kind) {
        case FieldKind::YesNo:
            return static_cast<QCheckBox*>(editor)->isChecked() ? QStringLiteral("1")
                                                                : QStringLiteral("0");
        case FieldKind::RadioGroup:
            return QString::number(std::max(0, radios->checkedId()));
        case FieldKind::List:
            return QString::number(std::max(0, static_cast<QComboBox*>(editor)->currentIndex()));
        case FieldKind::Display:
            return static_cast<QLabel*>(editor)->text();
        case FieldKind::TextView:
            return static_cast<TextView*>(editor)->toPlainText();
        default:
            return static_cast<QLineEdit*>(editor)->text();
    }
}

void FieldControl::show(const FormField& field) {
    const QString value = qs(field.value);
    const bool locked = field.protectedField;
    if (label && field.kind != FieldKind::Display) label->setText(qs(field.label));
    editor->setToolTip(qs(field.hint));
    if (note) note->setText(qs(field.hint));
    switch (kind) {
        case FieldKind::YesNo: {
            auto* box = static_cast<QCheckBox*>(editor);
            QSignalBlocker block(box);
            box->setText(qs(field.label));
            box->setChecked(value == u"1");
            box->setEnabled(!locked);
            break;
        }
        case FieldKind::RadioGroup: {
            QSignalBlocker block(radios);
            if (QAbstractButton* b = radios->button(value.toInt())) b->setChecked(true);
            editor->setEnabled(!locked);
            break;
        }
        case FieldKind::List: {
            auto* combo = static_cast<QComboBox*>(editor);
            QSignalBlocker block(combo);
            combo->setCurrentIndex(value.toInt());
            combo->setEnabled(!locked);
            break;
        }
        case FieldKind::Display:
            static_cast<QLabel*>(editor)->setText(value);
            break;
        case FieldKind::TextView: {
            QString text = value;
            text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            static_cast<TextView*>(editor)->showText(text);
            break;
        }
        default: {
            auto* edit = static_cast<QLineEdit*>(editor);
            QSignalBlocker block(edit);
            if (edit->text() != value) edit->setText(value);
            // A protected line is greyed and skipped by Tab.
            edit->setReadOnly(locked);
            edit->setEnabled(!locked);
            break;
        }
    }
}

bool FieldControl::isTextEntry() const {
    return kind != FieldKind::YesNo && kind != FieldKind::RadioGroup && kind != FieldKind::List &&
           kind != FieldKind::Display && kind != FieldKind::TextView;
}

bool FieldControl::owns(const QWidget* widget) const {
    for (const QWidget* w : focusables)
        if (w == widget) return true;
    return false;
}

bool movesToNextField(int qtKey) {
    return qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter;
}

}  // namespace dn::gui
