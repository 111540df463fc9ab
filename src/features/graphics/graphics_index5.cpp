// The graphics index: which picture file belongs to which article, built
// from the articles' graphics bindings and the files in the picture folders.

#include <map>
#include <system_error>

#include "common/session.h"
#include "features/graphics/graphics5.h"
#include "host/codepage.h"
#include "host/store.h"
#include "host/store_transaction.h"

namespace dn {
namespace fs = std::filesystem;

namespace {

// Characters from..to (counted from 1) of UTF-8 text, trimmed.
std::string part(const std::string& line, std::size_t from, std::size_t to) {
    std::size_t pos = 0, count = 0, begin = std::string::npos, end = line.size();
    while (pos < line.size()) {
        ++count;
        if (count == from) begin = pos;
        std::size_t next = pos + 1;
        while (next < line.size() && (static_cast<unsigned char>(line[next]) & 0xC0) == 0x80)
            ++next;
        if (count == to) {
            end = next;
            break;
        }
        pos = next;
    }
    if (begin == std::string::npos) return {};
    std::string p = line.substr(begin, end - begin);
    const auto first = p.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return p.substr(first, p.find_last_not_of(' ') - first + 1);
}

// The files of a picture folder by their lower-case names: binding lines
// name the files without regard to case.
class PictureFolder {
  public:
    explicit PictureFolder(const fs::path& dir) {
        std::error_code ec;
        for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
            std::error_code fec;
            if (it->is_regular_file(fec))
                files_.emplace(utf8Lower(it->path().filename().string()), it->path());
        }
    }
    // The file's full name, empty when the folder has no such file.
    std::string find(const std::string& name) const {
        auto it = files_.find(utf8Lower(name));
        return it == files_.end() ? std::string() : it->second.string();
    }

  private:
    std::map<std::string, fs::path> files_;
};

}  // namespace

std::size_t BuildGraphicsIndex5(
    Session& s, const std::vector<std::pair<std::string, std::string>>& prefixFolders) {
    HostStore& store = s.store();
    std::size_t written = 0;
    bool escaped = false;
    s.ui.Ausgabe_Oeffnen("Grafikindex anlegen ...");
    for (const auto& [prefix, folder] : prefixFolders) {
        if (escaped) break;
        const PictureFolder pictures(PictureDirectory(s) / folder);
        StoreTransaction tx(store);
        store.deleteGraphicsIndexOfPrefix(prefix);
        store.forEachArticle(KeyRange::prefix(prefix), [&](const ArticleRecord& a) {
            if (s.ui.EscPressed()) {
                escaped = true;
                return false;
            }
            if (a.graphickey.find_first_not_of(' ') == std::string::npos) return true;
            const auto binding = store.readLongText(a.graphickey, "3");
            if (!binding) return true;
            for (const std::string& line : binding->lines) {
                const std::string name = part(line, 5, 16);
                if (name.empty()) continue;
                const std::string file = pictures.find(name);
                if (file.empty()) continue;
                store.addGraphicsIndexEntry({a.key, part(line, 3, 4), file, part(line, 17, 56)});
                ++written;
            }
            s.ui.Ausgabe_Anzeigen(a.key);
            return true;
        });
        tx.commit();
    }
    s.ui.Ausgabe_Schliessen();
    return written;
}

}  // namespace dn
