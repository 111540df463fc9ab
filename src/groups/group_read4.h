#pragma once
// What the DATANORM 4 group readers (commands 22 and 51) share: the read
// loop over one file on the status panel, and the closing of the protocol.

#include <functional>
#include <string>

#include "dn4/dn_record.h"

namespace dn {

struct Session;

// Why the read loop ended. Only a file read to its end counts as taken
// over (change log, `OnlineImportStatus`).
enum class ReadEnd { EndOfFile, Escape, Failed };

// Reads the file line by line (the caller shows the status panel), converts each line
// (`ConvertDn4Line`) and hands the record to `handle`, until the end of the file, Escape on the
// panel or a failed conversion (its message has been shown). A read error
// shows "Dateifehler: " with the system's text and ends the file. An empty
// line is skipped, and so is a record whose number field holds no number
// (the protocol names it; `skipped` counts them when given).
// `headerAccepted` is called once, when the file's header has been
// accepted and before the first record after it is handled: the moment
// the old groups may go.
ReadEnd readGroupFile4(Session& s, const std::string& file,
                       const std::function<void(const DnRecord&)>& handle,
                       const std::function<void()>& headerAccepted = {}, long* skipped = nullptr);

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
