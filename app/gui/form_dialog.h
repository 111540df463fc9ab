#pragma once
// An entry dialog rendered from its form description. The user's edits go
// to the form through its hooks (enterField, setValue, leaveField, press);
// after every hook the controls show the description again. F1..F10 are
// the buttons 11..20, Escape is button 10 or else cancel. The dialog fits
// the screen: what does not fit scrolls above the buttons.

#include <QDialog>
#include <exception>
#include <functional>
#include <map>
#include <vector>

#include "gui/form_controls.h"
#include "host/entry_form.h"

class QFormLayout;
class QPushButton;

namespace dn::gui {

class FittingScrollArea;

// The button a key presses in `form`, 0 for none. F1 without a button 11
// is help (-1).
constexpr int kHelpKey = -1;
int buttonForKey(int qtKey, const EntryForm& form);

class FormDialog : public QDialog {
    Q_OBJECT
  public:
    // `help` opens the manual at a context number.
    FormDialog(EntryForm& form, QWidget* parent, std::function<void(int)> help);

    // An error a hook raised; runForm raises it again after the dialog.
    std::exception_ptr failure() const { return failure_; }

    QWidget* fieldWidget(int tag) const;
    QPushButton* buttonWidget(int tag) const;
    // A button click or its key: hands over the typed text, presses.
    void pressButton(int tag);
    // Shows the form's description again.
    void refresh();

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void build();
    // The editor, or a row holding it with the buttons placed beside it.
    QWidget* fieldRow(const FieldControl& c, QWidget* parent);
    QPushButton* makeButton(const FormButton& b, QWidget* parent);
    void fitToRoom();
    void growToContents();
    FieldControl* controlOf(int tag);
    FieldControl* controlOwning(const QWidget* widget);
    bool handleKey(int qtKey);
    void onFocusIn(int tag);
    void onFocusOut(int tag, QWidget* next);
    void onChoiceChanged(int tag);
    // Typed text to the form; false (message shown) when it is refused.
    bool commit(int tag);
    // Runs a hook; an input error is shown, any other error ends the dialog.
    bool guarded(const std::function<void()>& hook);
    void moveFocusTo(int tag);
    void finishIfClosed();
    void showError(const QString& text);

    EntryForm& form_;
    std::function<void(int)> help_;
    FittingScrollArea* area_ = nullptr;
    QFormLayout* fieldsLayout_ = nullptr;
    std::map<int, QWidget*> rows_;  // field tag -> the widget of its row
    std::vector<FieldControl> fields_;
    std::map<int, QPushButton*> buttons_;
    std::exception_ptr failure_;
    int current_ = 0;       // field entered and not yet left
    int pendingFocus_ = 0;  // field the focus is being moved to
    bool inHook_ = false;
    bool firstShow_ = true;
};

}  // namespace dn::gui
