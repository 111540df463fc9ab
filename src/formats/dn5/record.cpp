#include "formats/dn5/record.h"

#include "formats/dn5/edatanormfehler.h"
#include "formats/dn5/field_split5.h"
#include "formats/dn5/number_fields5.h"
#include "formats/dn5/record_layout5.h"
#include "host/codepage.h"
#include "host/host_services.h"

namespace dn::dn5 {

namespace {

constexpr std::string_view kHeaderStart = "V;050;";

// Messages are built in UTF-8; the line and the field are CP850 bytes.
std::string overlongMessage(std::string_view field, std::size_t max) {
    std::string m = "FEHLER in DATANORM-Datei !!!\n\nFeldlängenüberschreitung bei:\n\"" +
                    dn5::utf8Of(field) + "\"\nIst-Länge: " + std::to_string(field.size()) +
                    "\nMax-Länge: " + std::to_string(max) + "\n\n";
    return utf8Left(m, 255);
}

}  // namespace

std::string FieldPolicy::field(std::string_view line, int n, std::size_t max) const {
    if (line.starts_with('V') && !line.starts_with(kHeaderStart))
        throw edatanormfehler("Keine DATANORM 5.0 Datei!\n\nDie Übernahme wird abgebrochen.");
    std::string field(dn5::fieldOf(line, n));
    if (field.size() <= max) return field;

    const std::string message = overlongMessage(field, max);
    const std::string text = dn5::utf8Of(line);
    if (!allowOverlong_)
        throw edatanormfehler(message + "Die Übernahme wird abgebrochen!\n\n" + text);
    if (!ui_->janein(message + "Wollen Sie die Daten trotzdem weiter übernehmen?\n\n" + text))
        throw edatanormfehler("FEHLER in DATANORM-Datei");
    field.resize(max);
    return field;
}

std::string Record::GetField5(int n, std::size_t max) const {
    return policy_.field(text_, n, max);
}

std::string Record::GetField5(int n) const {
    if (n == field5::Letter) return policy_.field(text_, n, 1);
    const char letter = this->letter();
    const int subtypeField = SubtypeField5(letter);
    const auto subtype = subtypeField == 0 ? std::string_view{} : dn5::fieldOf(text_, subtypeField);
    return policy_.field(text_, n, FieldMax5(letter, subtype, n));
}

std::string Record::utf8Field(int n, std::size_t max) const {
    return dn5::utf8Of(GetField5(n, max));
}
std::string Record::utf8Field(int n) const {
    return dn5::utf8Of(GetField5(n));
}

// A field that is no number gives 0 here; the handlers leave such records
// out before they read them (numberFault).
double Record::GetReal5(int n, std::size_t max) const {
    return dn5::parseNumber(GetField5(n, max)).value_or(0.0);
}
double Record::GetReal5(int n) const {
    return dn5::parseNumber(GetField5(n)).value_or(0.0);
}

std::int32_t Record::GetInteger5(int n, std::size_t max) const {
    return dn5::roundToInt32(GetReal5(n, max));
}
std::int32_t Record::GetInteger5(int n) const {
    return dn5::roundToInt32(GetReal5(n));
}

double Record::amount(int n, std::size_t max) const {
    return GetReal5(n, max) / 100.0;
}
double Record::amount(int n) const {
    return GetReal5(n) / 100.0;
}

bool Record::present(int n) const {
    return !dn5::trim(GetField5(n)).empty();
}

std::optional<FieldFault> Record::numberFault() const {
    std::optional<FieldFault> fault = NumberFault5(text_);
    if (fault) fault->lineNumber = lineNumber_;
    return fault;
}

}  // namespace dn::dn5
