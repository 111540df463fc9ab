#include "host/escape_question.h"

#include "host/host_services.h"

namespace dn {

bool ConfirmEscape(HostServices& ui, const std::string& question) {
    ui.Balken_hide();
    if (ui.janein(question)) return true;
    ui.ResetEscape();
    ui.Balken_show();
    return false;
}

bool EscapeEndsLoop(HostServices& ui, const std::string& question) {
    return ui.EscPressed() && ConfirmEscape(ui, question);
}

}  // namespace dn
