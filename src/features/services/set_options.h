#pragma once
// The options dialog `TUEBLEISTUNG` of command 34 ("DATASETS-Datensätze
// übernehmen"), shared by the DATANORM 3, 4 and 5 set imports.

#include <string>

namespace dn {

struct Session;

// Tags of the dialog.
inline constexpr int kSetSupplierName = 100;
inline constexpr int kSetServices = 101;
inline constexpr int kSetBoms = 102;
inline constexpr int kSetProtocol = 103;
inline constexpr int kSetMainArticle = 104;

struct SetOptions {
    bool services = true;  // 101 "&Leistungs-Stammdaten"; false = 102 "&Stücklisten-Stammdaten"
    bool PrintProtocol = false;  // 103 (not offered for DATANORM 3)
    // "Hauptartikel in Stückliste": 0 "aufnehmen", 1 "nicht aufnehmen",
    // 2 "aufnehmen, wenn dessen Preis nicht Null ist".
    int MainArticleChoice = 0;
};

// The choice the list starts with: 2 for DATANORM 5, else 0.
int initialMainArticleChoice(int dnVersion);

// Runs the dialog for the current supplier; false when it was cancelled.
// `withProtocol` offers field 103.
bool RunSetOptionsDialog(Session& s, SetOptions& options, bool withProtocol);

}  // namespace dn
