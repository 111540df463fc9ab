#pragma once
// The host services on screen: message boxes, the entry dialogs rendered
// from their description, progress bar and status panel, the output
// window, print preview, file and list choosers, and the manual.

#include <QPointer>
#include <QWidget>
#include <functional>

#include "gui/owned_window.h"
#include "gui/print_job.h"
#include "host/host_services.h"

namespace dn::gui {

class ProgressWindow;
class OutputWindow;
class HelpWindow;

// What the host needs to know of the running program; all optional.
struct HostContext {
    // The grid list instead of the older list picker (host flag
    // `f_dbbrowser`).
    std::function<bool()> gridLists;
    // The help context of the running command, for dialogs without one.
    std::function<int()> dialogHelpId;
};

class QtHost : public HostServices {
  public:
    QtHost();
    ~QtHost() override;

    void setMainWindow(QWidget* window) { main_ = window; }
    void setContext(HostContext context) { context_ = std::move(context); }
    QWidget* dialogParent() const;

    void meldung(const std::string& text) override;
    bool janein(const std::string& text) override;
    void messageBox(const std::string& title, const std::string& text, MessageKind kind) override;

    void Balken_Oeffnen(const std::string& title, bool withCancel) override;
    void Balken_Max(long max) override;
    void Balken_Ist(long value) override;
    void Balken_Inc() override;
    void Balken_Schliessen() override;
    void Balken_show() override;
    void Balken_hide() override;
    bool EscPressed() override;
    void ResetEscape() override;

    void PanelOn(const std::string& title) override;
    void SetInfo(const std::string& text) override;
    void PanelOff() override;
    bool ESCPanel() override;

    void Ausgabe_Oeffnen(const std::string& title) override;
    void Ausgabe_Anzeigen(const std::string& line) override;
    void Ausgabe_Schliessen() override;

    bool open_drucker() override;
    void druckeln(const std::string& line) override;
    void drucke(const std::string& text) override;
    void breit(bool on) override;
    void close_drucker() override;

    std::vector<std::string> chooseFiles(const FileRequest& request) override;
    std::optional<std::string> chooseDirectory(const std::string& title, const std::string& text,
                                               const std::string& start) override;
    ListResult chooseFromList(const ListRequest& request) override;
    void runForm(EntryForm& form) override;
    void hilfe(int context) override;
    void setCaption(const std::string& caption) override;

    // The lines of the print job in progress or last closed.
    const PrintJob& printJob() const { return printJob_; }

  private:
    QPointer<QWidget> main_;
    HostContext context_;
    OwnedWindow<ProgressWindow> bar_;
    OwnedWindow<ProgressWindow> panel_;
    OwnedWindow<OutputWindow> output_;
    OwnedWindow<HelpWindow> help_;
    PrintJob printJob_;
};

}  // namespace dn::gui
