// The reading loop of every DATANORM 5 command and the record frame around
// each line's handler.

#include "common/session.h"
#include "formats/dn5/field_split5.h"
#include "formats/dn5/line_options5.h"
#include "formats/dn5/tdatanorm5.h"
#include "host/codepage.h"

namespace dn {

bool tdatanorm5::HandleRecord5(const dn5::RecordTable& table, std::string& line, long lineNumber) {
    {  // trimmed in place: the line keeps its buffer
        const std::string_view kept = dn5::trim(line);
        const auto front = static_cast<std::size_t>(kept.data() - line.data());
        line.resize(front + kept.size());
        line.erase(0, front);
    }
    if (line.empty()) return true;
    dn5::Record record(std::move(line), lineNumber, policy_);
    // The buffer goes back to the reader however the handler ends.
    struct GiveBack {
        dn5::Record& record;
        std::string& line;
        ~GiveBack() { line = std::move(record).takeLine(); }
    } giveBack{record, line};
    HostServices& ui = session_.ui;
    try {
        const std::string letter = record.GetField5(field5::Letter, 1);
        const dn5::RecordRule* rule = letter.empty() ? nullptr : table.find(letter.front());
        if (!rule) {
            ui.meldung(utf8Left("Ungültiges Satzkennzeichen: " + cp850ToUtf8(letter), 29));
            return true;
        }
        if (rule->needsHeader && HeaderMissing) throw edatanormfehler("Vorlaufsatz fehlt!");
        switch (rule->kind) {
            case dn5::RecordRule::Kind::Ignore:
                return true;
            case dn5::RecordRule::Kind::Answer:
                ui.meldung(rule->message);
                return true;
            case dn5::RecordRule::Kind::Handle:
                return rule->handler(*this, record);
        }
        return true;
    } catch (const edatanormfehler& e) {
        ui.Balken_hide();
        ui.meldung(e.what());
        ui.Balken_show();
        return false;
    }
}

FileEnd tdatanorm5::ReadFile5(const std::filesystem::path& file, const dn5::RecordTable& table,
                              const dn5::ReadHooks& hooks) {
    LineReader reader(file, dn5::kLineOptions);
    ResetRun5();
    currentLineNumber_ = 0;
    bytesRead_ = 0;
    fileIsUtf8_ = reader.isUtf8();
    readNotes_.clear();
    cutLine_.clear();
    std::string line;
    try {
        for (;;) {
            if (hooks.beforeLine && !hooks.beforeLine(reader.bytesRead()))
                return FileEnd::Cancelled;
            if (!reader.readLine(line)) {
                bytesRead_ = reader.bytesRead();
                const LineReadReport report = reader.report();
                readNotes_ = report.notes;
                cutLine_ = reader.cutLine();
                if (report.faults.empty()) return FileEnd::EndOfFile;
                // The file was not read whole: cut off, or data after the mark.
                session_.ui.Balken_hide();
                for (const auto& fault : report.faults) session_.ui.meldung(fault);
                session_.ui.Balken_show();
                return FileEnd::ReadError;
            }
            currentLineNumber_ = reader.lineNumber();
            bytesRead_ = reader.bytesRead();
            fileIsUtf8_ = reader.isUtf8();
            if (!HandleRecord5(table, line, currentLineNumber_)) return FileEnd::Stopped;
        }
    } catch (const edatanormfehler& e) {  // a line beyond any sensible length
        session_.ui.meldung(e.what());
    } catch (const IoError& e) {  // the disk failed under the running loop
        session_.ui.meldung(e.what());
    }
    return FileEnd::ReadError;
}

}  // namespace dn
