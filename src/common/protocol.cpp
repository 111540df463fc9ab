#include "common/protocol.h"

#include "common/session.h"

namespace dn {

void ProtocolLine(Session& s, const std::string& text) {
    if (s.PrintProtocol) s.ui.druckeln(text);
}

void ProtocolText(Session& s, const std::string& text) {
    if (s.PrintProtocol) s.ui.drucke(text);
}

bool openProtocol(Session& s) {
    if (!s.PrintProtocol) return false;
    if (!s.ui.open_drucker()) s.PrintProtocol = false;
    return s.PrintProtocol;
}

void closeProtocol(Session& s) {
    if (s.PrintProtocol) s.ui.close_drucker();
    s.PrintProtocol = false;
}

ProtocolScope::~ProtocolScope() {
    try {
        closeProtocol(s_);
    } catch (...) {
    }
}

}  // namespace dn
