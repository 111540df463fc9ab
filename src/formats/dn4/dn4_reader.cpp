#include "formats/dn4/dn4_reader.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <vector>

#include "common/protocol.h"
#include "common/session.h"
#include "formats/dn4/dn4_numbers.h"
#include "host/codepage.h"

namespace dn {
namespace {

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

std::string_view part(std::string_view line, std::size_t first, std::size_t count) {
    return first < line.size() ? line.substr(first, count) : std::string_view{};
}

// True when the bytes hold a NUL or a byte above 0x7F (eight at a time:
// most fields are plain ASCII and need neither change nor conversion).
bool needsWork(std::string_view text) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHighs = 0x8080808080808080ULL;
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t w;
        std::memcpy(&w, text.data() + i, 8);
        if ((w & kHighs) != 0 || ((w - kOnes) & ~w & kHighs) != 0) return true;
    }
    for (; i < text.size(); ++i)
        if (text[i] == '\0' || static_cast<unsigned char>(text[i]) >= 0x80) return true;
    return false;
}

}  // namespace

std::string dn4ToUtf8(std::string_view cp850) {
    if (!needsWork(cp850)) return std::string(cp850);  // plain ASCII is already UTF-8
    std::string s(cp850);
    bool ascii = true;
    for (char& c : s) {
        if (c == '\0')
            c = ' ';
        else if (static_cast<unsigned char>(c) >= 0x80)
            ascii = false;
    }
    return ascii ? s : cp850ToUtf8(s);
}

bool ShowReadFaults(Session& s, const LineReadReport& report) {
    if (report.faults.empty()) return false;
    s.ui.Balken_hide();
    for (const auto& fault : report.faults) s.ui.meldung(fault);
    return true;
}

void Dn4Reader::startFile() {
    headerSeen_ = false;
    skipped_ = false;
    skippedRecords_ = 0;
    fileInEuro_ = false;
    currency_.clear();
    clearBuffers();
}

void Dn4Reader::clearBuffers() {
    b_.record.clear();
    b_.price.clear();
    b_.set.clear();
    b_.set2.clear();
}

std::span<char> Dn4Reader::target(Dn4Buffer b, std::size_t pos, std::size_t width) {
    switch (b) {
        case Dn4Buffer::Price:
            return b_.price.span(pos, width);
        case Dn4Buffer::Set:
            return b_.set.span(pos, width);
        case Dn4Buffer::Set2:
            return b_.set2.span(pos, width);
        case Dn4Buffer::Record:
            break;
    }
    return b_.record.span(pos, width);
}

// The companion of a set record carries the type in lower case ("j").
void Dn4Reader::stamp(Dn4Buffer b, char type) {
    target(b, 1, 1)[0] = b == Dn4Buffer::Set2
                             ? static_cast<char>(std::tolower(static_cast<unsigned char>(type)))
                             : type;
}

bool Dn4Reader::ConvertDn4Line(std::string_view line, std::int64_t lineNumber) {
    skipped_ = false;
    if (!convert(line)) return false;
    return !checkNumbers_ || skipFaultyNumbers(lineNumber);
}

bool Dn4Reader::ConvertAhead(std::string_view line) {
    needsUser_ = false;
    skipped_ = false;
    // A faulty number is left to the reader with session, which reports it
    // when its check is on.
    const bool ok = convert(line) && !Dn4NumberFault(fields_);
    // The header sets this reader's state; the reader with session converts
    // it once more for its own.
    return ok && !needsUser_ && (line.empty() || line.front() != 'V');
}

bool Dn4Reader::convert(std::string_view line) {
    clearBuffers();
    fields_.clear();  // a letter without layout leaves no fields behind
    if (line.empty()) return true;
    const char letter = line.front();
    if (letter == 'V') return convertHeader(line);

    b_.record.setType(letter);
    bool ok = true;
    if (const Dn4Layout* base = FindDn4Layout(letter)) {
        ok = apply(*base, line);
        if (int f = Dn4SubtypeField(letter); ok && f != 0)
            if (const Dn4Layout* sub = FindDn4Layout(letter, trimBlanks(GetField(f, line))))
                ok = apply(*sub, line);
    }
    if (!headerSeen_) return refuse(kMsgHeaderMissing);
    return ok;
}

// Takes the layout's fields; stops at the first field that ends the import,
// so that the user is asked at most once per line.
bool Dn4Reader::apply(const Dn4Layout& layout, std::string_view line) {
    DnRecord& record = b_.record;
    record.setType(layout.type);
    for (const auto& r : layout.blanks) record.fill(r.first, r.last - r.first + 1, ' ');
    if (layout.subtypeNumber != 0) record.setWord(dnpos::CSubtype, layout.subtypeNumber);

    SplitFields(line, fields_);
    // Without session an over-long field is left to the reader with one.
    auto take = [&](int n, std::span<char> destination) {
        if (s_) return TakeField(*s_, line, fields_, n, destination);
        const std::string_view field = FieldOf(fields_, n);
        if (field.size() > destination.size()) {
            needsUser_ = true;
            return false;
        }
        PutField(field, destination);
        return true;
    };
    for (const auto& f : layout.fields) {
        if (f.buffer != Dn4Buffer::Record) stamp(f.buffer, layout.type);
        bool ok;
        if (f.keep == 0) {
            ok = take(f.field, target(f.buffer, f.position, f.width));
        } else {
            wide_.assign(f.width, '\0');
            ok = take(f.field, wide_);
            if (wide_[0] != '\0')
                std::copy_n(wide_.begin(), f.keep, target(f.buffer, f.position, f.keep).begin());
        }
        if (!ok) return false;
    }
    for (const auto& c : layout.copies) {
        std::string_view from = record.at(c.first, c.last - c.first + 1);
        std::copy(from.begin(), from.end(), target(c.to, c.first, from.size()).begin());
        stamp(c.to, layout.type);
    }
    if (layout.emptyType != 0) {
        auto width = layout.emptyCheck.last - layout.emptyCheck.first + 1;
        if (record.trimmed(layout.emptyCheck.first, width).empty())
            record.setType(layout.emptyType);
    }
    return true;
}

// The header is a fixed line of 128 characters: "V", a blank, the date
// "ddmmyy", three texts of 40 characters, the last ending in the version
// "04" (positions 124-125) and the currency (126-128).
bool Dn4Reader::convertHeader(std::string_view line) {
    if (part(line, 123, 2) != "04") return refuse(kMsgNotDn4);
    if (line.size() > 128) return refuse(kMsgNoEndMark);
    std::string fields;
    fields += line.substr(0, 1);
    fields += ';';
    fields += part(line, 1, 1);
    for (auto [first, count] : {std::pair{2, 6}, {8, 40}, {48, 40}, {88, 40}}) {
        fields += ';';
        fields += part(line, first, count);
    }
    fields += ';';
    const bool ok = apply(*FindDn4Layout('V'), fields);
    // The split fields point into the local line built above: none is left
    // behind for the number check (the header holds no amount).
    fields_.clear();
    headerSeen_ = true;
    currency_ = std::string(part(line, 125, 3));
    fileInEuro_ = currencyIsEuro(currency_);
    return ok;
}

// The fields of the line are still those the conversion split.
bool Dn4Reader::skipFaultyNumbers(std::int64_t lineNumber) {
    if (!s_ || b_.record.type() == '\0' || b_.record.type() == 'V') return true;
    std::optional<FieldFault> fault = Dn4NumberFault(fields_);
    if (!fault) return true;
    fault->lineNumber = lineNumber;
    ProtocolLine(*s_, FieldFaultLine(*fault));
    clearBuffers();
    skipped_ = true;
    ++skippedRecords_;
    return true;
}

bool Dn4Reader::refuse(const char* message) {
    if (!s_) {
        needsUser_ = true;
        return false;
    }
    s_->ui.Balken_hide();
    s_->ui.meldung(message);
    return false;
}

bool Dn4Reader::ConvertCurrency(double& amount) const {
    return dn::ConvertCurrency(amount, s_->host.euroIsBase(), fileInEuro_);
}

bool Dn4Reader::convertAmount(std::span<char> field) const {
    return ConvertAmountField(field, s_->host.euroIsBase(), fileInEuro_);
}

}  // namespace dn
