#include "host/entry_form.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "host/codepage.h"
#include "host/day_number.h"
#include "host/errors.h"
#include "host/host_services.h"

namespace dn {
namespace {

template <typename T>
T parseNumber(const std::string& text, const std::string& label) {
    std::string t = text;
    while (!t.empty() && t.front() == ' ') t.erase(t.begin());
    while (!t.empty() && t.back() == ' ') t.pop_back();
    if (t.empty()) return T{};
    T v{};
    auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (ec != std::errc{} || p != t.data() + t.size())
        throw InputError("Ungültige Zahl für \"" + label + "\": " + text);
    return v;
}

double parseReal(const std::string& text, const std::string& label) {
    std::string t;
    for (char c : text)
        if (c != ' ') t += c == ',' ? '.' : c;
    if (t.empty()) return 0.0;
    char* end = nullptr;
    double v = std::strtod(t.c_str(), &end);
    if (end != t.c_str() + t.size())
        throw InputError("Ungültige Zahl für \"" + label + "\": " + text);
    return v;
}

// "dd.mm.yyyy"; blank is day 0 (no date).
std::uint16_t parseDate(const std::string& t, const std::string& label) {
    if (t.find_first_not_of(' ') == std::string::npos) return 0;
    int d = 0, m = 0, y = 0;
    if (std::sscanf(t.c_str(), "%d.%d.%d", &d, &m, &y) != 3 || !isValidDate(Date{y, m, d}))
        throw InputError("Ungültiges Datum für \"" + label + "\": " + t);
    return toDayNumber(Date{y, m, d});
}

int parseIndex(const std::string& text, const FormField& f) {
    for (std::size_t i = 0; i < f.items.size(); ++i)
        if (f.items[i] == text) return static_cast<int>(i);
    return parseNumber<int>(text, f.label);
}

}  // namespace

EntryForm::EntryForm(std::string formClass, std::string caption)
    : formClass_(std::move(formClass)), caption_(std::move(caption)) {}

FormField& EntryForm::addField(int tag, FieldKind kind, std::string label) {
    FormField f;
    f.tag = tag;
    f.kind = kind;
    f.label = std::move(label);
    fields_.push_back(std::move(f));
    return fields_.back();
}

void EntryForm::AddYesNo(int tag, std::string label, bool& var) {
    auto& f = addField(tag, FieldKind::YesNo, std::move(label));
    f.load = [&var] { return std::string(var ? "1" : "0"); };
    f.save = [&var](const std::string& t) { var = t == "1"; };
}

void EntryForm::AddString(int tag, std::string label, std::string& var, int maxLength) {
    auto& f = addField(tag, FieldKind::String, std::move(label));
    f.maxLength = maxLength;
    f.load = [&var] { return var; };
    f.save = [&var](const std::string& t) { var = t; };
}

void EntryForm::AddWord(int tag, std::string label, std::uint16_t& var) {
    auto& f = addField(tag, FieldKind::Word, std::move(label));
    f.load = [&var] { return std::to_string(var); };
    f.save = [&var, l = f.label](const std::string& t) { var = parseNumber<std::uint16_t>(t, l); };
}

void EntryForm::AddInteger(int tag, std::string label, int& var) {
    auto& f = addField(tag, FieldKind::Integer, std::move(label));
    f.load = [&var] { return std::to_string(var); };
    f.save = [&var, l = f.label](const std::string& t) { var = parseNumber<int>(t, l); };
}

void EntryForm::AddLongInt(int tag, std::string label, long& var) {
    auto& f = addField(tag, FieldKind::Integer, std::move(label));
    f.load = [&var] { return std::to_string(var); };
    f.save = [&var, l = f.label](const std::string& t) { var = parseNumber<long>(t, l); };
}

void EntryForm::AddChar(int tag, std::string label, char& var) {
    auto& f = addField(tag, FieldKind::Char, std::move(label));
    f.maxLength = 1;
    f.load = [&var] { return cp850ToUtf8(std::string(1, var)); };
    f.save = [&var](const std::string& t) {
        std::string oem = utf8ToCp850(t);
        var = oem.empty() ? ' ' : oem[0];
    };
}

void EntryForm::AddDate(int tag, std::string label, std::uint16_t& dayNumber) {
    auto& f = addField(tag, FieldKind::Date, std::move(label));
    f.maxLength = 10;
    f.load = [&dayNumber] {
        return dayNumber == 0 ? std::string() : formatDotted(fromDayNumber(dayNumber));
    };
    f.save = [&dayNumber, l = f.label](const std::string& t) { dayNumber = parseDate(t, l); };
}

void EntryForm::AddReal(int tag, std::string label, double& var, int decimals) {
    auto& f = addField(tag, FieldKind::Real, std::move(label));
    f.load = [&var, decimals] {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.*f", decimals, var);
        return std::string(buf);
    };
    f.save = [&var, l = f.label](const std::string& t) { var = parseReal(t, l); };
}

void EntryForm::AddRadioGroup(int tag, std::string label, std::vector<std::string> items,
                              int& index) {
    auto& f = addField(tag, FieldKind::RadioGroup, std::move(label));
    f.items = std::move(items);
    f.load = [&index] { return std::to_string(index); };
    f.save = [&index](const std::string& t) { index = std::atoi(t.c_str()); };
}

void EntryForm::AddList(int tag, std::string label, std::vector<std::string> items, int& index) {
    auto& f = addField(tag, FieldKind::List, std::move(label));
    f.items = std::move(items);
    f.load = [&index] { return std::to_string(index); };
    f.save = [&index](const std::string& t) { index = std::atoi(t.c_str()); };
}

void EntryForm::AddDisplay(int tag, std::string label, std::function<std::string()> text) {
    auto& f = addField(tag, FieldKind::Display, std::move(label));
    f.protectedField = true;
    f.load = std::move(text);
    f.save = [](const std::string&) {};
}

void EntryForm::AddTextView(int tag, std::string label, std::function<std::string()> text) {
    AddDisplay(tag, std::move(label), std::move(text));
    fields_.back().kind = FieldKind::TextView;
}

void EntryForm::AddButton(int tag, std::string caption, std::string hint) {
    buttons_.push_back(FormButton{tag, std::move(caption), std::move(hint)});
}

void EntryForm::PlaceButtonBeside(int buttonTag, int fieldTag) {
    if (FormButton* b = button(buttonTag)) b->besideField = fieldTag;
}

FormField* EntryForm::field(int tag) {
    for (auto& f : fields_)
        if (f.tag == tag) return &f;
    return nullptr;
}

const FormField* EntryForm::field(int tag) const {
    for (auto& f : fields_)
        if (f.tag == tag) return &f;
    return nullptr;
}

FormButton* EntryForm::button(int tag) {
    for (auto& b : buttons_)
        if (b.tag == tag) return &b;
    return nullptr;
}

const std::string& EntryForm::value(int tag) const {
    static const std::string empty;
    const FormField* f = field(tag);
    return f ? f->value : empty;
}

void EntryForm::setValue(int tag, std::string text) {
    FormField* f = field(tag);
    if (!f)
        throw InputError("Das Feld " + std::to_string(tag) + " gibt es in diesem Dialog nicht.");
    switch (f->kind) {
        case FieldKind::YesNo:
            if (text == "ja" || text == "true" || text == "on") text = "1";
            if (text == "nein" || text == "false" || text == "off") text = "0";
            if (text != "0" && text != "1")
                throw InputError("Feld " + std::to_string(tag) + " \"" + f->label +
                                 "\" nimmt 0 oder 1.");
            break;
        case FieldKind::Char:
            // A one-character control takes no second one.
            if (utf8Length(text) > 1)
                throw InputError("Feld " + std::to_string(tag) + " \"" + f->label +
                                 "\" nimmt ein Zeichen.");
            break;
        case FieldKind::String:
            if (f->maxLength > 0 && utf8Length(text) > static_cast<std::size_t>(f->maxLength))
                text = utf8Left(text, f->maxLength);
            break;
        case FieldKind::Word:
            parseNumber<std::uint16_t>(text, f->label);
            break;
        case FieldKind::Integer:
            parseNumber<long>(text, f->label);
            break;
        case FieldKind::Real:
            parseReal(text, f->label);
            break;
        case FieldKind::Date:
            parseDate(text, f->label);
            break;
        case FieldKind::RadioGroup:
        case FieldKind::List: {
            int i = parseIndex(text, *f);
            if (i < 0 || i >= static_cast<int>(f->items.size()))
                throw InputError("Feld " + std::to_string(tag) + " \"" + f->label +
                                 "\": Auswahl 0 bis " + std::to_string(f->items.size() - 1) + ".");
            text = std::to_string(i);
            break;
        }
        case FieldKind::Display:
        case FieldKind::TextView:
            throw InputError("Feld " + std::to_string(tag) + " ist nur eine Anzeige.");
    }
    f->value = std::move(text);
}

void EntryForm::TransferData(int direction) {
    for (auto& f : fields_) {
        if (direction == 1) {
            if (f.save) f.save(f.value);
        } else if (f.load) {
            f.value = f.load();
        }
    }
}

void EntryForm::open() {
    closedWith_.reset();
    SetupWindow();
    TransferData(2);
    if (focus_ == 0)
        for (auto& f : fields_)
            if (!f.hidden && !f.protectedField) {
                focus_ = f.tag;
                break;
            }
}

void EntryForm::enterField(int tag) {
    focus_ = tag;
    PreEdit(tag);
}

void EntryForm::leaveField(int tag) {
    PostEdit(tag);
}

bool EntryForm::press(int tag) {
    if (closedWith_) return true;
    if (FormButton* b = button(tag); b && b->disabled) return false;
    switch (tag) {
        case kOk:
            TransferData(1);
            if (OK()) closedWith_ = kOk;
            break;
        case kCancel:
            closedWith_ = kCancel;
            break;
        case kEndSave:
            TransferData(1);
            if (Ende()) closedWith_ = kEndSave;
            break;
        default:
            if (ButtonPressed(tag) && !closedWith_) closedWith_ = tag;
            break;
    }
    if (closedWith_) DeSetupWindow();
    return closedWith_.has_value();
}

bool EntryForm::requestClose() {
    if (closedWith_) return true;
    if (!CanClose()) return false;
    closedWith_ = kCancel;
    DeSetupWindow();
    return true;
}

bool EntryForm::Execute(HostServices& host) {
    host_ = &host;
    host.runForm(*this);
    return closedWith_ && (*closedWith_ == kOk || *closedWith_ == kEndSave);
}

void EntryForm::ProtectControl(int tag, bool on) {
    if (FormField* f = field(tag)) f->protectedField = on;
}

void EntryForm::HideControl(int tag, bool on) {
    if (FormField* f = field(tag)) f->hidden = on;
    if (FormButton* b = button(tag)) b->hidden = on;
}

void EntryForm::EnableButton(int tag, bool on) {
    if (FormButton* b = button(tag)) b->disabled = !on;
}

}  // namespace dn
