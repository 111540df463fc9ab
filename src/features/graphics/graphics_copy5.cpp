// Command 371: copying the supplier's pictures into the host's picture
// directory.

#include <algorithm>
#include <fstream>
#include <system_error>
#include <vector>

#include "common/current_supplier.h"
#include "common/session.h"
#include "common/source_directory.h"
#include "features/graphics/graphics5.h"
#include "host/codepage.h"
#include "host/errors.h"
#include "host/replacement_file.h"

namespace dn {
namespace fs = std::filesystem;

namespace {

bool ensureDirectory(const fs::path& dir) {
    std::error_code ec;
    if (fs::is_directory(dir, ec)) return true;
    fs::create_directory(dir, ec);
    return fs::is_directory(dir, ec);
}

struct PictureEntry {
    fs::path path;
    bool link = false;  // a symbolic link: named, never followed
    bool operator<(const PictureEntry& o) const { return path < o.path; }
};

// The files of the directory with the extension, in name order; the
// extension is matched without case as the host's file system does. A
// symbolic link is listed as such, whatever it points to: copying through it
// would fetch a file from outside the delivery.
std::vector<PictureEntry> filesWithExtension(const fs::path& dir, const std::string& ext) {
    std::vector<PictureEntry> found;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code fec;
        const fs::file_status st = it->symlink_status(fec);
        const bool link = fs::is_symlink(st);
        if (!link && !fs::is_regular_file(st)) continue;
        const std::string e = it->path().extension().string();
        if (e.size() > 1 && utf8Lower(e.substr(1)) == ext) found.push_back({it->path(), link});
    }
    std::sort(found.begin(), found.end());
    return found;
}

}  // namespace

std::string SupplierPictureFolder(std::string_view articlePrefix) {
    std::string p(articlePrefix.substr(0, articlePrefix.empty() ? 0 : articlePrefix.size() - 1));
    const auto first = p.find_first_not_of(' ');
    const auto last = p.find_last_not_of(' ');
    p = first == std::string::npos ? std::string() : p.substr(first, last - first + 1);
    p = p.substr(0, 2);
    return std::string(2 - p.size(), '0') + p;
}

fs::path PictureDirectory(const Session& s) {
    return s.masterDataDir() / "bilder";
}

const std::vector<std::string>& PictureExtensions() {
    static const std::vector<std::string> kExtensions{"bmp", "wmf", "emf", "jpg", "jpeg", "tif"};
    return kExtensions;
}

bool CopyPictureFile5(const fs::path& from, const fs::path& to, std::string& message) {
    std::ifstream in(from, std::ios::binary);
    if (!in) {
        message = "nicht lesbar";
        return false;
    }
    try {
        ReplacementFile temp(to.parent_path());
        std::vector<char> chunk(64 * 1024);
        while (in) {
            in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
            temp.write(std::string_view(chunk.data(), static_cast<std::size_t>(in.gcount())));
        }
        if (in.bad()) {
            message = "Lesefehler";
            return false;
        }
        // A read-only target is replaced as well, as with "normal" attributes.
        temp.replace(to, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                             fs::perms::others_read);
    } catch (const IoError& e) {
        message = e.what();
        return false;
    }
    return true;
}

CommandOutcome CopyGraphics5(Session& s) {
    ReadCurrentSupplier(s);
    const fs::path source = SourceDirectory(s, 'g');
    const std::string folder = SupplierPictureFolder(s.ArticlePrefix);
    const fs::path pictures = PictureDirectory(s);
    const fs::path target = pictures / folder;
    for (const fs::path& dir : {pictures, target}) {
        if (!ensureDirectory(dir)) {
            s.ui.meldung("Pfad \"" + dir.string() +
                         "/\" ist nicht vorhanden und konnte auch nicht angelegt werden!");
            return CommandOutcome::Failed;
        }
    }

    long copied = 0;
    s.ui.Ausgabe_Oeffnen("Grafiken kopieren ...");
    for (const std::string& ext : PictureExtensions()) {
        for (const auto& [file, link] : filesWithExtension(source, ext)) {
            if (link) {
                s.ui.Ausgabe_Anzeigen("Verknüpfung nicht kopiert: " + file.filename().string());
                continue;
            }
            s.ui.Ausgabe_Anzeigen(file.filename().string());
            std::string why;
            if (CopyPictureFile5(file, target / file.filename(), why))
                ++copied;
            else
                s.ui.Ausgabe_Anzeigen("Fehler beim Kopieren von " + file.filename().string() +
                                      ": " + why);
        }
    }
    s.ui.Ausgabe_Schliessen();
    s.ui.meldung(std::to_string(copied) + " Grafiken kopiert!");

    if (s.ui.janein("Wollen Sie einen Index für die Grafiken des aktuellen Lieferanten anlegen, "
                    "damit Sie die "
                    "Grafiken in Reports und Auswertungen verwenden können?"))
        BuildGraphicsIndex5(s, {{s.ArticlePrefix, folder}});
    return CommandOutcome::Done;
}

CommandOutcome RebuildGraphicsIndexAll5(Session& s) {
    ReadCurrentSupplier(s);
    if (!s.ui.janein("Wollen Sie einen Index für die Grafiken ALLER Lieferanten anlegen, damit Sie "
                     "die Grafiken "
                     "in Reports und Auswertungen verwenden können?"))
        return CommandOutcome::Cancelled;
    std::vector<std::pair<std::string, std::string>> all;
    for (int n = 1; n <= 99; ++n) {
        const std::string prefix = std::to_string(n) + "-";
        all.emplace_back(prefix, SupplierPictureFolder(prefix));
    }
    BuildGraphicsIndex5(s, all);
    return CommandOutcome::Done;
}

}  // namespace dn
