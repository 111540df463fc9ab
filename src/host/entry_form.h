#pragma once
// The host's entry dialog as a data description: data fields numbered by
// tag (100 and up) and bound to variables, numbered buttons (1 OK,
// 2 cancel, 10 end with saving, 11..20 the keys F1..F10) and the hooks a
// dialog overrides. Every front end renders the same description.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace dn {

class HostServices;

enum class FieldKind {
    YesNo,       // check box, bool
    String,      // text with maximum length
    Word,        // 16-bit unsigned
    Integer,     // 16/32-bit signed
    Char,        // one character
    Date,        // host day number, shown "dd.mm.yyyy"
    Real,        // number with decimals
    RadioGroup,  // index into the item list
    List,        // list box, index into the item list
    Display,     // shown only
    TextView,    // shown only: a long multi-line text in a fixed-pitch font, its end in view
};

struct FormField {
    int tag = 0;
    FieldKind kind = FieldKind::String;
    std::string label;
    int maxLength = 0;               // String: characters; 0 = unlimited
    std::vector<std::string> items;  // RadioGroup, List
    std::string hint;
    bool hidden = false;
    bool protectedField = false;
    std::string value;                             // the control's contents, UTF-8
    std::function<std::string()> load;             // variable -> control text
    std::function<void(const std::string&)> save;  // control text -> variable
};

struct FormButton {
    int tag = 0;
    std::string caption;
    std::string hint;
    bool hidden = false;
    bool disabled = false;
    int besideField = 0;  // the field whose row holds the button; 0 = the button row
};

enum ButtonTag : int { kOk = 1, kCancel = 2, kEndSave = 10, kF1 = 11, kF2 = 12, kF8 = 18 };

class EntryForm {
  public:
    EntryForm(std::string formClass, std::string caption);
    virtual ~EntryForm() = default;
    EntryForm(const EntryForm&) = delete;
    EntryForm& operator=(const EntryForm&) = delete;

    // Binding of variables to fields.
    void AddYesNo(int tag, std::string label, bool& var);
    void AddString(int tag, std::string label, std::string& var, int maxLength);
    void AddWord(int tag, std::string label, std::uint16_t& var);
    void AddInteger(int tag, std::string label, int& var);
    void AddLongInt(int tag, std::string label, long& var);
    void AddChar(int tag, std::string label, char& var);
    void AddDate(int tag, std::string label, std::uint16_t& dayNumber);
    void AddReal(int tag, std::string label, double& var, int decimals = 2);
    void AddRadioGroup(int tag, std::string label, std::vector<std::string> items, int& index);
    void AddList(int tag, std::string label, std::vector<std::string> items, int& index);
    void AddDisplay(int tag, std::string label, std::function<std::string()> text);
    void AddTextView(int tag, std::string label, std::function<std::string()> text);
    void AddButton(int tag, std::string caption, std::string hint = {});
    void AddExplanation(std::string text) { explanations_.push_back(std::move(text)); }
    // Shows a button in the row of a field (a chooser beside its line).
    void PlaceButtonBeside(int buttonTag, int fieldTag);

    // Description for the front ends.
    const std::string& formClass() const { return formClass_; }
    const std::string& caption() const { return caption_; }
    void setCaption(std::string c) { caption_ = std::move(c); }
    const std::vector<std::string>& explanations() const { return explanations_; }
    const std::vector<FormField>& fields() const { return fields_; }
    const std::vector<FormButton>& buttons() const { return buttons_; }
    FormField* field(int tag);
    const FormField* field(int tag) const;
    FormButton* button(int tag);
    int helpContext = 0;
    // The dialog opens maximised (a viewer of a long text).
    bool maximised = false;
    // The button the command line presses when no button is named.
    int defaultButton = kOk;
    // A question asked along the way (the sub-directory question): scripts
    // answer it by its class name only; the values meant for the command's
    // first dialog pass it by.
    bool sideQuestion = false;

    // Control contents. setValue checks the text against the field's kind
    // and raises InputError for a value the control would not take.
    const std::string& value(int tag) const;
    void setValue(int tag, std::string text);

    // 1 = controls to variables, 2 = variables to controls.
    virtual void TransferData(int direction);

    // The front end's calls while the dialog runs.
    void open();               // SetupWindow, then variables to controls
    void enterField(int tag);  // PreEdit
    void leaveField(int tag);  // PostEdit
    // Presses a button; returns true when the dialog closes with it.
    bool press(int tag);
    bool closed() const { return closedWith_.has_value(); }
    int result() const { return closedWith_.value_or(kCancel); }
    // Closing from outside (window closed): returns true when it may close.
    bool requestClose();
    // Why the dialog last refused to end with its values (OK or end with
    // saving), as its message said; nothing when it never refused.
    const std::optional<std::string>& refusal() const { return refusal_; }

    // Shows the dialog through the host and returns true when it ended with
    // OK or "end with saving".
    bool Execute(HostServices& host);

    // Helpers for the hooks.
    void ChangeFocus(int tag) { focus_ = tag; }
    int focus() const { return focus_; }
    void ProtectControl(int tag, bool on);
    void HideControl(int tag, bool on);
    void EnableButton(int tag, bool on);
    // Ends the dialog with a button from inside a hook.
    void closeWith(int tag) { closedWith_ = tag; }

  protected:
    virtual void SetupWindow() {}
    virtual void DeSetupWindow() {}
    virtual void PreEdit(int tag) {}
    virtual void PostEdit(int tag) {}
    // Return false to keep the dialog open.
    virtual bool OK() { return true; }
    virtual bool Ende() { return true; }
    // Buttons other than 1, 2 and 10 (and the F-keys); return true to close.
    virtual bool ButtonPressed(int tag) { return false; }
    // Closing the window in another way; return true when it may close.
    virtual bool CanClose() { return true; }
    // For OK() and Ende(): the values were refused (the hook showed why);
    // returns false, so that the dialog stays open.
    bool Refused(std::string why) {
        refusal_ = std::move(why);
        return false;
    }

    HostServices* host() const { return host_; }

  private:
    FormField& addField(int tag, FieldKind kind, std::string label);
    std::string formClass_;
    std::string caption_;
    std::vector<std::string> explanations_;
    std::vector<FormField> fields_;
    std::vector<FormButton> buttons_;
    std::optional<int> closedWith_;
    std::optional<std::string> refusal_;
    int focus_ = 0;
    HostServices* host_ = nullptr;
};

}  // namespace dn
