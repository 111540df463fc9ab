#include "features/setup/supplier_dialog.h"

#include <array>
#include <filesystem>
#include <fstream>

#include "common/current_supplier.h"
#include "common/session.h"
#include "host/codepage.h"
#include "host/entry_form.h"

namespace dn {

int readShkCompanyId(const Session& s, int supplier) {
    constexpr std::streamoff kRecordSize = 8609, kCompanyIdOffset = 3882;
    std::ifstream in(s.masterDataDir() / "lonline.dat", std::ios::binary);
    if (!in || supplier < 1 || supplier > kMaxSupplier) return 0;
    in.seekg((supplier - 1) * kRecordSize + kCompanyIdOffset);
    unsigned char b[4] = {};
    if (!in.read(reinterpret_cast<char*>(b), 4)) return 0;
    return static_cast<int>(static_cast<std::uint32_t>(b[0]) | (b[1] << 8) | (b[2] << 16) |
                            (static_cast<std::uint32_t>(b[3]) << 24));
}

namespace {

const std::array<const char*, 6> kDirectNames = {"gconline", "gienger",       "r+f",
                                                 "reisser",  "kaeltefischer", "mosecker"};

std::string dateText(const std::string& ddmmyy) {
    auto d = parseDdmmyy(ddmmyy);
    return d ? formatDotted(*d) : std::string();
}

class SupplierForm : public EntryForm {
  public:
    explicit SupplierForm(Session& s)
        : EntryForm("TFLIEFERANT", "Pflege der Lieferantendatei"), s_(s) {
        AddExplanation(
            "Mit dieser Funktion müssen Sie einmalig Ihre Lieferanten erfassen. Bitte geben Sie "
            "die "
            "Namen der Lieferanten ein. Alle Operationen wie Datenübernahme, Preispflege, "
            "Rabattübernahme,... beziehen sich auf den jeweils aktuellen Lieferanten.");
        AddInteger(kSupNumber, "Lieferant-Nr.", number_);
        AddString(kSupName, "Bezeichnung", name_, 17);
        const std::array<const char*, 5> labels = {"Anrede", "Name", "Titel", "Straße",
                                                   "PLZ / Ort"};
        for (int i = 0; i < 5; ++i) AddString(kSupSalutation + i, labels[i], address_[i], 40);
        AddString(kSupCustomer, "Kunden-Nr.", customer_, 10);
        for (int i = 0; i < 3; ++i)
            AddDisplay(kSupDate1 + i, i == 0 ? "Letzte Pflege" : "",
                       [this, i] { return dates_[i]; });
        AddRadioGroup(kSupVersion, "DATANORM", {"Version 3", "Version 4", "Version 5"}, version_);
        AddChar(kSupLetter, "Kennbuchstabe", letter_);
        AddString(kSupPath, "Dateipfad", path_, 60);
        AddYesNo(kSupSubdirs, "Datanorm 5 - Unterverzeichnisse verwenden", subdirs_);
        AddYesNo(kSupCase, "Konvertierung Groß-/Kleinbuchstaben", caseConversion_);
        AddYesNo(kSupShk, "Lieferant unterstützt SHK-Connect Verfahren", shk_);
        AddButton(kEndSave, "&Ende", "ESC=Ende und Speichern");
        AddButton(kF1, "&Hilfe", "F1=Hilfe");
        AddButton(kSupList, "&Liste", "F2=Liste Lieferanten");
        AddButton(kSupOnline, "Online - Daten", "Freie Eingabe einer Download-Adresse");
        AddButton(kSupDirect, "Datanorm-Direkt",
                  "Automatische Vorgabe von aktuellen Download-Adressen");
        AddButton(kSupShkSearch, "SHK-Connect",
                  "Abruf von Lieferanten mit automatischem Verfahren");
        AddButton(kSupPathChooser, "...", "Datanorm Verzeichnis wählen");
        PlaceButtonBeside(kSupPathChooser, kSupPath);
        defaultButton = kEndSave;
        helpContext = 1;
    }

    bool editing() const { return editing_; }

  protected:
    void SetupWindow() override { enterNumberState(); }

    void PostEdit(int tag) override {
        switch (tag) {
            case kSupNumber:
                if (editing_) break;
                TransferData(1);
                if (number_ < 1 || number_ > kMaxSupplier) {
                    number_ = 0;
                    ChangeFocus(kSupNumber);
                } else {
                    loadRecord();
                    enterEditingState();
                }
                TransferData(2);
                break;
            case kSupLetter: {
                std::string oem = utf8ToCp850(value(kSupLetter));
                char c = oem.empty() ? ' ' : oem[0];
                if (!isValidSupplierLetter(c) || s_.suppliers.supplierWithLetter(c, number_) != 0)
                    setValue(kSupLetter, " ");
                break;
            }
            case kSupName:
                updateDirectButton();
                break;
            case kSupShk:
                shkBoxChanged();
                break;
            default:
                break;
        }
    }

    bool Ende() override {
        if (!editing_) return true;
        save(true);
        enterNumberState();
        TransferData(2);
        checkPath();
        return false;
    }

    bool CanClose() override {
        if (editing_ && host()->janein("Sollen die geänderten Daten gespeichert werden?")) {
            TransferData(1);
            save(true);
        }
        return true;
    }

    bool ButtonPressed(int tag) override {
        switch (tag) {
            case kF1:
                host()->hilfe(1);
                break;
            case kSupList:
                if (!editing_) {
                    TransferData(1);
                    number_ = ChooseSupplierFromList(s_, number_, false);
                    loadRecord();
                    TransferData(2);
                }
                break;
            case kSupPathChooser:
                choosePath();
                break;
            case kSupOnline:
            case kSupDirect:
            case kSupShkSearch:
                if (editing_) {
                    TransferData(1);
                    save(tag != kSupOnline);
                    host()->meldung(
                        "Die Online-Verfahren sind in dieser Version noch nicht verfügbar.");
                }
                break;
            default:
                break;
        }
        return false;
    }

  private:
    void enterNumberState() {
        editing_ = false;
        ProtectControl(kSupNumber, false);
        EnableButton(kSupList, true);
        for (const auto& f : fields())
            if (f.tag != kSupNumber && f.kind != FieldKind::Display) ProtectControl(f.tag, true);
        HideControl(kSupLetter, true);
        EnableButton(kSupOnline, false);
        EnableButton(kSupDirect, false);
        EnableButton(kSupShkSearch, false);
        EnableButton(kSupPathChooser, false);
        ChangeFocus(kSupNumber);
    }

    void enterEditingState() {
        editing_ = true;
        for (const auto& f : fields())
            if (f.kind != FieldKind::Display) ProtectControl(f.tag, false);
        ProtectControl(kSupNumber, true);
        EnableButton(kSupList, false);
        HideControl(kSupLetter, number_ < 10);
        EnableButton(kSupOnline, true);
        EnableButton(kSupShkSearch, true);
        EnableButton(kSupPathChooser, true);
        updateDirectButton();
        ChangeFocus(kSupName);
    }

    void loadRecord() {
        record_ = s_.suppliers.readRecord(number_);
        name_ = record_.name();
        for (int i = 0; i < 5; ++i)
            address_[i] = record_.address(static_cast<SupplierRecord::AddressField>(i));
        customer_ = record_.customerNumber();
        for (int i = 0; i < 3; ++i) dates_[i] = dateText(record_.maintenanceDate(i));
        version_ = record_.version() == '3' ? 0 : record_.version() == '5' ? 2 : 1;
        letter_ = record_.letter();
        // The blank record's path is 32 blanks.
        path_ = record_.path();
        while (!path_.empty() && path_.back() == ' ') path_.pop_back();
        subdirs_ = record_.useSubdirs();
        caseConversion_ = record_.caseConversion();
        shk_ = record_.shkConnect() && readShkCompanyId(s_, number_) != 0;
    }

    // The dialog's values into the record, written at its number.
    void save(bool takeShkBox) {
        record_.setName(name_);
        for (int i = 0; i < 5; ++i)
            record_.setAddress(static_cast<SupplierRecord::AddressField>(i), address_[i]);
        record_.setCustomerNumber(customer_);
        record_.setVersion("345"[version_ >= 0 && version_ <= 2 ? version_ : 1]);
        record_.setLetter(number_ >= 10 && isValidSupplierLetter(letter_) ? letter_ : ' ');
        record_.setPath(path_);
        record_.setUseSubdirs(subdirs_);
        record_.setCaseConversion(caseConversion_);
        if (takeShkBox) record_.setShkConnect(shk_);
        s_.suppliers.writeRecord(number_, record_);
    }

    void checkPath() {
        std::string p = path_;
        while (!p.empty() && p.back() == ' ') p.pop_back();
        std::error_code ec;
        if (!p.empty() && !std::filesystem::is_directory(p, ec))
            host()->meldung("Der gewählte Lieferantenpfad für Lieferant \"" + name_ +
                            "\" ist ungültig!");
    }

    void choosePath() {
        std::error_code ec;
        std::string start = value(kSupPath);
        if (start.empty() || !std::filesystem::is_directory(start, ec))
            start = s_.host.konf[kSystemDir];
        auto dir = host()->chooseDirectory("Datanorm Verzeichnis wählen", "", start);
        if (!dir) return;
        std::string d = utf8Lower(*dir);
        if (d.empty() || d.back() != '/') d += '/';
        // A longer path would be cut in the record and name another directory.
        if (utf8Length(d) > 60) {
            host()->meldung(
                "Der gewählte Pfad ist länger als 60 Zeichen. Bitte anderen Pfad wählen!");
            return;
        }
        setValue(kSupPath, d);
    }

    void updateDirectButton() {
        bool on = value(kSupShk) == "1";
        const std::string lower = utf8Lower(value(kSupName));
        for (const char* n : kDirectNames)
            if (lower == n) on = true;
        EnableButton(kSupDirect, editing_ && on);
    }

    void shkBoxChanged() {
        if (value(kSupShk) == "1" && readShkCompanyId(s_, number_) == 0) {
            host()->meldung(
                "Wählen Sie erst über shk-connect die Firmennummer für den SHK Zugang!");
            setValue(kSupShk, "0");
        }
        updateDirectButton();
    }

    Session& s_;
    SupplierRecord record_;
    int number_ = 1;
    std::string name_;
    std::array<std::string, 5> address_;
    std::string customer_;
    std::array<std::string, 3> dates_;
    int version_ = 1;
    char letter_ = ' ';
    std::string path_;
    bool subdirs_ = false, caseConversion_ = false, shk_ = false;
    bool editing_ = false;
};

}  // namespace

CommandOutcome SupplierDialog(Session& s) {
    SupplierForm form(s);
    form.Execute(s.ui);
    ReadCurrentSupplier(s);
    return CommandOutcome::Done;
}

}  // namespace dn
