#pragma once
// The options dialog of the price maintenance ("Preispflege mit einer
// Preispflegediskette") and the settings block that heads its protocol.
// Shared by the DATANORM 5 price maintenance and the DATANORM 4/3 one: the
// file depends on nothing version-specific and can move to a common place.

#include <string>

#include "host/entry_form.h"

namespace dn {

struct Session;

// The modes of one run; both start at 0 on every run.
struct PriceMaintenanceOptions {
    int purchaseMode = 0;  // 0 take over (gross - discount or net), 1 keep
    int salesMode = 0;     // 0 take over from gross, 1 EK + old markup, 2 keep
    bool protocol = false; // `PrintProtocol`
};

// `TPFLEGEDISKETTE`. Field 100 supplier number, 101 supplier name, 102
// purchase-price mode, 103 sales-price mode, 104 protocol, 105 the base
// currency note (shown only for DATANORM 3, `showCurrencyNote`).
class PriceMaintenanceForm : public EntryForm {
public:
    PriceMaintenanceForm(int supplierNumber, std::string supplierName, PriceMaintenanceOptions& options,
                         bool showCurrencyNote);

    // The refusal text for a pair of modes that makes the maintenance
    // pointless, empty when the pair is allowed.
    static std::string RefusalFor(int purchaseMode, int salesMode);

protected:
    bool OK() override;

private:
    PriceMaintenanceOptions& options_;
};

// Runs the dialog; false when it was cancelled. Sets `PrintProtocol`.
bool RunPriceMaintenanceForm(Session& s, PriceMaintenanceOptions& options, bool showCurrencyNote);

// `PrintPriceSettings`: the block "Einstellungen für Preisbildung EK und
// VK:" through the protocol (printed only while the protocol is on).
void PrintPriceSettings(Session& s, const PriceMaintenanceOptions& options);

}  // namespace dn
