#pragma once
// The DATANORM 5 data module: the reader state that every version 5 command
// shares, the field access with its length and header checks, the header
// (V) and customer (K) records, and the reading loop with its record frame.
//
// A command uses it like this:
//
//     auto table = RecordTable5::withHeader('A');  // V, K; E is ignored
//     table.handle('A', articleLine)                // needs the header
//          .answer('R', "Rabattsätze mit Rabattsatzfunktion übernehmen!");
//     FileEnd end = dn5.ReadFile5(file, table, hooks);
//
// Inside a handler, `GetField5`/`GetInteger5`/`GetReal5`/`GetAmount5` read
// the current line; an `edatanormfehler` raised there (or by the handler
// itself) ends the file with its message.
//
// Texts: `CurrentLine5` and the fields are CP850 bytes, so that lengths count
// characters; `GetText5` gives a field as UTF-8 for the store and the screen.

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "common/file_end.h"
#include "formats/dn5/edatanormfehler.h"
#include "formats/dn5/record_layout5.h"
#include "formats/dn5/record_table5.h"

namespace dn {

struct Session;

struct ReadHooks5 {
    // Called before each line with the bytes of the file read so far (line
    // ends included); false ends the file at once. Progress bars and the
    // Escape question of the commands live here.
    std::function<bool(std::uint64_t bytesRead)> beforeLine;
};

// The options of the article import dialog, kept in the data module.
struct ArticleImportOptions5 {
    bool OnlySelectedProductGroups = false;  // field 100
    bool OnlyNumberRange = false;            // field 101
    std::string RangeFrom;                   // `ArticlePrefix` + up to 15 characters
    std::string RangeTo;
    bool OnlySelectedDiscountGroups = false;  // field 106
    bool KeepAssemblyMinutes = false;         // field 107
};

class tdatanorm5 {
  public:
    explicit tdatanorm5(Session& session);
    tdatanorm5(const tdatanorm5&) = delete;
    tdatanorm5& operator=(const tdatanorm5&) = delete;

    Session& session() { return session_; }

    // --- Reader state ---------------------------------------------------
    std::string CurrentLine5;  // the line being handled, whole, CP850
    bool HeaderMissing = true;
    char FileKind5 = ' ';     // file kind of the V record read last
    std::string HeaderDate5;  // its date field, yyyymmdd
    bool FileInEuro = false;  // currency of the V record is "EUR"
    std::int32_t RecordCount = 0;
    std::int32_t LongTextCount = 0;
    std::int32_t DeletedCount = 0;
    std::int32_t RenamedCount = 0;
    // Records not taken over because a numeric field held no number.
    std::int32_t SkippedCount = 0;

    // Where the running loop stands, for messages and progress.
    std::filesystem::path CurrentFile5;
    long CurrentLineNumber5 = 0;
    std::uint64_t BytesRead5 = 0;
    bool FileIsUtf8 = false;
    // Protocol notes of the file read last: the code page the reader
    // assumed, control bytes it replaced.
    std::vector<std::string> ReadNotes5;
    // The last line of that file when the file ends inside it (dropped).
    std::string CutLine5;

    // --- State of the article import (kept here between its lines) -----
    std::vector<std::string> SurchargeLines;  // built "50..." lines
    std::array<double, 2> CopperValues{};
    bool DRecordSeen = false;
    bool ZRecordSeen = false;
    bool LongTextKeyNoteShown = false;  // per run
    ArticleImportOptions5 ImportOptions;
    std::vector<std::string> OptionalColumns;  // upper-cased "_" columns of the article table
    // The old-to-new number table of the number change in services ("alt" -> "neu").
    std::map<std::string, std::string> temptabelle;

    // --- Run and field access -------------------------------------------
    // Sets `HeaderMissing`, zeroes the counters, clears `FileInEuro`.
    void ResetRun5();

    // Field n of `CurrentLine5` (n from 1; field 1 is the record letter),
    // checked against max. Raises edatanormfehler for a line that begins
    // with "V" but not with "V;050;", and for a field longer than max unless
    // "/KA" is on and the user accepts the cut.
    std::string GetField5(int n, std::size_t max);
    // The same with the maximum of the record layout table.
    std::string GetField5(int n);
    // The field as UTF-8 text.
    std::string GetText5(int n, std::size_t max);
    std::string GetText5(int n);
    // 0 for an empty field, else the number rounded to a whole number.
    std::int32_t GetInteger5(int n, std::size_t max);
    std::int32_t GetInteger5(int n);
    // 0 for an empty field, else the number.
    double GetReal5(int n, std::size_t max);
    double GetReal5(int n);
    // An amount field: the file writes hundredths, "894" is 8.94.
    double GetAmount5(int n, std::size_t max);
    double GetAmount5(int n);
    // True when the field holds more than blanks.
    bool FieldPresent5(int n);
    // Checks the numeric fields of `CurrentLine5` (NumberFault5). A field
    // that holds no number is printed to the protocol with the line number;
    // the result tells the handler to leave the record out. Counting the
    // skipped record in `SkippedCount` is the handler's.
    bool NoteNumberFault5();

    // --- Header and customer records ------------------------------------
    // V record: checks the file kind ('A', 'J', 'P', 'R', 'S', 'T'), clears
    // `HeaderMissing`, prints the header lines, sets `FileInEuro`.
    void ShowHeader5(char ExpectedFileKind);
    // The header date as day, month, two-digit year ("ddmmyy"), for the
    // supplier's maintenance date.
    std::string HeaderDateDdMmYy() const;
    // K record: asks whether the file for this customer number is to be read.
    void CheckCustomerNumber();

    // --- Reading loop ---------------------------------------------------
    // The record frame for `CurrentLine5`: trims it, skips an empty line,
    // finds the letter's rule and runs it. False ends the file.
    bool HandleRecord5(const RecordTable5& table);
    // Opens the file (IoError when it cannot be opened), `ResetRun5`, and
    // hands every line to `HandleRecord5` until the end or a stop.
    FileEnd ReadFile5(const std::filesystem::path& file, const RecordTable5& table,
                      const ReadHooks5& hooks = {});

  private:
    void checkHeaderLine() const;
    std::string fieldChecked(int n, std::size_t max);

    Session& session_;
};

}  // namespace dn
