#pragma once
// Host services driven by a script: records every message, question and
// printed line, answers questions from a list, fills dialogs by tag and
// presses their buttons. Used by the tests and by unattended runs.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/host_services.h"

namespace dn {

// What to do with the next dialog.
struct FormScript {
    std::string formClass;                          // empty = any dialog
    std::vector<std::pair<int, std::string>> sets;  // in order: enter, set, leave
    std::vector<int> presses;                       // buttons; the default one if empty
    // Called after open(), for scripts that need to look at the form.
    std::function<void(EntryForm&)> inspect;
    // Drives the whole dialog in place of the lists above (open, edits,
    // presses), for scripts that look at the states in between.
    std::function<void(EntryForm&)> drive;
};

class ScriptedHost : public HostServices {
  public:
    // Recorded output.
    std::vector<std::string> messages;    // meldung and messageBox texts
    std::vector<std::string> questions;   // janein texts
    std::vector<std::string> printed;     // druckeln lines (drucke parts joined)
    std::vector<std::string> output;      // Ausgabe_Anzeigen lines
    std::vector<std::string> panelInfo;   // SetInfo texts
    std::vector<std::string> formsShown;  // form classes in order
    std::vector<FileRequest> fileRequests;
    std::string caption;
    int printJobs = 0;

    // Script.
    std::deque<bool> answers;                    // for janein, in order
    std::optional<bool> defaultAnswer;           // when `answers` is empty
    std::deque<FormScript> forms;                // for runForm, in order
    std::deque<std::vector<std::string>> files;  // for chooseFiles
    std::deque<std::optional<std::string>> directories;
    std::deque<std::function<ListResult(const ListRequest&)>> lists;
    bool printerAvailable = true;
    long escapeAfterSteps = -1;  // progress steps before Escape; -1 never
    // After the Escape flag was cleared: the steps before the next Escape,
    // in order; when empty, no further Escape.
    std::deque<long> escapeAgainAfterSteps;
    int escapeResets = 0;  // how often the flag was cleared

    void meldung(const std::string& text) override { messages.push_back(text); }
    bool janein(const std::string& text) override;
    void messageBox(const std::string& title, const std::string& text, MessageKind) override {
        messages.push_back(text);
    }

    void Balken_Oeffnen(const std::string&, bool) override {}
    void Balken_Max(long) override {}
    void Balken_Ist(long) override { step(); }
    void Balken_Inc() override { step(); }
    void Balken_Schliessen() override {}
    bool EscPressed() override { return escaped_; }
    void ResetEscape() override;

    void PanelOn(const std::string&) override {}
    void SetInfo(const std::string& text) override;
    void PanelOff() override {}
    bool ESCPanel() override { return escaped_; }

    void Ausgabe_Oeffnen(const std::string&) override {}
    void Ausgabe_Anzeigen(const std::string& line) override { output.push_back(line); }
    void Ausgabe_Schliessen() override {}

    bool open_drucker() override;
    void druckeln(const std::string& line) override;
    void drucke(const std::string& text) override { pending_ += text; }
    void close_drucker() override;

    std::vector<std::string> chooseFiles(const FileRequest& request) override;
    std::optional<std::string> chooseDirectory(const std::string&, const std::string&,
                                               const std::string&) override;
    ListResult chooseFromList(const ListRequest& request) override;
    void runForm(EntryForm& form) override;
    void setCaption(const std::string& c) override { caption = c; }

    // True when some recorded message or printed line contains the text.
    bool saidSomething(const std::string& part) const;
    bool printedSomething(const std::string& part) const;

  private:
    void step();
    long steps_ = 0;
    bool escaped_ = false;
    std::string pending_;
};

// Drives one dialog by a script: the shared logic of the scripted host and
// of the command line's form filling.
void playForm(EntryForm& form, const FormScript& script);

}  // namespace dn
