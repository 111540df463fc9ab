#include "groups/group_read4.h"

#include "dn4/dn4_reader.h"
#include "frame/protocol.h"
#include "frame/session.h"
#include "groups/host_guards.h"
#include "host/errors.h"

namespace dn {

ReadEnd readGroupFile4(Session& s, const std::string& file,
                       const std::function<void(const DnRecord&)>& handle,
                       const std::function<void()>& headerAccepted, long* skipped) {
    Dn4LineReader lines(file);
    Dn4Reader reader(s);
    reader.startFile();
    reader.checkNumbers(true);
    bool accepted = false;
    auto loop = [&]() -> ReadEnd {
        std::string line;
        for (;;) {
            if (s.ui.ESCPanel()) return ReadEnd::Escape;
            try {
                if (!lines.readLine(line)) {
                    const LineReadReport report = lines.report();
                    for (const auto& note : report.notes) ProtocolLine(s, note);
                    return ShowReadFaults(s, report) ? ReadEnd::Failed : ReadEnd::EndOfFile;
                }
            } catch (const IoError& e) {
                // A stream that failed once gives no further lines.
                s.ui.meldung(std::string("Dateifehler: ") + e.what());
                return ReadEnd::Failed;
            }
            if (!reader.ConvertDn4Line(line, lines.lineNumber())) return ReadEnd::Failed;
            if (!accepted && reader.HeaderSeen()) {
                accepted = true;
                if (headerAccepted) headerAccepted();
            }
            if (reader.record().type() == '\0') continue;
            handle(reader.record());
        }
    };
    const ReadEnd end = loop();
    if (skipped) *skipped = reader.skippedRecords();
    return end;
}

std::string currentSupplierName(const Session& s) {
    return s.suppliers.entry(s.CurrentSupplier).name;
}

GroupProtocolJob::GroupProtocolJob(Session& s) : s_(s) {
    if (s_.PrintProtocol) ok_ = openProtocol(s_);
}

GroupProtocolJob::~GroupProtocolJob() {
    try {
        closeProtocol(s_);
    } catch (...) {
    }
}

}  // namespace dn
