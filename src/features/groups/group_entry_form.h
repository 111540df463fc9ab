#pragma once
// The two-state entry dialog shared by the discount and product groups:
// code entry (field 100 and the group list open, the other fields locked)
// and editing (field 100 and the list locked). "&Ende" saves and returns to
// code entry, or closes the dialog in code entry; "&Löschen" deletes the
// group after a question in either state.

#include <optional>
#include <string>

#include "host/entry_form.h"

namespace dn {

struct Session;

class GroupEntryForm : public EntryForm {
  public:
    GroupEntryForm(Session& s, std::string formClass, std::string caption, int codeLength);
    bool editing() const { return editing_; }
    const std::string& key() const { return key_; }

  protected:
    // The group's record: reset to the defaults, read (false when the key
    // is missing), write, delete.
    virtual void clearRecord() = 0;
    virtual bool readRecord(const std::string& key) = 0;
    virtual void writeRecord(const std::string& key) = 0;
    virtual bool deleteRecord(const std::string& key) = 0;
    // The key chosen in the group list, if any.
    virtual std::optional<std::string> pickKey() = 0;
    virtual std::string deleteQuestion() const = 0;
    // The code as typed, cleaned for the key (underscores of the discount
    // dialog become blanks).
    virtual std::string cleanCode(std::string code) const { return code; }

    void SetupWindow() override;
    void PostEdit(int tag) override;
    bool Ende() override;
    bool CanClose() override;
    bool ButtonPressed(int tag) override;

    // Called after the fields were taken from the controls, before the
    // record is written (e.g. to check a field).
    virtual void takeFields() {}

    Session& s_;
    std::string code_;

  private:
    void enterCodeEntry();
    void enterEditing();
    void resetCode();
    std::string currentKey() const;

    int codeLength_;
    std::string key_;
    bool editing_ = false;
};

}  // namespace dn
