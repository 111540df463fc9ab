#include "groups/group_read4.h"

#include "dn4/dn4_reader.h"
#include "frame/protocol.h"
#include "frame/session.h"
#include "groups/host_guards.h"
#include "host/errors.h"

namespace dn {

FileResult readGroupFile4(Session& s, const std::string& file,
                          const std::function<void(const DnRecord&)>& handle) {
    Dn4LineReader lines(file);
    Dn4Reader reader(s);
    reader.startFile();
    const auto ended = [&reader](FileEnding how) {
        return FileResult{how, reader.SkippedRecords(), 0};
    };
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
        if (!reader.ConvertDn4Line(line)) return ended(FileEnding::Failed);
        if (reader.record().type() == '\0') continue;
        handle(reader.record());
    }
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
