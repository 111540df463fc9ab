#include "frame/file_choice.h"

#include <filesystem>

#include "frame/session.h"
#include "suppliers/source_directory.h"

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

// Discount and product groups come from a fixed file; when it is missing,
// the user may choose another one.
bool chooseFixedFile(Session& s, char kind, const std::string& dir) {
    const std::string name = FileKindPattern(kind);
    std::string path = dir + name;
    if (!isFile(path)) {
        s.ui.meldung("Datei " + path + " nicht vorhanden!");
        FileRequest req;
        req.title = kind == 'r' ? "Rabattdatei auswählen" : "Warengruppendatei auswählen";
        req.directory = s.host.konf[kSystemDir];
        req.patterns = {kind == 'r' ? "*.rab" : "*.wrg"};
        req.purpose = std::string(1, kind);
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

bool ChooseImportFiles(Session& s, char fileKind) {
    const std::string dir = SourceDirectory(s, fileKind);
    if (fileKind == 'r' || fileKind == 'w') return chooseFixedFile(s, fileKind, dir);

    s.OnlineImportFiles.clear();
    FileRequest req;
    req.directory = dir;
    req.purpose = std::string(1, fileKind);
    req.title = "Datanorm-Datei auswählen";
    req.patterns = {FileKindPattern(fileKind)};
    if (s.settings.MultiSelectDialog) {
        req.multiple = true;
        if (fileKind == 'a' || fileKind == 't') {
            // The dialog "Dateiauswahl" needs the directory.
            req.title = "Dateiauswahl";
            if (!isDirectory(dir)) {
                s.ui.meldung("Pfad nicht gefunden!\n" + dir +
                             "\nBitte prüfen Sie die Angaben unter Diverses/Laufwerk,\noder den beim "
                             "Lieferanten angegebenem Pfad!");
                return false;
            }
        }
    }
    auto chosen = s.ui.chooseFiles(req);
    if (chosen.empty()) return false;
    if (!req.multiple) chosen.resize(1);
    s.OnlineImportFiles = chosen;
    if (fileKind == 'p') s.PriceFilePath = chosen.front();
    return true;
}

}  // namespace dn
