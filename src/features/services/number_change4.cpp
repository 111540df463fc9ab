#include "features/services/number_change4.h"

#include <filesystem>

#include "common/change_log.h"
#include "common/current_supplier.h"
#include "common/file_choice.h"
#include "common/import_outcome.h"
#include "common/session.h"
#include "common/source_directory.h"
#include "features/services/record_file130.h"
#include "features/services/set_rows.h"
#include "formats/dn4/dn4_reader.h"
#include "host/case_blind_path.h"
#include "host/codepage.h"
#include "host/entry_form.h"
#include "host/errors.h"

namespace dn {
namespace {

constexpr const char* kCaption = "Änderung Leistungsstammdaten nach Artikelnummern-Änderung";
constexpr const char* kNoChanges = "Es wurden keine Artikelnummer-Änderungssätze gefunden!";
constexpr const char* kOthersToo =
    "Es wurden außer den Artikelnummer-Änderungssätzen auch andere Sätze gefunden! Weiter?";

class ConfirmForm : public EntryForm {
  public:
    ConfirmForm(const std::string& formClass, const std::string& supplierName)
        : EntryForm(formClass, kCaption) {
        AddDisplay(100, "Lieferant", [supplierName] { return supplierName; });
        AddButton(kOk, "&OK");
        AddButton(kCancel, "&Abbruch");
    }
};

// `TAXLEISTUNG`: the record range of a DATANORM 3 file.
class RangeForm : public EntryForm {
  public:
    RangeForm(long& first, long& last) : EntryForm("TAXLEISTUNG", kCaption) {
        AddLongInt(100, "Erste Satznummer", first);
        AddLongInt(101, "Letzte Satznummer", last);
        AddButton(kOk, "&OK");
        AddButton(kCancel, "&Abbruch");
    }
};

// What the reading of a change file found.
struct ChangeScan {
    NumberChangeTable table;
    bool changeSeen = false;
    bool otherSeen = false;
};

// Takes the pair of an "X" record into the table and shows it.
void takePair(Session& s, ChangeScan& scan, const std::string& number, const std::string& text) {
    scan.changeSeen = true;
    const NumberPair p = numberPairOf(s, number, text);
    s.ui.SetInfo(p.oldKey + " --> " + p.newKey);
    if (p.oldKey != p.newKey) addNumberChange(scan.table, p.oldKey, p.newKey);
}

// Reads a DATANORM 4 article file: how it ended. After a fault (its
// message said that the take-over stops) nothing of the file is applied.
FileResult scanFile4(Session& s, const std::string& file, ChangeScan& scan) {
    try {
        LineReader lines(file, dn4::kLineOptions);
        Dn4Reader reader(s);
        std::string line;
        while (lines.readLine(line)) {
            if (s.ui.ESCPanel()) return FileResult{FileEnding::Cancelled};
            if (!reader.ConvertDn4Line(line)) return FileResult{FileEnding::Failed};
            const DnRecord& rec = reader.record();
            switch (rec.type()) {
                case 'A':
                    if (rec.flag() == 'X')
                        takePair(s, scan, dn4ToUtf8(rec.trimmed(dnpos::ArticleNumber, 15)),
                                 dn4ToUtf8(rec.at(dnpos::ShortText1, 15)));
                    else
                        scan.otherSeen = true;
                    break;
                case 'B':
                case 'C':
                case 'c':
                case 'D':
                case 'E':
                case 'T':
                    scan.otherSeen = true;
                    break;
                case 'R':
                    s.ui.meldung("Rabattgruppen gesondert übernehmen");
                    break;
                case 'S':
                case 'W':
                    s.ui.meldung("Warengruppen gesondert übernehmen");
                    break;
                default:
                    break;
            }
        }
        if (ShowReadFaults(s, lines.report())) return FileResult{FileEnding::Failed};
        if (!reader.HeaderSeen()) {  // an empty file
            s.ui.meldung(kMsgHeaderMissing);
            return FileResult{FileEnding::Failed};
        }
    } catch (const IoError& e) {
        s.ui.meldung(std::string("Datei-Fehler : ") + e.what());
        return FileResult{FileEnding::Failed};
    }
    return FileResult{s.ui.ESCPanel() ? FileEnding::Cancelled : FileEnding::ReadToEnd};
}

}  // namespace

NumberPair numberPairOf(const Session& s, const std::string& articleNumber,
                        const std::string& shortText1) {
    const std::string text = trimBlanks(utf8Left(shortText1, 15));
    return {cutKey(s.ArticlePrefix + trimBlanks(articleNumber)),
            cutKey(s.ParamOk ? text : s.ArticlePrefix + text)};
}

bool ConfirmNumberChange(Session& s) {
    ConfirmForm form("TAXLEISTUNG4", s.suppliers.entry(s.CurrentSupplier).name);
    return form.Execute(s.ui);
}

CommandOutcome ChangeNumbersInServices4(Session& s) {
    ReadCurrentSupplier(s);
    if (!ConfirmNumberChange(s)) return CommandOutcome::Cancelled;
    if (!ChooseImportFiles(s, 'x')) return CommandOutcome::Cancelled;
    const std::string file = s.OnlineImportFiles.front();
    PanelScope panel(s.ui, "Artikelnummern-Änderung");
    s.ui.SetInfo("Indexdatei erzeugen");
    ChangeScan scan;
    // Nothing is applied from a file that did not end well.
    const FileResult result = scanFile4(s, file, scan);
    if (result.ending != FileEnding::ReadToEnd) return OutcomeOf(result);
    if (scan.otherSeen && !scan.changeSeen) {
        s.ui.meldung(kNoChanges);
        return CommandOutcome::Done;
    }
    if (scan.otherSeen && !s.ui.janein(kOthersToo)) return CommandOutcome::Cancelled;
    ApplyNumberChanges(s, scan.table);
    AppendChangeLogFile(s, "4 Artikelnummeränderung", file);
    return CommandOutcome::Done;
}

CommandOutcome ChangeNumbersInServices3(Session& s) {
    ReadCurrentSupplier(s);
    const std::filesystem::path file = caseBlindPath(SourceDirectory(s, ' '), "datanorm");
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        s.ui.meldung("Fehler: Diskette muß Datei DATANORM enthalten!Vermutlich falsche Diskette!");
        return CommandOutcome::Failed;
    }
    RecordFile130 records(file);
    long first = 1;
    long last = static_cast<long>(records.count());
    RangeForm form(first, last);
    if (!form.Execute(s.ui)) return CommandOutcome::Cancelled;
    if (first < 1 || first > last || last > static_cast<long>(records.count()))
        return CommandOutcome::Cancelled;

    PanelScope panel(s.ui, "Artikelnummern-Änderung");
    s.ui.SetInfo("Indexdatei erzeugen");
    ChangeScan scan;
    SetRecordBuffer rec;
    FileResult result;
    for (long n = first; n <= last; ++n) {
        if (s.ui.ESCPanel()) return CommandOutcome::Cancelled;
        if (!records.read(static_cast<std::size_t>(n), rec)) break;
        if (!RecordFile130::endMarkOk(rec)) {
            s.ui.meldung("Fehler: Falsche Satzlänge!!");
            ++result.skipped;
            continue;
        }
        switch (rec.type()) {
            case 'A':
                if (rec.flag() == 'X')
                    takePair(s, scan, dn4ToUtf8(rec.trimmed(dnpos::ArticleNumber, 15)),
                             dn4ToUtf8(rec.at(dnpos::ShortText1, 15)));
                break;
            case 'B':
            case 'C':
            case 'D':
            case 'E':
            case 'T':
                s.ui.meldung("Fehler: Keine Änderungssätze!");
                break;
            case 'K':
                s.ui.meldung("Kundennummer: " + dn4ToUtf8(rec.at(dnpos::CustomerNumber, 10)));
                break;
            case 'R':
                s.ui.meldung("Rabattgruppen gesondert übernehmen");
                break;
            case 'S':
                s.ui.meldung("Warengruppen gesondert übernehmen");
                break;
            default:
                break;
        }
    }
    ApplyNumberChanges(s, scan.table);
    if (result.skipped > 0) s.ui.meldung(SkippedRecordsText(result.skipped));
    return OutcomeOf(result);
}

}  // namespace dn
