#pragma once
// The host's dialog, message, progress and print services. The core reaches
// the user only through this interface; the command line, the desktop
// program and the scripted test host implement it. All texts are UTF-8.

#include <optional>
#include <string>
#include <vector>

#include "host/entry_form.h"

namespace dn {

enum class MessageKind { Information, Warning, Error, Question };

// A request for one or several files.
struct FileRequest {
    std::string title;                  // "Datanorm-Datei auswählen"
    std::string directory;              // where the chooser opens
    std::vector<std::string> patterns;  // "datanorm.*"; matched without case
    bool multiple = false;
    std::string purpose;  // kind letter or a word, for scripts
};

// A column of a list shown as a grid (the lines split at tabs).
struct ListColumn {
    std::string title;        // "Gruppe"
    int width = 0;            // in characters
    bool alignRight = false;  // numbers
};

// An order a grid list offers: its name and the lines in that order.
struct ListOrder {
    std::string name;       // "Rabattgruppe", "Blitzindex"
    std::vector<int> rows;  // indices into `lines`, each once
};

// A list dialog: pick one line, or mark lines (group selection).
struct ListRequest {
    std::string title;
    std::vector<std::string> explanation;
    std::vector<std::string> lines;
    int selected = 0;          // preselected index
    bool markMode = false;     // lines can be marked; `marked` in and out
    std::vector<bool> marked;  // one per line in mark mode
    std::vector<int> buttons;  // extra numbered buttons (F-keys) the list offers
    // The grid form: headed columns, the orders offered (the first one is
    // the order of `lines`), the take-over button's caption and the help
    // context. Front ends without a grid show the lines as they are.
    std::vector<ListColumn> columns;
    std::vector<ListOrder> orders;
    std::string takeOver;  // "Rabatt überne&hmen"; empty = the front end's own
    int helpContext = 0;
};

struct ListResult {
    bool ok = false;
    int selected = -1;
    int button = 0;  // extra button that ended the list, 0 = OK/cancel
    std::vector<bool> marked;
};

class HostServices {
  public:
    virtual ~HostServices() = default;

    // Messages.
    virtual void meldung(const std::string& text) = 0;
    virtual bool janein(const std::string& text) = 0;
    // A titled box with an icon, e.g. "Fehler" for start-up failures.
    virtual void messageBox(const std::string& title, const std::string& text, MessageKind kind) {
        meldung(text);
    }

    // Progress bar; loops test EscPressed() after each step.
    virtual void Balken_Oeffnen(const std::string& title, bool withCancel = false) = 0;
    virtual void Balken_Max(long max) = 0;
    virtual void Balken_Ist(long value) = 0;
    virtual void Balken_Inc() = 0;
    virtual void Balken_Schliessen() = 0;
    virtual void Balken_show() {}
    virtual void Balken_hide() {}
    // The number of articles (records) taken so far, shown beside the bar.
    virtual void Balken_Anzahl(long count) {}
    virtual bool EscPressed() = 0;
    // Clears the Escape flag of the bar and the panel: the user answered
    // that the loop goes on.
    virtual void ResetEscape() = 0;

    // Status panel; loops stop when ESCPanel() is set.
    virtual void PanelOn(const std::string& title) = 0;
    virtual void SetInfo(const std::string& text) = 0;
    virtual void PanelOff() = 0;
    virtual bool ESCPanel() = 0;

    // Output window.
    virtual void Ausgabe_Oeffnen(const std::string& title) = 0;
    virtual void Ausgabe_Anzeigen(const std::string& line) = 0;
    virtual void Ausgabe_Schliessen() = 0;

    // List printing. open_drucker returns false when nothing is to be
    // printed; the caller then ends its function.
    virtual bool open_drucker() = 0;
    virtual void druckeln(const std::string& line) = 0;
    virtual void drucke(const std::string& text) = 0;
    virtual void breit(bool on) {}
    virtual void close_drucker() = 0;

    // Choosers. Empty result = cancelled.
    virtual std::vector<std::string> chooseFiles(const FileRequest& request) = 0;
    virtual std::optional<std::string> chooseDirectory(const std::string& title,
                                                       const std::string& text,
                                                       const std::string& start) = 0;
    virtual ListResult chooseFromList(const ListRequest& request) = 0;
    // Files named before the command ran (the command line's --file): the
    // file choice takes them in place of a chooser and of a fixed default
    // name, once per run. Empty when none were named.
    virtual std::vector<std::string> presetFiles(const FileRequest& request) { return {}; }

    // Runs an entry dialog: form.open(), the user's edits and button
    // presses, until form.closed().
    virtual void runForm(EntryForm& form) = 0;

    // Help at a context number.
    virtual void hilfe(int context) {}

    // The main window's caption ("DATANORM: " + supplier line).
    virtual void setCaption(const std::string& caption) {}
};

}  // namespace dn
