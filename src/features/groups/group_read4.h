#pragma once
// What the DATANORM 4 group readers (commands 22 and 51) share: the read
// loop over one file on the status panel, and the closing of the protocol.

#include <functional>
#include <string>

#include "common/import_outcome.h"
#include "formats/dn4/dn_record.h"

namespace dn {

struct Session;

// Reads the file line by line (the caller shows the status panel), converts each line
// (`ConvertDn4Line`) and hands the record to `handle`, until the end of the file, Escape on the
// panel or a failed conversion (its message has been shown). A read error
// shows "Dateifehler: " with the system's text and ends the file; so does a
// file without a header (empty). An empty line is skipped, and so is a
// record whose number field holds no number (the protocol names it; the
// result counts them). `headerAccepted` is called once, when the file's
// header has been accepted and before the first record after it is
// handled: the moment the old groups may go. The result tells how the file
// ended; the caller adds what changed. Only a file read to its end counts
// as taken over (`OnlineImportStatus`).
FileResult readGroupFile4(Session& s, const std::string& file,
                          const std::function<void(const DnRecord&)>& handle,
                          const std::function<void()>& headerAccepted = {});

// The supplier's name as the messages show it.
std::string currentSupplierName(const Session& s);

// Prints the protocol while alive when the command's option is on; closes
// the printer and clears `PrintProtocol` at the end.
class GroupProtocolJob {
  public:
    explicit GroupProtocolJob(Session& s);
    ~GroupProtocolJob();
    GroupProtocolJob(const GroupProtocolJob&) = delete;
    GroupProtocolJob& operator=(const GroupProtocolJob&) = delete;
    // False when the protocol was asked for but the printer could not be
    // opened (the command ends).
    bool ok() const { return ok_; }

  private:
    Session& s_;
    bool ok_ = true;
};

}  // namespace dn
