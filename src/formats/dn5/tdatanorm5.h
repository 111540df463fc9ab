#pragma once
// The DATANORM 5 data module: the state of the file being read that every
// version 5 command shares, the header (V) and customer (K) records, and the
// reading loop with its record frame. Field access is the record's
// (record.h).
//
// A command uses it like this:
//
//     auto table = dn5::RecordTable::withHeader('A');  // V, K; E is ignored
//     table.handle('A', articleLine)                   // needs the header
//          .answer('R', "Rabattsätze mit Rabattsatzfunktion übernehmen!");
//     FileEnd end = dn5.ReadFile5(file, table, hooks);
//
// Each handler receives the line as a dn5::Record, which answers
// `GetField5`/`GetInteger5`/`GetReal5` with the checks of the run's field
// policy; an `edatanormfehler` raised there (or by the handler itself) ends
// the file with its message. What a command counts and keeps between its
// lines belongs to the command's run, not to the data module.
//
// Texts: the lines and the fields are CP850 bytes, so that lengths count
// characters; `utf8Field` gives a field as UTF-8 for the store and the
// screen.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/file_end.h"
#include "formats/dn5/edatanormfehler.h"
#include "formats/dn5/record.h"
#include "formats/dn5/record_layout5.h"
#include "formats/dn5/record_table5.h"

namespace dn {

struct Session;

namespace dn5 {
struct ReadHooks {
    // Called before each line with the bytes of the file read so far (line
    // ends included); false ends the file at once. Progress bars and the
    // Escape question of the commands live here.
    std::function<bool(std::uint64_t bytesRead)> beforeLine;
};
}  // namespace dn5

class tdatanorm5 {
  public:
    explicit tdatanorm5(Session& session);
    tdatanorm5(const tdatanorm5&) = delete;
    tdatanorm5& operator=(const tdatanorm5&) = delete;

    Session& session() { return session_; }

    // --- State of the file being read -----------------------------------
    bool HeaderMissing = true;
    bool FileInEuro = false;  // currency of the V record is "EUR"

    // Where the running loop stands, for messages and progress.
    long currentLineNumber() const { return currentLineNumber_; }
    std::uint64_t bytesRead() const { return bytesRead_; }
    bool fileIsUtf8() const { return fileIsUtf8_; }
    // Protocol notes of the file read last: the code page the reader
    // assumed, control bytes it replaced.
    const std::vector<std::string>& readNotes() const { return readNotes_; }
    // The last line of that file when the file ends inside it (dropped).
    const std::string& cutLine() const { return cutLine_; }

    // Sets `HeaderMissing`, clears `FileInEuro` and the header date;
    // builds the field policy of the run from "/KA".
    void ResetRun5();

    // A numeric field of the record that holds no number is printed to the
    // protocol with the line number; true tells the handler to leave the
    // record out (and count it as skipped).
    bool noteNumberFault(const dn5::Record& record);

    // --- Header and customer records ------------------------------------
    // V record: checks the file kind ('A', 'J', 'P', 'R', 'S', 'T'), clears
    // `HeaderMissing`, prints the header lines, sets `FileInEuro`.
    void ShowHeader5(const dn5::Record& record, char ExpectedFileKind);
    // The header date as day, month, two-digit year ("ddmmyy"), for the
    // supplier's maintenance date.
    std::string HeaderDateDdMmYy() const;
    // K record: asks whether the file for this customer number is to be read.
    void CheckCustomerNumber(const dn5::Record& record);

    // --- Reading loop ---------------------------------------------------
    // The record frame for one line: trims it, skips an empty line, finds
    // the letter's rule and runs it with the line's record. False ends the
    // file. The line's buffer is handed back in `line`.
    bool HandleRecord5(const dn5::RecordTable& table, std::string& line, long lineNumber);
    // Opens the file (IoError when it cannot be opened), `ResetRun5`, and
    // hands every line to `HandleRecord5` until the end or a stop.
    FileEnd ReadFile5(const std::filesystem::path& file, const dn5::RecordTable& table,
                      const dn5::ReadHooks& hooks = {});

  private:
    Session& session_;
    dn5::FieldPolicy policy_;  // the records of the running file are read with it
    std::string headerDate_;   // date field of the V record read last, yyyymmdd
    long currentLineNumber_ = 0;
    std::uint64_t bytesRead_ = 0;
    bool fileIsUtf8_ = false;
    std::vector<std::string> readNotes_;
    std::string cutLine_;
};

}  // namespace dn
