#pragma once
// The controls of one entry-dialog field, made from its description: a
// check box, a line, a radio group, a list box, a display label or a text
// view. They show the field's contents and hand the edited text back in
// the form's notation ("1"/"0", the item index, the text).

#include <QList>
#include <QString>
#include <functional>

#include "host/entry_form.h"

class QButtonGroup;
class QLabel;
class QWidget;

namespace dn::gui {

struct FieldControl {
    int tag = 0;
    FieldKind kind = FieldKind::String;
    QLabel* label = nullptr;     // beside the editor; none for check boxes and radio groups
    QWidget* editor = nullptr;   // the row's control
    QList<QWidget*> focusables;  // widgets whose focus is the field's focus
    QButtonGroup* radios = nullptr;
    QLabel* note = nullptr;  // the field's explanation below it, when it has one

    // Control contents in the form's notation.
    QString text() const;
    // Shows the field's value, label, hint and protection.
    void show(const FormField& field);
    // Typed text is handed over when the field is left; choices at once.
    bool isTextEntry() const;
    bool owns(const QWidget* widget) const;
};

// Builds the controls; `changed` runs when a choice control changes.
FieldControl makeFieldControl(const FormField& field, QWidget* parent,
                              const std::function<void()>& changed);

// Whether a key moves on to the next field (Return in a line, as in the host).
bool movesToNextField(int qtKey);

}  // namespace dn::gui
