// The header (V) and customer (K) records of a DATANORM 5 file.

#include <array>
#include <utility>

#include "common/protocol.h"
#include "common/session.h"
#include "formats/dn5/tdatanorm5.h"

namespace dn {

namespace {

// The message for a file whose V record names another kind than expected.
constexpr std::array<std::pair<char, std::string_view>, 6> kWrongKind{{
    {'A', "Keine Datanorm 5 - Artikeldatei!"},
    {'J', "Keine Datanorm 5 - Leistungs-/Stücklistendatei!"},
    {'P', "Keine Datanorm 5 - Preisänderungsdatei!"},
    {'R', "Keine Datanorm 5 - Rabattgruppendatei!"},
    {'S', "Keine Datanorm 5 - Warengruppendatei!"},
    {'T', "Keine Datanorm 5 - Datatextdatei!"},
}};

std::string wrongKindMessage(char expected) {
    for (const auto& [kind, message] : kWrongKind)
        if (kind == expected) return std::string(message);
    return "Keine Datanorm 5 - Datei der Art " + std::string(1, expected) + "!";
}

// Characters from..to (counted from 1) of the text, as far as it reaches.
std::string chars(const std::string& text, std::size_t from, std::size_t to) {
    if (from > text.size()) return {};
    return text.substr(from - 1, to - from + 1);
}

}  // namespace

void tdatanorm5::ShowHeader5(const dn5::Record& record, char ExpectedFileKind) {
    const std::string kind = record.GetField5(field5::HeaderFileKind, 1);
    if (kind != std::string(1, ExpectedFileKind))
        throw edatanormfehler(wrongKindMessage(ExpectedFileKind));
    HeaderMissing = false;

    headerDate_ = record.GetField5(field5::HeaderDate, 8);
    Session& s = session_;
    ProtocolLine(s, "Datum            : " + chars(headerDate_, 7, 8) + "." +
                        chars(headerDate_, 5, 6) + "." + chars(headerDate_, 1, 4));
    const std::string currency = record.GetField5(field5::HeaderCurrency, 3);
    ProtocolLine(s, "Währung          : " + record.utf8Field(field5::HeaderCurrency, 3));
    ProtocolLine(s, "Dateninhalt      : " + record.utf8Field(field5::HeaderContent, 40));
    ProtocolLine(s, "Copyright        : " + record.utf8Field(field5::HeaderCopyright, 40));
    ProtocolLine(s, "Herstellerkürzel : " + record.utf8Field(field5::HeaderManufacturer, 13));
    ProtocolLine(s, "");
    FileInEuro = currency == "EUR";
}

std::string tdatanorm5::HeaderDateDdMmYy() const {
    return chars(headerDate_, 7, 8) + chars(headerDate_, 5, 6) + chars(headerDate_, 3, 4);
}

void tdatanorm5::CheckCustomerNumber(const dn5::Record& record) {
    const std::string number = record.utf8Field(field5::CustomerNumber, 10);
    if (!session_.ui.janein("Diese Datei ist für die Kundennummer: " + number + "\n\nWeiter?"))
        throw edatanormfehler("Die Übernahme wird abgebrochen!");
}

}  // namespace dn
