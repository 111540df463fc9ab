#include "features/setup/settings_dialogs.h"

#include "common/session.h"
#include "common/source_directory.h"
#include "host/codepage.h"
#include "host/entry_form.h"

namespace dn {
namespace {

std::string iniFile(const Session& s) {
    return (s.masterDataDir() / "datanorm.ini").string();
}

class DriveForm : public EntryForm {
  public:
    DriveForm(Session& s, std::string& path, bool& multi, bool& copy)
        : EntryForm("TLAUFWERK", "Laufwerk wechseln"), s_(s) {
        AddExplanation(
            "Mit dieser Funktion können Sie den Quellpfad für alle Leseoperationen festlegen. "
            "Standardmäßig ist das Diskettenlaufwerk A eingestellt. Wenn Sie jedoch Dateien von "
            "anderen Laufwerken verwenden wollen, so können Sie das Laufwerk und den Pfad "
            "eingeben.");
        AddString(100, "Übernahme-Dateipfad", path, 100);
        AddYesNo(101, "Windowsdateidialog mit Mehrfachselektion", multi);
        AddYesNo(102, "Datei(en) auf Festplatte kopieren", copy);
        AddButton(kOk, "&Speichern");
        AddButton(kCancel, "&Abbruch");
        AddButton(20, "...", "Datanorm-Verzeichnis");
        PlaceButtonBeside(20, 100);
        helpContext = 61;
    }

  protected:
    bool ButtonPressed(int tag) override {
        if (tag != 20) return false;
        auto dir = host()->chooseDirectory("Datanorm-Verzeichnis", "Datanorm-Verzeichnis auswählen",
                                           value(100));
        if (dir) {
            std::string d = utf8Lower(*dir);
            if (d.empty() || d.back() != '/') d += '/';
            setValue(100, d);
        }
        return false;
    }

  private:
    Session& s_;
};

class ParameterForm : public EntryForm {
  public:
    ParameterForm(Settings& v, int& listIndex) : EntryForm("TPARAMETER", "Diverse Parameter") {
        const std::string shared =
            "Mit dieser Funktion können Sie festlegen, ob Langtexte und Listenpreise übernommen "
            "werden sollen. ";
        AddYesNo(100, "&Langtext übernehmen", v.TakeLongTexts);
        field(100)->hint = shared;
        AddYesNo(102, "Listen&preis übernehmen", v.TakeListPrice);
        field(102)->hint = shared;
        AddYesNo(104, "Wenn Netto = 0  dann Listenpreis - Rabatt verwenden",
                 v.NetZeroUsesListPrice);
        field(104)->hint = shared;
        AddYesNo(101, "&Werks-/Streckenpreise übernehmen", v.TakeFactoryPrices);
        field(101)->hint =
            "Streckenpreise für das Dachdeckerhandwerk sind in DATANORM nicht geregelt. Dieser "
            "Schalter ermöglicht eine Übernahme nach der neuen Empfehlung der ZEDACH (wenn "
            "Streckenpreise übertragen werden). Diese Option gibt es nur für Datanorm Version 3 "
            "und 4.";
        AddList(105, "", {"Artikel löschen", "Nur Hinweis im Kurztext eintragen"}, listIndex);
        field(105)->hint =
            "Bei der Übernahme von Artikel-Löschdateien können die Artikel entweder aus dem "
            "Materialstamm entfernt oder durch einen entsprechenden Hinweis in der zweiten "
            "Kurztextzeile als \"gelöscht\" beibehalten werden.";
        AddYesNo(103, "&Mengeneinheiten ersetzen", v.ReplaceUnits);
        field(103)->hint =
            "In Datanorm Version 5 werden die Mengeneinheiten nach EDIFACT übertragen. Sie können "
            "diese ungewohnten Einheiten durch die allgemein üblichen Einheiten bei dem Import "
            "ersetzen lassen.";
        AddButton(kOk, "&Speichern");
        AddButton(kF1, "&Hilfe");
        AddButton(kCancel, "&Abbruch");
        helpContext = 63;
    }

  protected:
    bool ButtonPressed(int tag) override {
        if (tag == kF1) host()->hilfe(63);
        return false;
    }
};

}  // namespace

void bindDn3Files(Session& s) {
    s.Dn3Directory = SourceDirectory(s, ' ');
}

CommandOutcome DriveDialog(Session& s) {
    std::string path = s.settings.SourcePath;
    bool multi = s.settings.MultiSelectDialog;
    bool copy = s.settings.CopyToLocalDisk;
    DriveForm form(s, path, multi, copy);
    if (!form.Execute(s.ui)) return CommandOutcome::Cancelled;
    if (!path.empty() && path.back() != '/' && path.back() != '\\') path += '/';
    Settings v = s.settings;
    v.SourcePath = path;
    v.MultiSelectDialog = multi;
    v.CopyToLocalDisk = copy;
    // Kept only when the file took them.
    writeSettings(iniFile(s), v);
    s.settings = v;
    bindDn3Files(s);
    return CommandOutcome::Done;
}

CommandOutcome ParameterDialog(Session& s) {
    Settings v = s.settings;
    // A value other than 0 and 1 shows as "Artikel löschen".
    int listIndex = v.DeletedArticleMode == 1 ? 1 : 0;
    ParameterForm form(v, listIndex);
    if (!form.Execute(s.ui)) return CommandOutcome::Cancelled;
    v.DeletedArticleMode = listIndex;
    writeSettings(iniFile(s), v);
    s.settings = v;
    return CommandOutcome::Done;
}

}  // namespace dn
