#include "formats/dn5/tdatanorm5.h"

#include "common/protocol.h"
#include "common/session.h"

namespace dn {

tdatanorm5::tdatanorm5(Session& session)
    : session_(session), policy_(session.AllowOverlongFields, session.ui) {}

void tdatanorm5::ResetRun5() {
    HeaderMissing = true;
    FileInEuro = false;
    headerDate_.clear();
    policy_ = dn5::FieldPolicy(session_.AllowOverlongFields, session_.ui);
}

bool tdatanorm5::noteNumberFault(const dn5::Record& record) {
    const std::optional<FieldFault> fault = record.numberFault();
    if (!fault) return false;
    ProtocolLine(session_, FieldFaultLine(*fault));
    return true;
}

}  // namespace dn
