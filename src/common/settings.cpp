#include "common/settings.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "host/codepage.h"
#include "host/control_chars.h"
#include "host/errors.h"
#include "host/file_bytes.h"

namespace dn {
namespace {

// Splits into lines ending in CR LF or LF; a last line without end counts.
std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < text.size()) {
        auto nl = text.find('\n', start);
        std::string line =
            text.substr(start, nl == std::string::npos ? std::string::npos : nl - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        out.push_back(line);
        if (nl == std::string::npos) break;
        start = nl + 1;
    }
    return out;
}

bool on(const std::string& line) {
    return line == "1";
}

}  // namespace

void readSettings(const std::filesystem::path& iniFile, Settings& s) {
    std::error_code ec;
    if (!std::filesystem::exists(iniFile, ec)) return;
    auto l = lines(readFileBytes(iniFile));
    // Lines 1 to 5 are read whatever the file holds; 6 to 9 only while the
    // file goes on.
    auto line = [&](std::size_t i) { return i < l.size() ? l[i] : std::string(); };
    s.SourcePath = cp850ToUtf8(line(0));
    s.TakeLongTexts = on(line(1));
    s.TakeFactoryPrices = on(line(2));
    s.TakeListPrice = on(line(3));
    s.MultiSelectDialog = on(line(4));
    if (l.size() > 5) s.CopyToLocalDisk = on(l[5]);
    if (l.size() > 6) {
        int v = std::atoi(l[6].c_str());
        s.DeletedArticleMode = (v == 0 || v == 1) ? v : 0;
    }
    if (l.size() > 7) s.ReplaceUnits = on(l[7]);
    if (l.size() > 8) s.NetZeroUsesListPrice = on(l[8]);
}

void writeSettings(const std::filesystem::path& iniFile, const Settings& s) {
    // The file belongs in the master-data directory; a name without one
    // would land in whatever directory the program was started from.
    if (!iniFile.is_absolute())
        throw IoError("Fehler beim Schreiben von " + iniFile.filename().string() +
                      ": das Stammdatenverzeichnis ist nicht bekannt");
    // Line 1 is the only text; a line break in it would shift every later line.
    refuseControlCharacters(s.SourcePath, "SourcePath", iniFile);
    auto b = [](bool v) { return v ? "1" : "0"; };
    std::string text = utf8ToCp850(s.SourcePath) + "\r\n";
    for (bool v : {s.TakeLongTexts, s.TakeFactoryPrices, s.TakeListPrice, s.MultiSelectDialog,
                   s.CopyToLocalDisk})
        text += std::string(b(v)) + "\r\n";
    text += std::to_string(s.DeletedArticleMode) + "\r\n";
    text += std::string(b(s.ReplaceUnits)) + "\r\n";
    text += std::string(b(s.NetZeroUsesListPrice)) + "\r\n";
    std::ofstream out(iniFile, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) throw IoError("Fehler beim Schreiben von " + iniFile.string());
}

}  // namespace dn
