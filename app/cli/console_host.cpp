#include "cli/console_host.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "host/case_blind_path.h"
#include "host/codepage.h"
#include "host/control_chars.h"
#include "host/errors.h"

namespace dn::cli {
namespace fs = std::filesystem;

namespace {

std::atomic<bool> gEscape{false};

void onInterrupt(int) {
    // A second Ctrl-C ends the program at once.
    if (gEscape.exchange(true)) std::_Exit(130);
}

// A message as the terminal shows it: CR breaks lines, other control
// characters are escaped.
std::string oneLine(const std::string& text) {
    return EscapeControls(text, LineBreaks::Keep);
}

// A protocol or output line: one line whatever it holds.
std::string plainLine(const std::string& text) {
    return EscapeControls(text, LineBreaks::Escape);
}

// Columns of the terminal on stderr (the line must not wrap).
std::size_t terminalColumns() {
    winsize w{};
    if (ioctl(STDERR_FILENO, TIOCGWINSZ, &w) == 0 && w.ws_col > 1) return w.ws_col - 1;
    return 79;
}

// Matches a file name against a pattern such as "datanorm.*", without case.
bool matches(const std::string& name, const std::string& pattern) {
    const std::string n = utf8Lower(name), p = utf8Lower(pattern);
    std::size_t i = 0, j = 0, star = std::string::npos, mark = 0;
    while (i < n.size()) {
        if (j < p.size() && (p[j] == '?' || p[j] == n[i])) {
            ++i;
            ++j;
        } else if (j < p.size() && p[j] == '*') {
            star = j++;
            mark = i;
        } else if (star != std::string::npos) {
            j = star + 1;
            i = ++mark;
        } else {
            return false;
        }
    }
    while (j < p.size() && p[j] == '*') ++j;
    return j == p.size();
}

}  // namespace

void installEscapeHandler() {
    std::signal(SIGINT, onInterrupt);
}

ConsoleHost::ConsoleHost(ConsoleOptions options)
    : o_(std::move(options)),
      picks_(o_.picks.begin(), o_.picks.end()),
      directories_(o_.directories.begin(), o_.directories.end()) {}

ConsoleHost::~ConsoleHost() {
    if (printer_ && printer_ != stdout) std::fclose(printer_);
}

std::ostream& ConsoleHost::message() {
    clearProgress();
    return std::cerr;
}

void ConsoleHost::meldung(const std::string& text) {
    message() << oneLine(text) << std::endl;
}

void ConsoleHost::messageBox(const std::string& title, const std::string& text, MessageKind kind) {
    message() << (title.empty() ? "" : oneLine(title) + ": ") << oneLine(text) << std::endl;
}

bool ConsoleHost::janein(const std::string& text) {
    if (o_.answer) {
        message() << oneLine(text) << " -> " << (*o_.answer ? "ja" : "nein") << std::endl;
        return *o_.answer;
    }
    if (!o_.interactive)
        throw UnansweredQuestion("Frage ohne Antwort (--yes oder --no angeben): " + text);
    for (;;) {
        message() << oneLine(text) << " [j/n] " << std::flush;
        std::string line;
        if (!std::getline(std::cin, line))
            throw UnansweredQuestion("Frage ohne Antwort: " + oneLine(text));
        if (line == "j" || line == "J" || line == "ja" || line == "y") return true;
        if (line == "n" || line == "N" || line == "nein") return false;
    }
}

void ConsoleHost::clearProgress() {
    if (!lineShown_) return;
    std::cerr << "\r\033[K" << std::flush;
    lineShown_ = false;
}

void ConsoleHost::showProgress(bool force) {
    if (hidden_ || (!barOpen_ && !panelOpen_)) return;
    if (!o_.progressTerminal && !o_.progressLines) return;
    const auto now = ProgressPacer::Clock::now();
    ProgressPacer& pace = o_.progressTerminal ? terminalPace_ : linePace_;
    if (!pace.due(now) && !force) return;
    ProgressState shown = barOpen_ ? bar_ : panel_;
    if (barOpen_ && shown.info.empty()) shown.info = panel_.info;
    const std::string text = plainLine(progressText(shown, pace.elapsed(now)));
    if (o_.progressTerminal) {
        std::cerr << "\r\033[K" << utf8Left(text, terminalColumns()) << std::flush;
        lineShown_ = true;
    } else {
        std::cerr << text << std::endl;
    }
}

void ConsoleHost::Balken_Oeffnen(const std::string& title, bool) {
    clearProgress();
    bar_ = ProgressState{title};
    barOpen_ = true;
    hidden_ = false;
    const auto now = ProgressPacer::Clock::now();
    terminalPace_.start(now);
    linePace_.start(now);
}

void ConsoleHost::Balken_Max(long max) {
    bar_.max = max;
    bar_.value = 0;
}

void ConsoleHost::Balken_Ist(long value) {
    bar_.value = value;
    showProgress(false);
}

void ConsoleHost::Balken_hide() {
    clearProgress();
    hidden_ = true;
}

void ConsoleHost::Balken_Schliessen() {
    if (!barOpen_) return;
    // The last state as a line of its own, so that a log shows how far it got.
    if (o_.progressLines && !o_.progressTerminal) {
        hidden_ = false;
        showProgress(true);
    }
    clearProgress();
    barOpen_ = false;
}

bool ConsoleHost::EscPressed() {
    return gEscape.load();
}

void ConsoleHost::ResetEscape() {
    gEscape.store(false);
}

void ConsoleHost::PanelOn(const std::string& title) {
    clearProgress();
    panel_ = ProgressState{title};
    panelOpen_ = true;
    if (!barOpen_) {
        const auto now = ProgressPacer::Clock::now();
        terminalPace_.start(now);
        linePace_.start(now);
    }
}

void ConsoleHost::SetInfo(const std::string& text) {
    panel_.info = text;
    showProgress(false);
}

void ConsoleHost::PanelOff() {
    clearProgress();
    panelOpen_ = false;
    panel_ = ProgressState{};
}

void ConsoleHost::Ausgabe_Oeffnen(const std::string& title) {
    clearProgress();
    if (!title.empty()) std::cout << plainLine(title) << '\n';
}

void ConsoleHost::Ausgabe_Anzeigen(const std::string& line) {
    clearProgress();
    std::cout << plainLine(line) << std::endl;
    // A long listing stops at the first line that does not reach its file.
    if (!std::cout)
        throw IoError(std::string("Fehler beim Schreiben der Ausgabe: ") + std::strerror(errno));
}

bool ConsoleHost::open_drucker() {
    if (printer_) return true;
    if (o_.protocol.empty() || o_.protocol == "-") {
        printer_ = stdout;
    } else {
        // The first job of the run starts the file, later ones append.
        printer_ = std::fopen(o_.protocol.c_str(), printerOpenedBefore_ ? "ab" : "wb");
        if (!printer_)
            throw IoError("Protokolldatei " + o_.protocol + " kann nicht geschrieben werden");
    }
    printerOpenedBefore_ = true;
    return true;
}

void ConsoleHost::printed(bool ok) {
    if (ok) return;
    printFailure_ =
        "Fehler beim Schreiben " +
        (printer_ == stdout ? std::string("der Ausgabe") : "der Protokolldatei " + o_.protocol) +
        ": " + std::strerror(errno);
    throw IoError(printFailure_);
}

void ConsoleHost::druckeln(const std::string& line) {
    if (!printer_) open_drucker();
    if (printer_ == stdout) clearProgress();
    const std::string plain = plainLine(line);
    // Lines reach the file while the import runs.
    printed(std::fputs(plain.c_str(), printer_) >= 0 && std::fputc('\n', printer_) != EOF &&
            std::fflush(printer_) == 0);
}

void ConsoleHost::drucke(const std::string& text) {
    if (!printer_) open_drucker();
    printed(std::fputs(plainLine(text).c_str(), printer_) >= 0);
}

void ConsoleHost::close_drucker() {
    if (!printer_) return;
    const bool toStdout = printer_ == stdout;
    const bool ok = (toStdout ? std::fflush(stdout) : std::fclose(printer_)) == 0;
    printer_ = nullptr;
    // Closing runs on every way out of a command; the failure is reported
    // when the command has ended.
    if (!ok)
        printFailure_ =
            "Fehler beim Schreiben " +
            (toStdout ? std::string("der Ausgabe") : "der Protokolldatei " + o_.protocol) + ": " +
            std::strerror(errno);
}

std::vector<std::string> ConsoleHost::presetFiles(const FileRequest& request) {
    std::vector<std::string> chosen;
    if (o_.files.empty() || filesUsed_) return chosen;
    filesUsed_ = true;
    for (const auto& f : o_.files) {
        fs::path p(f);
        std::error_code ec;
        // A bare name is looked for in the directory the dialog opens in.
        if (!fs::exists(p, ec) && p.is_relative() && !request.directory.empty()) {
            const fs::path there = caseBlindPath(request.directory, p.string());
            if (fs::exists(there, ec)) p = there;
        }
        chosen.push_back(fs::absolute(p).lexically_normal().string());
    }
    return chosen;
}

std::vector<std::string> ConsoleHost::chooseFiles(const FileRequest& request) {
    std::vector<std::string> chosen = presetFiles(request);
    if (!chosen.empty()) return chosen;
    if (!o_.interactive) {
        message() << request.title << ": keine Datei angegeben (--file)." << std::endl;
        return {};
    }
    message() << request.title << " in " << plainLine(request.directory) << std::endl;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(request.directory, ec))
        for (const auto& pat : request.patterns)
            if (e.is_regular_file() && matches(e.path().filename().string(), pat))
                std::cerr << "  " << plainLine(e.path().filename().string()) << std::endl;
    std::cerr << "Datei(en), durch Leerzeichen getrennt (leer = Abbruch): " << std::flush;
    std::string line;
    std::getline(std::cin, line);
    std::size_t pos = 0;
    while (pos < line.size()) {
        auto end = line.find(' ', pos);
        std::string name =
            line.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        if (!name.empty()) {
            fs::path p(name);
            if (p.is_relative()) p = fs::path(request.directory) / p;
            chosen.push_back(p.string());
        }
        if (end == std::string::npos) break;
        pos = end + 1;
    }
    if (!request.multiple && chosen.size() > 1) chosen.resize(1);
    return chosen;
}

std::optional<std::string> ConsoleHost::chooseDirectory(const std::string& title,
                                                        const std::string&, const std::string&) {
    if (directories_.empty()) {
        message() << title << ": kein Verzeichnis angegeben (--dir)." << std::endl;
        return std::nullopt;
    }
    std::string d = directories_.front();
    directories_.pop_front();
    return d;
}

ListResult ConsoleHost::chooseFromList(const ListRequest& request) {
    ListResult r{false, request.selected, 0, request.marked};
    if (picks_.empty()) return r;
    const int line = picks_.front();
    picks_.pop_front();
    if (line < 1 || line > static_cast<int>(request.lines.size()))
        throw InputError(request.title + ": Zeile " + std::to_string(line) +
                         " gibt es nicht (1 bis " + std::to_string(request.lines.size()) + ").");
    r.ok = true;
    r.selected = line - 1;
    return r;
}

void ConsoleHost::runForm(EntryForm& form) {
    FormScript script;
    auto named = o_.dialogSets.find(form.formClass());
    if (named != o_.dialogSets.end()) {
        script.sets = named->second;
        dialogsFilled_.insert(form.formClass());
    } else if (!setsUsed_ && !form.sideQuestion) {
        script.sets = o_.sets;
        script.presses = o_.presses;
        setsUsed_ = true;
    }
    playForm(form, script);
    // A script cannot answer a refusal: the values given were refused.
    const bool cancelAsked =
        std::find(script.presses.begin(), script.presses.end(), kCancel) != script.presses.end();
    if (form.refusal() && form.result() == kCancel && !cancelAsked)
        throw InputError("Der Dialog \"" + form.caption() +
                         "\" hat die Eingaben nicht angenommen.");
}

std::vector<std::string> ConsoleHost::unusedDialogSets() const {
    std::vector<std::string> unused;
    for (const auto& [dialog, sets] : o_.dialogSets)
        if (!dialogsFilled_.count(dialog)) unused.push_back(dialog);
    return unused;
}

void ConsoleHost::hilfe(int context) {
    message() << "Hilfe: siehe docs/manual, Abschnitt " << context << std::endl;
}

}  // namespace dn::cli
