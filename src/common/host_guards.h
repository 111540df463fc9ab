#pragma once
// Small handles over the host's progress bar and status panel: closed on
// every way out of a loop, also when an error leaves it.

#include <string>

#include "host/host_services.h"

namespace dn {

class GroupProgressBar {
  public:
    GroupProgressBar(HostServices& ui, const std::string& title, long max) : ui_(ui) {
        ui_.Balken_Oeffnen(title, true);
        ui_.Balken_Max(max);
    }
    ~GroupProgressBar() { ui_.Balken_Schliessen(); }
    GroupProgressBar(const GroupProgressBar&) = delete;
    GroupProgressBar& operator=(const GroupProgressBar&) = delete;

    // One step; true when the user pressed Escape (the loop stops).
    bool step() {
        ui_.Balken_Inc();
        return ui_.EscPressed();
    }

  private:
    HostServices& ui_;
};

class GroupStatusPanel {
  public:
    GroupStatusPanel(HostServices& ui, const std::string& title) : ui_(ui) { ui_.PanelOn(title); }
    ~GroupStatusPanel() { close(); }
    GroupStatusPanel(const GroupStatusPanel&) = delete;
    GroupStatusPanel& operator=(const GroupStatusPanel&) = delete;

    // Shows the text; true when the user pressed Escape on the panel.
    bool info(const std::string& text) {
        ui_.SetInfo(text);
        return ui_.ESCPanel();
    }
    void close() {
        if (open_) ui_.PanelOff();
        open_ = false;
    }

  private:
    HostServices& ui_;
    bool open_ = true;
};

}  // namespace dn
