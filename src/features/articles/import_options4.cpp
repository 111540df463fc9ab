#include "features/articles/import_options4.h"

#include <cctype>
#include <charconv>
#include <fstream>
#include <sstream>

#include "common/session.h"
#include "host/codepage.h"

namespace dn {

TUEBERNEHMEN4::TUEBERNEHMEN4(Session& s, ImportOptions4& o)
    : EntryForm("TUEBERNEHMEN4", "DATANORM-Datensätze übernehmen (DATANORM A,B,D,T,E,C,Z-Sätze)") {
    AddYesNo(100, "Nur ausgewählte &Warengruppen übernehmen", o.onlySelectedProductGroups);
    AddYesNo(101, "Nur Artikelnummern von/bis übernehmen", o.numberRange);
    AddString(102, "Von Artikelnummer", o.fromNumber, 15);
    AddString(103, "Bis Artikelnummer", o.toNumber, 15);
    const std::string name = s.suppliers.entry(s.CurrentSupplier).name;
    AddDisplay(104, "Lieferant", [name] { return name; });
    AddYesNo(105, "Übernahme-Protokoll ausgeben", s.PrintProtocol);
    AddYesNo(106, "Nur ausgewählte &Rabattgruppen übernehmen", o.onlySelectedDiscountGroups);
    AddYesNo(107, "Montageminuten der Artikel beibehalten", o.keepAssemblyMinutes);
    AddButton(kOk, "&Übernehmen");
    AddButton(kCancel, "&Abbruch");
}

bool AskImportOptions4(Session& s, ImportOptions4& options) {
    options = ImportOptions4{};
    s.PrintProtocol = false;
    TUEBERNEHMEN4 form(s, options);
    if (!form.Execute(s.ui)) return false;
    options.fromNumber = utf8Left(s.ArticlePrefix + options.fromNumber, 18);
    options.toNumber = utf8Left(s.ArticlePrefix + options.toNumber, 18);
    return true;
}

bool InNumberRange(const ImportOptions4& options, const std::string& key) {
    if (!options.numberRange) return true;
    return options.fromNumber <= key && key <= options.toNumber;
}

int CommitBatchSizeOf(const std::string& text) {
    int size = 100;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::string head = line.substr(0, 4);
        for (char& c : head) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (head != "/tp=") continue;
        std::string digits = line.size() > 4 ? line.substr(4, 3) : std::string();
        while (!digits.empty() && digits.back() == ' ') digits.pop_back();
        while (!digits.empty() && digits.front() == ' ') digits.erase(digits.begin());
        int v = 0;
        auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v);
        size =
            (digits.empty() || ec != std::errc() || end != digits.data() + digits.size()) ? 100 : v;
    }
    return size;
}

int ReadCommitBatchSize(const Session& s) {
    std::ifstream in(s.dir(kSystemDir) / "flag.dat", std::ios::binary);
    if (!in) return 100;
    std::ostringstream text;
    text << in.rdbuf();
    return CommitBatchSizeOf(text.str());
}

}  // namespace dn
