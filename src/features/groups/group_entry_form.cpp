#include "features/groups/group_entry_form.h"

#include "common/discount_group.h"
#include "common/session.h"
#include "features/groups/group_commands.h"
#include "features/groups/group_format.h"
#include "host/host_services.h"

namespace dn {
namespace {

// Field 100 holds the group code in both dialogs.
constexpr int kCodeField = 100;

}  // namespace

GroupEntryForm::GroupEntryForm(Session& s, std::string formClass, std::string caption,
                               int codeLength)
    : EntryForm(std::move(formClass), std::move(caption)),
      s_(s),
      code_("    "),
      codeLength_(codeLength) {}

void GroupEntryForm::SetupWindow() {
    resetCode();
    clearRecord();
    enterCodeEntry();
}

std::string GroupEntryForm::currentKey() const {
    return GroupKey(s_.ArticlePrefix, cleanCode(code_));
}

void GroupEntryForm::resetCode() {
    code_ = "    ";
}

void GroupEntryForm::enterCodeEntry() {
    editing_ = false;
    for (const auto& f : fields()) ProtectControl(f.tag, f.tag != kCodeField);
    EnableButton(kGroupList, true);
    ChangeFocus(kCodeField);
}

void GroupEntryForm::enterEditing() {
    editing_ = true;
    for (const auto& f : fields()) ProtectControl(f.tag, f.tag == kCodeField);
    EnableButton(kGroupList, false);
    ChangeFocus(kCodeField + 1);
}

void GroupEntryForm::PostEdit(int tag) {
    if (tag != kCodeField || editing_) return;
    TransferData(1);
    if (trimGroupText(code_).empty()) {
        ChangeFocus(kCodeField);
        return;
    }
    code_ = cleanCode(code_);
    key_ = currentKey();
    clearRecord();
    readRecord(key_);
    enterEditing();
    TransferData(2);
}

bool GroupEntryForm::Ende() {
    if (!editing_) return true;
    takeFields();
    writeRecord(key_);
    resetCode();
    clearRecord();
    enterCodeEntry();
    TransferData(2);
    return false;
}

bool GroupEntryForm::CanClose() {
    if (editing_ && host()->janein("Sollen die geänderten Daten gespeichert werden?")) {
        TransferData(1);
        takeFields();
        writeRecord(key_);
    }
    return true;
}

bool GroupEntryForm::ButtonPressed(int tag) {
    switch (tag) {
        case kF1:
            host()->hilfe(helpContext);
            break;
        case kGroupList:
            if (!editing_) {
                if (auto key = pickKey()) {
                    code_ = padGroupTextMin(codeOfKey(*key, s_.ArticlePrefix, codeLength_), 4);
                    clearRecord();
                    readRecord(*key);
                    TransferData(2);
                }
                ChangeFocus(kCodeField);
            }
            break;
        case kGroupDelete: {
            TransferData(1);
            const std::string key = editing_ ? key_ : currentKey();
            if (!key.empty() && trimGroupText(cleanCode(code_)) != "" && readRecord(key) &&
                host()->janein(deleteQuestion())) {
                deleteRecord(key);
                clearRecord();
                resetCode();
            }
            enterCodeEntry();
            TransferData(2);
            break;
        }
        default:
            break;
    }
    return false;
}

}  // namespace dn
