#include "formats/dn5/tdatanorm5.h"

#include "common/protocol.h"
#include "common/session.h"
#include "formats/dn5/field_split5.h"
#include "formats/dn5/number_fields5.h"
#include "host/codepage.h"

namespace dn {

namespace {

constexpr std::string_view kHeaderStart = "V;050;";

// Messages are built in UTF-8; the line and the field are CP850 bytes.
std::string overlongMessage(std::string_view field, std::size_t max) {
    std::string m = "FEHLER in DATANORM-Datei !!!\n\nFeldlängenüberschreitung bei:\n\"" +
                    Utf8Of5(field) + "\"\nIst-Länge: " + std::to_string(field.size()) +
                    "\nMax-Länge: " + std::to_string(max) + "\n\n";
    return utf8Left(m, 255);
}

}  // namespace

tdatanorm5::tdatanorm5(Session& session) : session_(session) {}

void tdatanorm5::ResetRun5() {
    HeaderMissing = true;
    RecordCount = 0;
    LongTextCount = 0;
    DeletedCount = 0;
    RenamedCount = 0;
    SkippedCount = 0;
    FileInEuro = false;
    FileKind5 = ' ';
    HeaderDate5.clear();
}

void tdatanorm5::checkHeaderLine() const {
    if (CurrentLine5.starts_with('V') && !CurrentLine5.starts_with(kHeaderStart))
        throw edatanormfehler("Keine DATANORM 5.0 Datei!\n\nDie Übernahme wird abgebrochen.");
}

std::string tdatanorm5::fieldChecked(int n, std::size_t max) {
    checkHeaderLine();
    std::string field(FieldOf5(CurrentLine5, n));
    if (field.size() <= max) return field;

    const std::string message = overlongMessage(field, max);
    const std::string line = Utf8Of5(CurrentLine5);
    if (!session_.AllowOverlongFields)
        throw edatanormfehler(message + "Die Übernahme wird abgebrochen!\n\n" + line);
    if (!session_.ui.janein(message + "Wollen Sie die Daten trotzdem weiter übernehmen?\n\n" +
                            line))
        throw edatanormfehler("FEHLER in DATANORM-Datei");
    field.resize(max);
    return field;
}

std::string tdatanorm5::GetField5(int n, std::size_t max) {
    return fieldChecked(n, max);
}

std::string tdatanorm5::GetField5(int n) {
    checkHeaderLine();
    const char letter = CurrentLine5.empty() ? ' ' : CurrentLine5.front();
    const int subtypeField = SubtypeField5(letter);
    const auto subtype =
        subtypeField == 0 ? std::string_view{} : FieldOf5(CurrentLine5, subtypeField);
    const std::size_t max = n == field5::Letter ? 1 : FieldMax5(letter, subtype, n);
    return fieldChecked(n, max);
}

std::string tdatanorm5::GetText5(int n, std::size_t max) {
    return Utf8Of5(GetField5(n, max));
}
std::string tdatanorm5::GetText5(int n) {
    return Utf8Of5(GetField5(n));
}

// A field that is no number gives 0 here; the handlers leave such records
// out before they read them (NoteNumberFault5).
double tdatanorm5::GetReal5(int n, std::size_t max) {
    return ParseNumber5(GetField5(n, max)).value_or(0.0);
}
double tdatanorm5::GetReal5(int n) {
    return ParseNumber5(GetField5(n)).value_or(0.0);
}

std::int32_t tdatanorm5::GetInteger5(int n, std::size_t max) {
    return RoundToInt32_5(GetReal5(n, max));
}
std::int32_t tdatanorm5::GetInteger5(int n) {
    return RoundToInt32_5(GetReal5(n));
}

double tdatanorm5::GetAmount5(int n, std::size_t max) {
    return GetReal5(n, max) / 100.0;
}
double tdatanorm5::GetAmount5(int n) {
    return GetReal5(n) / 100.0;
}

bool tdatanorm5::FieldPresent5(int n) {
    return !Trim5(GetField5(n)).empty();
}

bool tdatanorm5::NoteNumberFault5() {
    std::optional<FieldFault> fault = NumberFault5(CurrentLine5);
    if (!fault) return false;
    fault->lineNumber = CurrentLineNumber5;
    ProtocolLine(session_, FieldFaultLine(*fault));
    return true;
}

}  // namespace dn
