#include "formats/dn4/dn4_fields.h"

#include <algorithm>

#include "common/session.h"
#include "host/codepage.h"

namespace dn {
namespace {

std::string overlongText(std::string_view line, std::string_view field, std::string_view ending) {
    return "FEHLER in DATANORM-Datei !!!\n" + cp850ToUtf8(line) + "\n\n" +
           "Feldlängenüberschreitung bei:\n\"" + cp850ToUtf8(field) + "\"\n" +
           "Feldlänge: " + std::to_string(field.size()) + "\n\n" + std::string(ending);
}

}  // namespace

std::string_view GetField(int n, std::string_view line) {
    if (n < 1) return {};
    std::size_t start = 0;
    for (int k = 1; k < n; ++k) {
        auto sep = line.find(';', start);
        if (sep == std::string_view::npos) return {};
        start = sep + 1;
    }
    auto end = line.find(';', start);
    return line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

std::string overlongFieldQuestion(std::string_view line, std::string_view cutField) {
    return overlongText(line, cutField, "Wollen Sie die Daten trotzdem weiter übernehmen?");
}

std::string overlongFieldMessage(std::string_view line, std::string_view field) {
    return overlongText(line, field, "Die Übernahme wird abgebrochen!");
}

void SplitFields(std::string_view line, std::vector<std::string_view>& fields) {
    fields.clear();
    fields.emplace_back();
    std::size_t start = 0;
    for (;;) {
        const auto sep = line.find(';', start);
        if (sep == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return;
        }
        fields.push_back(line.substr(start, sep - start));
        start = sep + 1;
    }
}

std::string_view FieldOf(const std::vector<std::string_view>& fields, int n) {
    return n >= 1 && static_cast<std::size_t>(n) < fields.size()
               ? fields[static_cast<std::size_t>(n)]
               : std::string_view{};
}

void PutField(std::string_view field, std::span<char> destination) {
    if (field.empty()) return;
    std::fill(destination.begin(), destination.end(), ' ');
    std::copy(field.begin(), field.end(), destination.begin());
}

namespace {

bool takeField(Session& s, std::string_view line, std::string_view field,
               std::span<char> destination) {
    const std::size_t width = destination.size();
    bool ok = true;
    if (field.size() > width) {
        if (s.AllowOverlongFields) {
            field = field.substr(0, width);
            ok = s.ui.janein(overlongFieldQuestion(line, field));
        } else {
            s.ui.meldung(overlongFieldMessage(line, field));
            ok = false;
            field = field.substr(0, width);
        }
    }
    PutField(field, destination);
    return ok;
}

}  // namespace

bool TakeField(Session& s, std::string_view line, int n, std::span<char> destination) {
    return takeField(s, line, GetField(n, line), destination);
}

bool TakeField(Session& s, std::string_view line, const std::vector<std::string_view>& fields,
               int n, std::span<char> destination) {
    return takeField(s, line, FieldOf(fields, n), destination);
}

}  // namespace dn
