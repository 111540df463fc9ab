// The price maintenance of DATANORM 5: command frame and P-record handler.

#include "features/prices/price_maintenance5.h"

#include <filesystem>
#include <memory>
#include <unordered_map>

#include "common/change_log.h"
#include "common/current_supplier.h"
#include "common/field_fault.h"
#include "common/file_choice.h"
#include "common/protocol.h"
#include "common/session.h"
#include "common/unit_batch.h"
#include "features/prices/price_line5.h"
#include "formats/dn5/field_split5.h"
#include "formats/dn5/file_result5.h"
#include "formats/dn5/price_fields5.h"
#include "formats/dn5/prices5.h"
#include "host/codepage.h"
#include "host/day_number.h"
#include "host/escape_question.h"
#include "host/store.h"

namespace dn {

namespace {

// The discount groups of the run, read once each: the price maintenance
// does not change them.
class DiscountGroups5 {
  public:
    DiscountGroups5(HostStore& store, std::string prefix)
        : store_(store), prefix_(std::move(prefix)) {}

    const DiscountGroupRule& lookup(const std::string& code) {
        auto it = cache_.find(code);
        if (it != cache_.end()) return it->second;
        return cache_
            .emplace(code, discountGroupRule(code, store_.readDiscountGroup(prefix_ + code)))
            .first->second;
    }

  private:
    HostStore& store_;
    std::string prefix_;
    std::unordered_map<std::string, DiscountGroupRule> cache_;
};

// One run over a price-change file.
class PriceRun {
  public:
    PriceRun(Session& s, tdatanorm5& dn5, const PriceModes& options, std::size_t batchSize)
        : s_(s),
          dn5_(dn5),
          options_(options),
          store_(s.store()),
          hasOptionalColumns_(!store_.optionalColumns().empty()),
          groups_(store_, s.ArticlePrefix),
          batch_(
              store_, BatchLimits{.units = batchSize},
              [this](ArticleRecord& a, Replay) { store_.writeArticle(a); },
              [&s](const DatabaseError& e) { s.ui.meldung(e.what()); }),
          convert_(dn5::FileCurrency(dn5)) {}

    dn5::RecordTable table() {
        dn5::RecordTable t = dn5::RecordTable::withHeader('P');
        t.handle(
            'V',
            [this](tdatanorm5& d, const dn5::Record& r) {
                d.ShowHeader5(r, 'P');
                RecordMaintenanceDate(s_, d.HeaderDateDdMmYy());
                return true;
            },
            false);
        t.handle('P', [this](tdatanorm5&, const dn5::Record& r) {
            priceRecord(r);
            return true;
        });
        return t;
    }

    UnitBatch<ArticleRecord>& batch() { return batch_; }
    const dn5::RunCounts& counts() const { return counts_; }
    // Articles changed so far, for the progress bar.
    long changed() const { return counts_.RecordCount; }

  private:
    void priceRecord(const dn5::Record& record) {
        if (dn5_.noteNumberFault(record)) {  // the article keeps its prices
            ++counts_.SkippedCount;
            ProtocolLine(s_, "");
            return;
        }
        const std::string number = PriceLineArticleNumber5(record);
        if (dn5::trim(number).empty()) {  // would name the article of the prefix alone
            ProtocolLine(s_, "Fehler: P-Satz ohne Artikelnummer in Zeile " +
                                 std::to_string(record.lineNumber()) + " übergangen!");
            return;
        }
        const std::string key = s_.ArticlePrefix + number;
        if (auto found = store_.readArticle(key)) {
            if (s_.PrintProtocol) ProtocolLine(s_, "Preisänderung: " + key);
            ArticleRecord a = std::move(*found);
            const dn5::PriceChangeResult r = PriceMaintenance5Article(input(record, a));
            printPriceProtocol(s_, r.protocol);
            apply(r, a);
            batch_.add(std::move(a));
            ++counts_.RecordCount;  // also after a refused write
        } else {
            if (s_.PrintProtocol) ProtocolLine(s_, "Artikel nicht gefunden: " + key);
        }
        ProtocolLine(s_, "");
        s_.ui.SetInfo(key);
    }

    dn5::PriceChangeInput input(const dn5::Record& record, const ArticleRecord& a) {
        dn5::PriceChangeInput in = ReadPriceLine5(record, convert_);
        in.discountGroup = cp850ToUtf8(in.discountGroup);
        if (!dn5::trim(in.discountGroup).empty()) in.givenGroup = groups_.lookup(in.discountGroup);
        in.givenGroup.code = in.discountGroup;
        in.articleGroup = groups_.lookup(a.discountgroup);
        in.oldPurchasePrice = a.purchaseprice;
        in.oldSalesPrice = a.salesprice;
        in.storedListPrice = a.listprice;
        in.purchaseMode = options_.purchaseMode;
        in.salesMode = options_.salesMode;
        in.NetZeroUsesListPrice = s_.settings.NetZeroUsesListPrice;
        in.TakeListPrice = s_.settings.TakeListPrice;
        return in;
    }

    void apply(const dn5::PriceChangeResult& r, ArticleRecord& a) const {
        a.priceflag = cp850ToUtf8(r.priceflag);
        a.priceflagsource = "1";
        a.priceunit = r.priceunit;
        if (r.discountgroup) a.discountgroup = std::string(dn5::trim(*r.discountgroup));
        a.purchaseprice = r.purchaseprice;
        a.salesprice = r.salesprice;
        if (r.listprice) a.listprice = *r.listprice;
        if (r.factoryprice) a.factoryprice = *r.factoryprice;
        a.changedate = s_.TodayDate;
        if (hasOptionalColumns_) {
            if (r.empfohlenervk) a._empfohlenervk = *r.empfohlenervk;
            if (r.richtpreis) a._richtpreis = *r.richtpreis;
        }
    }

    Session& s_;
    tdatanorm5& dn5_;
    const PriceModes& options_;
    HostStore& store_;
    bool hasOptionalColumns_;  // the article table has "_" columns
    DiscountGroups5 groups_;
    UnitBatch<ArticleRecord> batch_;
    dn5::CurrencyConversion convert_;
    dn5::RunCounts counts_;
};

std::uint64_t fileSize(const std::string& file) {
    std::error_code ec;
    const auto n = std::filesystem::file_size(file, ec);
    return ec ? 0 : n;
}

// Progress before each line, and Escape with its question.
bool beforeLine(Session& s, std::uint64_t bytesRead, long changed) {
    s.ui.Balken_Ist(static_cast<long>(bytesRead));
    s.ui.Balken_Anzahl(changed);
    return !EscapeEndsLoop(s.ui);
}

}  // namespace

dn5::PriceFileEnd RunPriceFile5(Session& s, const std::string& file, const PriceModes& options,
                                std::size_t batchSize) {
    if (!s.dn5) s.dn5 = std::make_shared<tdatanorm5>(s);
    tdatanorm5& dn5 = *s.dn5;

    s.ui.Balken_Oeffnen("Importiere Preispflegedatei...", true);
    s.ui.Balken_Max(static_cast<long>(fileSize(file)));
    PrintPriceSettings(s, options);

    PriceRun run(s, dn5, options, batchSize);
    const dn5::RecordTable table = run.table();
    FileEnd end = FileEnd::ReadError;
    try {
        end = dn5.ReadFile5(
            file, table, {[&s, &run](std::uint64_t n) { return beforeLine(s, n, run.changed()); }});
        run.batch().commit();
    } catch (...) {
        // The records handled before the error stay changed.
        try {
            run.batch().commit();
        } catch (...) {
        }
        s.ui.Balken_Schliessen();
        throw;
    }
    s.ui.Balken_Schliessen();
    s.TodayDate = todayDayNumber();
    return {end, run.counts()};
}

CommandOutcome PriceMaintenance5(Session& s, int mode) {
    ReadCurrentSupplier(s);
    PriceModes options;
    if (!AskPriceModes(s, options, 1)) return CommandOutcome::Cancelled;
    std::string file;
    if (mode == 1) {
        file = s.PriceFilePath;
    } else {
        if (!ChooseImportFiles(s, 'p')) return CommandOutcome::Cancelled;
        file = s.OnlineImportFiles.front();
    }
    if (s.PrintProtocol && !openProtocol(s)) return CommandOutcome::Cancelled;

    dn5::PriceFileEnd run;
    try {
        run = RunPriceFile5(s, file, options);
    } catch (...) {
        closeProtocol(s);
        throw;
    }
    const long changed = run.counts.RecordCount;
    const FileResult result = FileResult5(*s.dn5, run.end, changed, run.counts.SkippedCount);
    s.ui.meldung("Preispflege für " + std::to_string(changed) + " Artikel durchgeführt!" +
                 SkippedNote(result.skipped));
    closeProtocol(s);
    // Only a file read to its end counts as taken over.
    if (!ChangeLogWanted(result, ChangeLogWhen::AtEndOfFile)) return OutcomeOf(result);
    AppendChangeLogFile(s, "5 Preispflege", file);
    if (mode == 1 && !s.OnlineImportStatus.empty()) s.OnlineImportStatus = "1";
    return OutcomeOf(result);
}

}  // namespace dn
