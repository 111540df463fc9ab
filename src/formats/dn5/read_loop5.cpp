// The reading loop of every DATANORM 5 command and the record frame around
// each line's handler.

#include "common/session.h"
#include "formats/dn5/field_split5.h"
#include "formats/dn5/line_options5.h"
#include "formats/dn5/tdatanorm5.h"
#include "host/codepage.h"

namespace dn {

bool tdatanorm5::HandleRecord5(const RecordTable5& table) {
    {  // trimmed in place: the line keeps its buffer
        const std::string_view kept = Trim5(CurrentLine5);
        const auto front = static_cast<std::size_t>(kept.data() - CurrentLine5.data());
        CurrentLine5.resize(front + kept.size());
        CurrentLine5.erase(0, front);
    }
    if (CurrentLine5.empty()) return true;
    HostServices& ui = session_.ui;
    try {
        const std::string letter = GetField5(field5::Letter, 1);
        const RecordRule5* rule = letter.empty() ? nullptr : table.find(letter.front());
        if (!rule) {
            ui.meldung(utf8Left("Ungültiges Satzkennzeichen: " + cp850ToUtf8(letter), 29));
            return true;
        }
        if (rule->needsHeader && HeaderMissing) throw edatanormfehler("Vorlaufsatz fehlt!");
        switch (rule->kind) {
            case RecordRule5::Kind::Ignore:
                return true;
            case RecordRule5::Kind::Answer:
                ui.meldung(rule->message);
                return true;
            case RecordRule5::Kind::Handle:
                return rule->handler(*this);
        }
        return true;
    } catch (const edatanormfehler& e) {
        ui.Balken_hide();
        ui.meldung(e.what());
        ui.Balken_show();
        return false;
    }
}

FileEnd tdatanorm5::ReadFile5(const std::filesystem::path& file, const RecordTable5& table,
                              const ReadHooks5& hooks) {
    LineReader reader(file, dn5::kLineOptions);
    ResetRun5();
    CurrentFile5 = file;
    CurrentLineNumber5 = 0;
    BytesRead5 = 0;
    FileIsUtf8 = reader.isUtf8();
    ReadNotes5.clear();
    CutLine5.clear();
    std::string line;
    try {
        for (;;) {
            if (hooks.beforeLine && !hooks.beforeLine(reader.bytesRead()))
                return FileEnd::Cancelled;
            if (!reader.readLine(line)) {
                BytesRead5 = reader.bytesRead();
                const LineReadReport report = reader.report();
                ReadNotes5 = report.notes;
                CutLine5 = reader.cutLine();
                if (report.faults.empty()) return FileEnd::EndOfFile;
                // The file was not read whole: cut off, or data after the mark.
                session_.ui.Balken_hide();
                for (const auto& fault : report.faults) session_.ui.meldung(fault);
                session_.ui.Balken_show();
                return FileEnd::ReadError;
            }
            CurrentLine5.swap(line);  // both buffers are used again
            CurrentLineNumber5 = reader.lineNumber();
            BytesRead5 = reader.bytesRead();
            FileIsUtf8 = reader.isUtf8();
            if (!HandleRecord5(table)) return FileEnd::Stopped;
        }
    } catch (const edatanormfehler& e) {  // a line beyond any sensible length
        session_.ui.meldung(e.what());
    } catch (const IoError& e) {  // the disk failed under the running loop
        session_.ui.meldung(e.what());
    }
    return FileEnd::ReadError;
}

}  // namespace dn
