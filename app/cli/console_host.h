#pragma once
// Host services of the command-line program: messages on stderr, questions
// answered by policy (--yes/--no) or at the terminal, dialogs filled from
// --set and --press, files from --file, printing to --protocol, the
// progress line (progress_line.h). Every text from the core is written with
// its control characters escaped (host/control_chars.h).

#include <cstdio>
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "cli/progress_line.h"
#include "host/host_services.h"
#include "host/scripted_host.h"

namespace dn::cli {

struct ConsoleOptions {
    std::optional<bool> answer;                     // --yes / --no
    std::vector<std::pair<int, std::string>> sets;  // --set TAG=VALUE, for the first dialog
    // --set DIALOG:TAG=VALUE, for every opening of the dialog of that class
    std::map<std::string, std::vector<std::pair<int, std::string>>> dialogSets;
    std::vector<int> presses;              // --press N, for the first dialog
    std::vector<std::string> files;        // --file
    std::vector<int> picks;                // --pick LINE (1-based), list dialogs in order
    std::vector<std::string> directories;  // --dir, directory choosers in order
    std::string protocol;                  // --protocol FILE or "-"; empty = stdout
    bool interactive = false;              // stdin and stderr are terminals
    bool progressTerminal = false;         // stderr is a terminal: the line in place
    bool progressLines = false;            // --progress: lines now and then without one
};

class ConsoleHost : public HostServices {
  public:
    explicit ConsoleHost(ConsoleOptions options);
    ~ConsoleHost() override;

    void meldung(const std::string& text) override;
    bool janein(const std::string& text) override;
    void messageBox(const std::string& title, const std::string& text, MessageKind kind) override;

    void Balken_Oeffnen(const std::string& title, bool withCancel) override;
    void Balken_Max(long max) override;
    void Balken_Ist(long value) override;
    void Balken_Inc() override { Balken_Ist(bar_.value + 1); }
    void Balken_Schliessen() override;
    void Balken_show() override { hidden_ = false; }
    void Balken_hide() override;
    void Balken_Anzahl(long count) override { bar_.count = count; }
    bool EscPressed() override;
    void ResetEscape() override;

    void PanelOn(const std::string& title) override;
    void SetInfo(const std::string& text) override;
    void PanelOff() override;
    bool ESCPanel() override { return EscPressed(); }

    void Ausgabe_Oeffnen(const std::string& title) override;
    void Ausgabe_Anzeigen(const std::string& line) override;
    void Ausgabe_Schliessen() override {}

    bool open_drucker() override;
    void druckeln(const std::string& line) override;
    void drucke(const std::string& text) override;
    void close_drucker() override;

    std::vector<std::string> chooseFiles(const FileRequest& request) override;
    std::vector<std::string> presetFiles(const FileRequest& request) override;
    std::optional<std::string> chooseDirectory(const std::string& title, const std::string& text,
                                               const std::string& start) override;
    ListResult chooseFromList(const ListRequest& request) override;
    void runForm(EntryForm& form) override;
    void hilfe(int context) override;

    // Whether any dialog took the --set values (a command that opens no
    // dialog ignores them; the program says so).
    bool setsUsed() const { return setsUsed_; }
    // The dialogs named in --set DIALOG:TAG=VALUE that did not open.
    std::vector<std::string> unusedDialogSets() const;
    // Likewise whether a file choice took the --file names.
    bool filesUsed() const { return filesUsed_; }
    // The message of a failed write of protocol lines; empty when none.
    const std::string& printFailure() const { return printFailure_; }

  private:
    // Raises IoError (and keeps its text) when a write of protocol lines failed.
    void printed(bool ok);
    // Messages and questions on stderr, the progress line cleared first.
    std::ostream& message();
    void clearProgress();
    void showProgress(bool force);
    ConsoleOptions o_;
    std::deque<int> picks_;
    std::deque<std::string> directories_;
    bool setsUsed_ = false;
    bool filesUsed_ = false;
    std::string printFailure_;
    std::set<std::string> dialogsFilled_;
    std::FILE* printer_ = nullptr;
    bool printerOpenedBefore_ = false;
    // The bar, else the panel, is what the progress line shows.
    bool barOpen_ = false, panelOpen_ = false, hidden_ = false, lineShown_ = false;
    ProgressState bar_, panel_;
    ProgressPacer terminalPace_{std::chrono::milliseconds(100)};
    ProgressPacer linePace_{std::chrono::seconds(2)};
};

// Ctrl-C while a command runs counts as Escape.
void installEscapeHandler();

}  // namespace dn::cli
