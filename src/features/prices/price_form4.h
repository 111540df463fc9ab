#pragma once
// The options of the price maintenance of every version: the dialog
// `TPFLEGEDISKETTE`, the settings block and the header block of the
// protocol.

#include <string>

#include "host/entry_form.h"

namespace dn {

struct Session;

struct PriceModes {
    int purchaseMode = 0;  // 0 take over, 1 keep
    int salesMode = 0;     // 0 take over, 1 from EK and old surcharge, 2 keep
};

inline constexpr const char* kMsgNoPriceTakeOver =
    "Die Übernahme der EK und VK ist deaktiviert!\nEine Preispflege ist sinnlos.";
inline constexpr const char* kMsgNoPurchaseTakeOver =
    "Die Übernahme der EK ist deaktiviert und die VK sollen durch die EK und alte Aufschläge "
    "ermittelt werden!\nEine Preispflege ist sinnlos.";

// "Preispflege mit einer Preispflegediskette". `versionMode` 1 hides the
// base-currency line (field 105) for version 4; field 104 is bound to
// `PrintProtocol`.
class TPFLEGEDISKETTE : public EntryForm {
  public:
    TPFLEGEDISKETTE(Session& s, PriceModes& modes, int versionMode);

  protected:
    bool OK() override;

  private:
    Session& s_;
    PriceModes& modes_;
};

// Runs the dialog with both modes at 0; false when it was cancelled.
bool AskPriceModes(Session& s, PriceModes& modes, int versionMode);

// The refusal of a pair of modes, or nothing when they may be confirmed.
const char* refusalOf(const PriceModes& modes);

// `PrintPriceSettings`: the settings block of the protocol.
void PrintPriceSettings(Session& s, const PriceModes& modes);

// `PrintPriceFileInfo`: the header block of a price file, from the header
// date "ddmmyy" and its three texts (UTF-8).
void PrintPriceFileInfo(Session& s, const std::string& ddmmyy, const std::string& text1,
                        const std::string& text2, const std::string& text3);

}  // namespace dn
