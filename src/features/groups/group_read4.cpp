#include "features/groups/group_read4.h"

#include "common/host_guards.h"
#include "common/protocol.h"
#include "common/session.h"
#include "formats/dn4/dn4_reader.h"
#include "host/errors.h"

namespace dn {

FileResult readGroupFile4(Session& s, const std::string& file,
                          const std::function<void(const DnRecord&)>& handle,
                          const std::function<void()>& headerAccepted) {
    LineReader lines(file, dn4::kLineOptions);
    Dn4Reader reader(s);
    reader.startFile();
    reader.checkNumbers(true);
    const auto ended = [&reader](FileEnding how) {
        return FileResult{how, reader.skippedRecords(), 0};
    };
    bool accepted = false;
    std::string line;
    for (;;) {
        if (s.ui.ESCPanel()) return ended(FileEnding::Cancelled);
        try {
            if (!lines.readLine(line)) break;
        } catch (const IoError& e) {
            // A stream that failed once gives no further lines.
            s.ui.meldung(std::string("Dateifehler: ") + e.what());
            return ended(FileEnding::Failed);
        }
        if (!reader.ConvertDn4Line(line, lines.lineNumber())) return ended(FileEnding::Failed);
        if (!accepted && reader.HeaderSeen()) {
            accepted = true;
            if (headerAccepted) headerAccepted();
        }
        if (reader.record().type() == '\0') continue;
        handle(reader.record());
    }
    const LineReadReport report = lines.report();
    for (const auto& note : report.notes) ProtocolLine(s, note);
    if (ShowReadFaults(s, report)) return ended(FileEnding::Failed);
    if (!reader.HeaderSeen()) {
        s.ui.meldung(kMsgHeaderMissing);
        return ended(FileEnding::Failed);
    }
    return ended(FileEnding::ReadToEnd);
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
