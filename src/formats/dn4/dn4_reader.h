#pragma once
// The DATANORM 4 reader shared by every DATANORM 4 importer.
//
// Use:
//     LineReader lines(path, dn4::kLineOptions);  // streams the file, CP850 lines
//     Dn4Reader reader(session);          // per file: header, currency, buffers
//     std::string line;
//     while (lines.readLine(line)) {
//         if (!reader.ConvertDn4Line(line)) break;   // message already shown
//         const DnRecord& rec = reader.record();
//         switch (rec.type()) { case 'A': ...; case '\0': /* empty line */ ... }
//     }
//
// `ConvertDn4Line` fills `DnRecord` (and for K, V, P, J and C "TERMIN-1" the
// companion buffers) by the table in dn4_layout.h. Positions are 1-based;
// `rec.at(pos, width)` gives the CP850 bytes, `rec.absent(pos)` tells a
// field that was empty in the line, `dn4ToUtf8()` converts text for the
// store or the screen. Messages go to the host as UTF-8 with "\n" as line
// break.
//
// A reader without session converts ahead on another thread
// (`ConvertAhead`): it never talks to the user and leaves every line that
// might need the user to a reader with session.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/currency.h"
#include "formats/dn4/dn4_fields.h"
#include "formats/dn4/dn4_layout.h"
#include "formats/dn4/dn4_lines.h"
#include "formats/dn4/dn_record.h"

namespace dn {

struct Session;

inline constexpr const char* kMsgHeaderMissing =
    "Der Vorlaufsatz fehlt! Die Übernahme wird abgebrochen.";
inline constexpr const char* kMsgNotDn4 =
    "Keine DATANORM 4.0 Datei! Die Übernahme wird abgebrochen.";
inline constexpr const char* kMsgNoEndMark =
    "Fehlende Satzendekennzeichnung in der DATANORM 4.0 Datei!\nDie Übernahme wird abgebrochen.";

// Shows the faults the line reader found in a file (cut off, data after the
// end-of-file mark); true when there was one: the file was not read whole.
bool ShowReadFaults(Session& s, const LineReadReport& report);

// CP850 bytes of a field as UTF-8 (zero bytes of absent fields become blanks).
std::string dn4ToUtf8(std::string_view cp850);

// The buffers one line is converted into.
struct Dn4Buffers {
    DnRecord record;
    PriceRecordBuffer price;
    SetRecordBuffer set;
    SetRecordBuffer2 set2;
};

class Dn4Reader {
  public:
    explicit Dn4Reader(Session& s) : s_(&s) {}
    // Without session: only for ConvertAhead.
    Dn4Reader() = default;
    Dn4Reader(const Dn4Reader&) = delete;
    Dn4Reader& operator=(const Dn4Reader&) = delete;

    // For the next file: no header seen, currency unknown.
    void startFile();

    // Converts one line (CP850 bytes, as the line reader hands them out) into
    // the buffers. False ends the file: an over-long field the user did not
    // accept, a refused header or a record before the header; the message
    // has been shown. An empty line is skipped as a success (type 0); a
    // line with an unknown letter is a success with only its type set.
    // With the number check on, a record whose numeric field holds no
    // number (dn4_numbers.h) is printed to the protocol with `lineNumber`,
    // counted, and handed on as a skipped line: a success of type 0 with
    // `skipped()` set.
    bool ConvertDn4Line(std::string_view line, std::int64_t lineNumber = 0);

    // Converts the line as ConvertDn4Line would, without the user. False
    // when the line is to be converted by a reader with session, which may
    // have to ask or tell the user or keeps the header: the header itself, a
    // line before it, an over-long field, a numeric field without a number.
    // The buffers are then undefined.
    bool ConvertAhead(std::string_view line);
    // Takes the buffers of a line converted ahead.
    void adopt(const Dn4Buffers& converted) {
        b_ = converted;
        skipped_ = false;
    }
    const Dn4Buffers& buffers() const { return b_; }

    bool HeaderSeen() const { return headerSeen_; }

    // The number check of the importers that take amounts over (off by
    // default: the number change only reads keys and texts).
    void checkNumbers(bool on) { checkNumbers_ = on; }
    // The line converted last was left out for a faulty numeric field.
    bool skipped() const { return skipped_; }
    // Records of this file left out so far.
    long skippedRecords() const { return skippedRecords_; }
    // A record left out for another fault (the file read on).
    void SkipRecord() { ++skippedRecords_; }
    // Set from the header's currency code; DATANORM 3 commands set it from
    // the user's answer.
    bool FileInEuro() const { return fileInEuro_; }
    void setFileInEuro(bool v) { fileInEuro_ = v; }
    // The header's currency code (positions 126-128), empty before it.
    const std::string& currency() const { return currency_; }

    const DnRecord& record() const { return b_.record; }
    const PriceRecordBuffer& priceRecord() const { return b_.price; }
    const SetRecordBuffer& setRecord() const { return b_.set; }
    const SetRecordBuffer2& setRecord2() const { return b_.set2; }
    // Mutable access for the amount conversions of the importers.
    DnRecord& record() { return b_.record; }
    PriceRecordBuffer& priceRecord() { return b_.price; }

    // `ConvertCurrency` by the host's base currency and `FileInEuro`
    // (readers with session).
    bool ConvertCurrency(double& amount) const;
    // The fixed-width amount helper on a field of a buffer, e.g.
    // `reader.convertAmount(reader.record().span(dnpos::Price, 8))`.
    bool convertAmount(std::span<char> field) const;

  private:
    bool convert(std::string_view line);
    bool convertHeader(std::string_view line);
    bool apply(const Dn4Layout& layout, std::string_view line);
    bool refuse(const char* message);
    bool skipFaultyNumbers(std::int64_t lineNumber);
    std::span<char> target(Dn4Buffer b, std::size_t pos, std::size_t width);
    void stamp(Dn4Buffer b, char type);
    void clearBuffers();

    Session* s_ = nullptr;    // none: converting ahead
    bool needsUser_ = false;  // ConvertAhead met what a reader with session must do
    Dn4Buffers b_;
    bool headerSeen_ = false;
    bool fileInEuro_ = false;
    std::string currency_;
    bool checkNumbers_ = false;
    bool skipped_ = false;
    long skippedRecords_ = 0;
    // Reused per line: the fields of the line, a field wider than kept.
    std::vector<std::string_view> fields_;
    std::vector<char> wide_;
};

}  // namespace dn
