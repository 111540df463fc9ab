#include "common/source_directory.h"

#include "common/session.h"
#include "host/case_blind_path.h"
#include "host/entry_form.h"

namespace dn {
namespace {

std::string trim(const std::string& t) {
    auto b = t.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    return t.substr(b, t.find_last_not_of(' ') - b + 1);
}

// Paths in the settings may carry Windows backslashes; the program works
// with "/".
std::string withSlash(std::string p) {
    for (char& c : p)
        if (c == '\\') c = '/';
    if (!p.empty() && p.back() != '/') p += '/';
    return p;
}

class NewOrChangeForm : public EntryForm {
  public:
    explicit NewOrChangeForm(int& choice) : EntryForm("TNEUAENDERUNG", "Neuanlage oder Änderung?") {
        AddExplanation(
            "Sie haben die automatische Ergänzung der Unterverzeichnisse aktiviert. Bei dem "
            "gewünschten Import können Sie aber Daten einer Neuanlage oder Änderung/Aktualisierung "
            "verarbeiten.");
        AddExplanation("Bitte wählen Sie die gewünschten Daten aus:");
        AddRadioGroup(100, "", {"Neuanlage (D4Grund, D5Grund)", "Änderung (D4Aend, D5Aend)"},
                      choice);
        AddButton(kOk, "&Ok");
        sideQuestion = true;
    }
};

}  // namespace

std::string NewOrChangeSubdirectory(Session& s) {
    int choice = 0;
    NewOrChangeForm form(choice);
    // Closing the dialog in another way keeps the preselection.
    form.Execute(s.ui);
    return choice == 1 ? "d5aend/" : "d5grund/";
}

std::string SourceDirectory(Session& s, char fileKind) {
    const std::string own = trim(s.CurrentSupplierPath);
    const std::string dir = own.empty() ? withSlash(s.settings.SourcePath) : withSlash(own);
    if (s.DnVersion != 2 || !s.CurrentUseSubdirs) return dir;
    std::string sub;
    switch (fileKind) {
        case 'a':
        case 'j':
        case 'r':
        case 't':
        case 'w':
            sub = NewOrChangeSubdirectory(s);
            break;
        case 'g':
            sub = "d5bild/";
            break;
        case 'p':
            sub = "d5paend/";
            break;
        case 'x':
            sub = "d5aend/";
            break;
        default:
            return dir;
    }
    // "D5Grund" from a Windows delivery is the same directory.
    sub.pop_back();
    return caseBlindDirectory(dir, sub);
}

}  // namespace dn
