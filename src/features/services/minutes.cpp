#include "features/services/minutes.h"

#include <filesystem>

#include "common/change_log.h"
#include "common/current_supplier.h"
#include "common/import_outcome.h"
#include "common/session.h"
#include "common/source_directory.h"
#include "features/services/record_file130.h"
#include "features/services/set_rows.h"
#include "formats/dn4/dn4_reader.h"
#include "host/amounts.h"
#include "host/case_blind_path.h"
#include "host/codepage.h"
#include "host/entry_form.h"
#include "host/store.h"

namespace dn {
namespace {

constexpr std::size_t kEntries = 6;
constexpr std::size_t kEntrySize = 20;

// `TUEBMINUTEN`: the times are for articles (100) or services (101).
class MinutesForm : public EntryForm {
  public:
    MinutesForm(const std::string& supplierName, bool& forServices)
        : EntryForm("TUEBMINUTEN", "DATANORM-Minuten übernehmen"), forServices_(forServices) {
        articles_ = !forServices;
        AddYesNo(100, "&Artikel", articles_);
        AddYesNo(101, "&Leistungen", forServices);
        field(100)->hint = "Zeitwerte sind für";
        AddDisplay(102, "Lieferant", [supplierName] { return supplierName; });
        AddButton(kOk, "&OK");
        AddButton(kCancel, "&Abbruch");
    }

  protected:
    void PostEdit(int tag) override {
        if (tag != 100 && tag != 101) return;
        field(tag == 100 ? 101 : 100)->value = value(tag) == "1" ? "0" : "1";
    }
    bool OK() override {
        forServices_ = !articles_;
        return true;
    }

  private:
    bool& forServices_;
    bool articles_ = true;
};

}  // namespace

MinutesEntry minutesEntry(std::string_view record, int i) {
    MinutesEntry e;
    const std::size_t at = kEntrySize * static_cast<std::size_t>(i);
    if (record.size() < at + kEntrySize) return e;
    e.number = cp850ToUtf8(trimBlanks(record.substr(at, 15)));
    e.minutes = plainNumber(record.substr(at + 15, 5)) / 10.0;
    return e;
}

CommandOutcome ImportMinutes(Session& s) {
    ReadCurrentSupplier(s);
    bool forServices = false;
    MinutesForm form(utf8Left(s.suppliers.entry(s.CurrentSupplier).name, 10), forServices);
    if (!form.Execute(s.ui)) return CommandOutcome::Cancelled;
    const std::filesystem::path file = caseBlindPath(SourceDirectory(s, ' '), "minuten");
    std::error_code ec;
    // Without the file nothing was taken over: the run says so.
    if (!std::filesystem::is_regular_file(file, ec)) {
        s.ui.meldung("Datei " + file.string() + " nicht vorhanden!");
        return CommandOutcome::Failed;
    }

    HostStore& store = s.store();
    FileResult result;
    {
        PanelScope panel(s.ui, "Minuten");
        RecordFile130 records(file);
        SetRecordBuffer rec;
        for (std::size_t n = 1; n <= records.count(); ++n) {
            if (s.ui.ESCPanel()) {
                result.ending = FileEnding::Cancelled;
                break;
            }
            if (!records.read(n, rec)) continue;
            const std::string_view bytes(rec.bytes().data(), RecordFile130::kRecordSize);
            for (std::size_t i = 0; i < kEntries; ++i) {
                const MinutesEntry e = minutesEntry(bytes, static_cast<int>(i));
                if (e.number.empty()) continue;
                const std::string key = cutKey(s.ArticlePrefix + e.number);
                s.ui.SetInfo(key);
                if (!forServices) {
                    if (auto article = store.readArticle(key)) {
                        article->assemblyminutes = e.minutes;
                        store.writeArticle(*article);
                        ++result.changed;
                    }
                } else if (auto service = store.readService(key)) {
                    service->minutes = e.minutes;
                    service->wage1 = rund(e.minutes / 60.0 * s.host.wageRate1);
                    service->wage2 = rund(e.minutes / 60.0 * s.host.wageRate2);
                    store.writeService(*service);
                    ++result.changed;
                }
            }
        }
    }
    // Also after Escape, as long as something was changed.
    if (ChangeLogWanted(result, ChangeLogWhen::AlsoAfterStop))
        AppendChangeLogFile(s, "  Minutenübernahme", file);
    return OutcomeOf(result);
}

}  // namespace dn
