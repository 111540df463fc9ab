#include "features/prices/price_maintenance4.h"

#include <filesystem>
#include <memory>
#include <utility>

#include "common/change_log.h"
#include "common/current_supplier.h"
#include "common/field_fault.h"
#include "common/file_choice.h"
#include "common/import_outcome.h"
#include "common/protocol.h"
#include "common/session.h"
#include "common/source_directory.h"
#include "common/unit_batch.h"
#include "features/articles/import_options4.h"
#include "features/prices/maintain_price4.h"
#include "formats/dn4/dn4_reader.h"
#include "host/errors.h"
#include "host/escape_question.h"

namespace dn {
namespace {

// Printer and status panel of the run, closed however it ends.
class PriceRunOutput {
  public:
    explicit PriceRunOutput(Session& s) : s_(s) {}
    ~PriceRunOutput() {
        try {
            if (panel_) s_.ui.PanelOff();
            closeProtocol(s_);
        } catch (...) {
        }
    }
    PriceRunOutput(const PriceRunOutput&) = delete;
    PriceRunOutput& operator=(const PriceRunOutput&) = delete;
    void panel(const std::string& title) {
        s_.ui.PanelOn(title);
        panel_ = true;
    }

  private:
    Session& s_;
    bool panel_ = false;
};

// Reads the file with the reader: how it ended.
FileResult readPriceFile(Session& s, const PriceModes& modes, const std::string& file,
                         Dn4Reader& reader) {
    HostServices& ui = s.ui;
    LineReader lines(file, dn4::kLineOptions);
    reader.startFile();
    ui.Balken_Oeffnen("Importiere " + std::filesystem::path(file).filename().string());
    ui.Balken_Max(static_cast<long>(lines.fileSize()));
    HostStore& store = s.store();
    // A price write the store refuses is reported and left out; the file
    // goes on and ends as one the store failed under.
    bool refused = false;
    UnitBatch<ArticleRecord> batch(
        store, CommitBatchLimits(ReadCommitBatchSize(s)),
        [&store](ArticleRecord& a, Replay) { store.writeArticle(a); },
        [&ui, &refused](const DatabaseError& e) {
            ui.meldung(e.what());
            refused = true;
        });
    const PricedArticleSink write = [&batch](ArticleRecord&& a) { batch.add(std::move(a)); };
    FileEnding ending = FileEnding::ReadToEnd;
    const auto ended = [&reader, &refused](FileEnding how) {
        if (refused) how = FileEnding::StoreFailed;
        return FileResult{how, reader.skippedRecords(), 0};
    };
    std::string line;
    for (;;) {
        ui.Balken_Ist(static_cast<long>(lines.bytesRead()));
        if (ui.EscPressed()) {
            batch.commit();  // the question waits on nothing open
            if (ConfirmEscape(ui, "Import Preispflege abbrechen ?")) {
                ending = FileEnding::Cancelled;
                break;
            }
        }
        try {
            if (!lines.readLine(line)) break;
        } catch (const IoError& e) {
            ui.meldung(std::string("Dateifehler: ") + e.what() + " bei " + SourceDirectory(s, 'p') +
                       "DATPREIS");
            ending = FileEnding::Failed;
            break;
        }
        if (!reader.ConvertDn4Line(line, lines.lineNumber())) {
            ending = FileEnding::Failed;
            break;
        }
        const DnRecord& rec = reader.record();
        switch (rec.type()) {
            case '\0':
                continue;
            case 'K':
                ProtocolLine(s, "Kundennummer: " + dn4ToUtf8(rec.at(dnpos::CustomerNumber, 10)));
                ProtocolLine(s, "");
                break;
            case 'P': {
                const PriceRecordBuffer& price = reader.priceRecord();
                if (price.flag() != 'A') {
                    ProtocolLine(s, "Ungültiges Verarbeitungskennzeichen:" +
                                        dn4ToUtf8(std::string(1, price.flag())));
                    break;
                }
                const std::string_view bytes(price.bytes().data(), 128);
                for (int i = 1; i <= 3; ++i) {
                    PriceBlock4 block = priceBlockOf(bytes, i);
                    ui.SetInfo(dn4ToUtf8(block.articleNumber));
                    if (block.hasArticle())
                        MaintainArticlePrice(s, modes, block, reader.FileInEuro(), write);
                }
                break;
            }
            case 'V':
                PrintPriceFileInfo(s, std::string(rec.at(dnpos::HeaderDate, 6)),
                                   dn4ToUtf8(rec.at(dnpos::HeaderText1, 40)),
                                   dn4ToUtf8(rec.at(dnpos::HeaderText2, 40)),
                                   dn4ToUtf8(rec.at(dnpos::HeaderText3, 40)));
                RecordMaintenanceDate(s, std::string(rec.at(dnpos::HeaderDate, 6)));
                break;
            case 'c':
                if (rec.word(dnpos::CSubtype) == kCDate) {
                    const std::string date = rec.text(dnpos::CDate, 8);
                    auto d = parseDdmmyyyy(date);
                    s.TodayDate = d ? toDayNumber(*d) : s.host.today;
                    ProtocolLine(s, "C-Termin-1: " + dn4ToUtf8(date));
                } else {
                    ProtocolLine(s, "Ungültiges Satzkennzeichen: C");
                }
                break;
            default:
                ProtocolLine(
                    s, "Ungültiges Satzkennzeichen: " + dn4ToUtf8(std::string(1, rec.type())));
                break;
        }
    }
    // A file without a header (empty) is no price file.
    if (ending == FileEnding::ReadToEnd && !reader.HeaderSeen()) {
        ui.meldung(kMsgHeaderMissing);
        ending = FileEnding::Failed;
    }
    if (ShowReadFaults(s, lines.report())) ending = FileEnding::Failed;
    batch.commit();
    ui.Balken_Schliessen();
    return ended(ending);
}

}  // namespace

CommandOutcome PriceMaintenance4(Session& s, int mode) {
    ReadCurrentSupplier(s);
    PriceModes modes;
    if (!AskPriceModes(s, modes, 1)) return CommandOutcome::Cancelled;
    PriceRunOutput output(s);
    if (s.PrintProtocol && !openProtocol(s)) return CommandOutcome::Cancelled;
    std::string file;
    if (mode == 1) {
        file = s.PriceFilePath;
    } else {
        if (!ChooseImportFiles(s, 'p')) return CommandOutcome::Cancelled;
        file = s.OnlineImportFiles.front();
    }
    PrintPriceSettings(s, modes);
    output.panel("Preispflege");
    Dn4Reader reader(s);
    reader.checkNumbers(true);  // a price that is no number leaves the record out
    const FileResult result = readPriceFile(s, modes, file, reader);
    // Only when the run was not ended early.
    if (ChangeLogWanted(result, ChangeLogWhen::AtEndOfFile)) {
        AppendChangeLogFile(s, "4 Preispflege", file);
        if (mode == 1 && !s.OnlineImportStatus.empty()) s.OnlineImportStatus = "1";
    }
    s.TodayDate = s.host.today != 0 ? s.host.today : todayDayNumber();
    if (result.skipped != 0) {
        ProtocolLine(s, SkippedRecordsText(result.skipped));
        s.ui.meldung(WithSkippedRecords("Ende der Preispflege", result.skipped));
    } else if (!s.PrintProtocol) {
        s.ui.meldung("Ende der Preispflege");
    }
    return OutcomeOf(result);
}

}  // namespace dn
