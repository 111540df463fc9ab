#include "common/file_choice.h"

#include <filesystem>
#include <optional>
#include <vector>

#include "common/session.h"
#include "common/source_directory.h"
#include "host/case_blind_path.h"
#include "host/errors.h"

namespace dn {
namespace fs = std::filesystem;

namespace {

bool isDirectory(const std::string& p) {
    std::error_code ec;
    return fs::is_directory(p, ec);
}

bool isFile(const std::string& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

// A chooser opens in the source directory and nowhere else: when that does
// not exist, the choice fails with this message (also for the system's file
// dialog, which would otherwise open in the folder it showed last).
bool sourceDirectoryFound(Session& s, const std::string& dir) {
    if (isDirectory(dir)) return true;
    s.ui.meldung("Pfad nicht gefunden!\n" + dir +
                 "\nBitte prüfen Sie die Angaben unter Diverses/Laufwerk,\noder den beim "
                 "Lieferanten angegebenem Pfad!");
    return false;
}

// The files named beforehand, checked against what the command reads.
std::optional<std::vector<std::string>> presetChoice(Session& s, const FileRequest& req) {
    std::vector<std::string> files = s.ui.presetFiles(req);
    if (files.empty()) return std::nullopt;
    if (!req.multiple && files.size() > 1)
        throw InputError("Dieser Befehl liest eine Datei, angegeben sind " +
                         std::to_string(files.size()) +
                         " (mehrere Dateien nur mit Mehrfachselektion, MultiSelectDialog=1).");
    for (const auto& f : files)
        if (!isFile(f)) throw InputError("Datei " + f + " nicht vorhanden!");
    return files;
}

// Discount and product groups come from a fixed file; when it is missing,
// the user may choose another one. A file named beforehand wins.
bool chooseFixedFile(Session& s, char kind, const std::string& dir) {
    FileRequest req;
    req.title = kind == 'r' ? "Rabattdatei auswählen" : "Warengruppendatei auswählen";
    req.directory = dir;
    req.patterns = {kind == 'r' ? "*.rab" : "*.wrg"};
    req.purpose = std::string(1, kind);
    if (auto preset = presetChoice(s, req)) {
        s.OnlineImportFiles = *preset;
        return true;
    }
    if (!sourceDirectoryFound(s, dir)) return false;
    std::string path = FixedFilePath(dir, kind);
    if (!isFile(path)) {
        s.ui.meldung("Datei " + path + " nicht vorhanden!");
        req.directory = s.host.konf[kSystemDir];
        auto chosen = s.ui.chooseFiles(req);
        if (chosen.empty() || !isFile(chosen.front())) return false;
        path = chosen.front();
    }
    s.OnlineImportFiles = {path};
    return true;
}

}  // namespace

std::string FileKindPattern(char fileKind) {
    switch (fileKind) {
        case 'a':
        case 'x':
            return "datanorm.*";
        case 'j':
            return "datasets.*";
        case 'p':
            return "datpreis.*";
        case 't':
            return "datatext.*";
        case 'r':
            return "datanorm.rab";
        case 'w':
            return "datanorm.wrg";
        default:
            return "*.*";
    }
}

std::string FixedFilePath(const std::string& directory, char fileKind) {
    return caseBlindPath(directory, FileKindPattern(fileKind)).string();
}

bool ChooseImportFiles(Session& s, char fileKind) {
    return ChooseImportFiles(s, fileKind, SourceDirectory(s, fileKind));
}

bool ChooseImportFiles(Session& s, char fileKind, const std::string& dir) {
    if (fileKind == 'r' || fileKind == 'w') return chooseFixedFile(s, fileKind, dir);

    s.OnlineImportFiles.clear();
    FileRequest req;
    req.directory = dir;
    req.purpose = std::string(1, fileKind);
    req.title = "Datanorm-Datei auswählen";
    req.patterns = {FileKindPattern(fileKind)};
    req.multiple = s.settings.MultiSelectDialog;
    std::optional<std::vector<std::string>> chosen = presetChoice(s, req);
    if (!chosen) {
        if (!sourceDirectoryFound(s, dir)) return false;
        if (req.multiple && (fileKind == 'a' || fileKind == 't')) req.title = "Dateiauswahl";
        chosen = s.ui.chooseFiles(req);
    }
    if (chosen->empty()) return false;
    if (!req.multiple) chosen->resize(1);
    s.OnlineImportFiles = *chosen;
    if (fileKind == 'p') s.PriceFilePath = chosen->front();
    return true;
}

}  // namespace dn
