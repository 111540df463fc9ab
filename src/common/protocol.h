#pragma once
// Protocol lines of the imports: printed through the host print service
// only while the running command's protocol option is on.

#include <string>

namespace dn {

struct Session;

void ProtocolLine(Session& s, const std::string& text);
void ProtocolText(Session& s, const std::string& text);

// Opens the print job for a command whose protocol option is on; clears the
// option when the host has no printer. Closing clears it too.
bool openProtocol(Session& s);
void closeProtocol(Session& s);

// Closes the command's print job however the command ends.
class ProtocolScope {
  public:
    explicit ProtocolScope(Session& s) : s_(s) {}
    ~ProtocolScope();
    ProtocolScope(const ProtocolScope&) = delete;
    ProtocolScope& operator=(const ProtocolScope&) = delete;

  private:
    Session& s_;
};

}  // namespace dn
