// `ImportArticles5`: the options dialog, the files with their progress and
// Escape question, the line dispatcher that gathers blocks, and the totals.

#include "features/articles/import_articles5.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <utility>
#include <variant>

#include "common/change_log.h"
#include "common/current_supplier.h"
#include "common/field_fault.h"
#include "common/file_choice.h"
#include "common/line_rules.h"
#include "common/protocol.h"
#include "common/session.h"
#include "features/articles/article_run_state.h"
#include "features/articles/block_sink.h"
#include "formats/dn5/block_grouping5.h"
#include "formats/dn5/field_split5.h"
#include "formats/dn5/file_result5.h"
#include "formats/dn5/import_files5.h"
#include "formats/dn5/tdatanorm5.h"
#include "host/codepage.h"
#include "host/entry_form.h"
#include "host/errors.h"
#include "host/escape_question.h"
#include "host/store.h"

namespace dn {

namespace {

class ImportOptionsForm5 : public EntryForm {
  public:
    ImportOptionsForm5(Session& s, dn5::ArticleImportOptions& o, bool& protocol)
        : EntryForm("TUEBERNEHMEN4",
                    "DATANORM-Datensätze übernehmen (DATANORM A,B,D,T,E,C,Z-Sätze)") {
        AddExplanation(
            "Diese Funktion ist für DATANORM Artikel-Dateien (Kurz- und Langtext). Rabattgruppen "
            "und "
            "Warengruppen bitte mit den entsprechenden Funktionen übernehmen!");
        AddExplanation("Ist der aktuelle Lieferant richtig ausgewählt?");
        AddExplanation("Haben Sie eine aktuelle Datensicherung Ihrer Artikel?");
        AddYesNo(100, "Nur ausgewählte &Warengruppen übernehmen", o.OnlySelectedProductGroups);
        AddYesNo(101, "Nur &Von-/Bis-Artikel-Nr. übernehmen", o.OnlyNumberRange);
        AddString(102, "von Art.Nr.", o.RangeFrom, 15);
        AddString(103, "bis Art.Nr.", o.RangeTo, 15);
        const std::string name = utf8Left(s.suppliers.entry(s.CurrentSupplier).name, 17);
        AddDisplay(104, "Aktueller Lieferant:", [name] { return name; });
        AddYesNo(105, "Übernahme-Protokoll ausgeben", protocol);
        AddYesNo(106, "Nur ausgewählte Rabattgruppen übernehmen", o.OnlySelectedDiscountGroups);
        AddYesNo(107, "Montageminuten der Artikel beibehalten", o.KeepAssemblyMinutes);
        AddButton(kOk, "&Datenübernahme ");
        AddButton(kCancel, "&Abbruch");
    }
};

struct Totals {
    long articles = 0;
    long longTexts = 0;
    long deleted = 0;
    long renamed = 0;
    // Adds a file's counts; the number of records that changed the store.
    long add(const dn5::WriteCounts& c) {
        articles += c.articles;
        longTexts += c.longTexts;
        deleted += c.deleted;
        renamed += c.renamed;
        return c.changes();
    }
};

// One run of the import over its files.
class ArticleImportRun5 {
  public:
    ArticleImportRun5(Session& s, tdatanorm5& d, dn5::ArticleRunState& state)
        : s_(s),
          d_(d),
          state_(state),
          sink_(dn5::OpenBlockSink(s, state)),
          blocks_([this](dn5::BlockLines&& lines) { writeLines(std::move(lines)); }) {}

    dn5::RecordTable table() {
        auto t = dn5::RecordTable::withHeader('A');
        t.handle('V', [this](tdatanorm5& d, const dn5::Record& r) {
            d.ShowHeader5(r, 'A');
            RecordMaintenanceDate(s_, d.HeaderDateDdMmYy());
            return true;
        });
        for (char letter : {'A', 'C', 'D', 'G', 'T', 'Z'})
            t.handle(letter, [this](tdatanorm5&, const dn5::Record& r) { return blockLine(r); });
        t.handle('B', [this](tdatanorm5&, const dn5::Record& r) { return bRecord(r); });
        t.answer('R', "Rabattsätze mit Rabattsatzfunktion übernehmen!");
        t.answer('S', "Warengruppensätze mit Funktion Warengruppen einlesen!");
        return t;
    }

    // What the blocks of a file wrote; whether its last block was dropped.
    struct FileWrites {
        dn5::WriteCounts counts;
        bool lastBlockFaulty = false;
    };

    // The block still open at the end of a file; a faulty field is shown
    // and the block dropped.
    FileWrites finishFile() {
        std::optional<std::string> fault;
        try {
            blocks_.closeAll();
        } catch (const edatanormfehler& e) {
            fault = e.what();
        }
        FileWrites done{sink_->finish(), fault.has_value()};
        if (fault) s_.ui.meldung(*fault);
        return done;
    }

    // Escape: what was read before stays, the open block is dropped.
    dn5::WriteCounts cancelFile() {
        blocks_.clear();
        return sink_->finish();
    }

    // True when the line the file was cut off in may belong to the open
    // block (its key is the block's or was cut itself); the protocol then
    // names the block, which is not written.
    bool cutInsideOpenBlock() {
        const std::string& cut = d_.cutLine();
        if (cut.empty() || cut.front() == 'B') return false;
        const std::string* key = blocks_.openKey(cut.front());
        if (!key) return false;
        const int keyField = cut.front() == 'C' ? field5::CalcArticleNumber : field5::ArticleNumber;
        if (FieldCount(cut) > keyField && dn5::fieldOf(cut, keyField) != *key) return false;
        ProtocolLine(s_, "Artikel " + s_.ArticlePrefix + dn5::utf8Of(dn5::trim(*key)) +
                             " nicht übernommen: die Datei endet mitten in seinen Sätzen.");
        return true;
    }

    // Called before every line: what the writing thread has to say.
    void deliver() { sink_->deliver(); }

    void startFile() {
        blocks_.clear();
        state_.skipped = 0;
    }

    // Article blocks read so far in the run, for the progress line.
    long articlesRead() const { return articlesRead_; }

  private:
    void write(dn5::ArticleBlock block) {
        if (block.kind == dn5::ArticleBlock::Kind::Article) ++articlesRead_;
        sink_->put(std::move(block));
    }

    void writeLines(dn5::BlockLines&& lines) {
        // A numeric field held no number: the whole block is left out and
        // counted once.
        if (std::any_of(lines.begin(), lines.end(),
                        [](const dn5::BlockLine& l) { return l.faulty; })) {
            ++state_.skipped;
            return;
        }
        dn5::ArticleBlock block = dn5::parseArticleBlock(d_, lines, s_.settings.TakeLongTexts);
        markStoredCalculationLines(block);
        write(std::move(block));
    }

    // The first ARBS line of an article in the run replaces the article's
    // stored calculation lines; the later ones are added to them.
    void markStoredCalculationLines(dn5::ArticleBlock& block) {
        for (auto& step : block.steps) {
            auto* c = std::get_if<dn5::CalcLine>(&step);
            if (!c || dn5::trim(c->f[field5::CalcSubtype]) != "ARBS") continue;
            c->replacesStoredLines =
                arbsArticles_.emplace(dn5::trim(c->f[field5::CalcArticleNumber])).second;
        }
    }

    bool blockLine(const dn5::Record& record) {
        const char letter = record.letter();
        const int keyField = letter == 'C' ? field5::CalcArticleNumber : field5::ArticleNumber;
        const std::string key = record.GetField5(keyField, 15);
        if (dn5::trim(key).empty()) {
            skipWithoutKey(record);
            return true;
        }
        if (letter == 'A' && record.GetField5(field5::ProcessingFlag) == "L") {
            blocks_.closeAll();
            write(dn5::parseArticleDeletion(record));
            return true;
        }
        // The protocol names a numeric field that holds no number; its block
        // is left out when it is complete.
        const bool faulty = d_.noteNumberFault(record);
        blocks_.add(letter, key, dn5::BlockLine{record, faulty});
        return true;
    }

    // A line whose key is blank would name the article (or text) of the
    // supplier prefix alone: it is left out and said so.
    void skipWithoutKey(const dn5::Record& record) {
        const char letter = record.letter();
        const char* what = letter == 'T'   ? "Textnummer"
                           : letter == 'G' ? "Grafiknummer"
                                           : "Artikelnummer";
        ProtocolLine(s_, std::string("Fehler: ") + letter + "-Satz ohne " + what + " in Zeile " +
                             std::to_string(record.lineNumber()) + " übergangen!");
    }

    bool bRecord(const dn5::Record& record) {
        blocks_.closeAll();
        const std::string flag = record.GetField5(field5::ProcessingFlag);
        if ((flag == "A" || flag == "L") &&
            dn5::trim(record.GetField5(field5::ArticleNumber, 15)).empty()) {
            skipWithoutKey(record);
            return true;
        }
        if (flag == "A") write(dn5::parseBRecord(record, dn5::ArticleBlock::Kind::Renumber));
        if (flag == "L") write(dn5::parseBRecord(record, dn5::ArticleBlock::Kind::Deletion));
        return true;
    }

    Session& s_;
    tdatanorm5& d_;
    dn5::ArticleRunState& state_;
    std::unique_ptr<dn5::BlockSink> sink_;
    dn5::BlockGrouping blocks_;
    std::unordered_set<std::string> arbsArticles_;  // numbers whose ARBS lines were seen in the run
    long articlesRead_ = 0;
};

std::vector<std::string> upperOptionalColumns(HostStore& store) {
    std::vector<std::string> names;
    for (const auto& c : store.optionalColumns()) names.push_back(utf8Upper(c));
    return names;
}

}  // namespace

CommandOutcome ImportArticles5(Session& s, int mode) {
    if (!s.dn5) s.dn5 = std::make_shared<tdatanorm5>(s);
    tdatanorm5& d = *s.dn5;
    ReadCurrentSupplier(s);

    dn5::ArticleRunState state;
    bool protocol = false;
    {
        ImportOptionsForm5 form(s, state.ImportOptions, protocol);
        if (!form.Execute(s.ui)) return CommandOutcome::Cancelled;
    }
    state.ImportOptions.RangeFrom = s.ArticlePrefix + state.ImportOptions.RangeFrom;
    state.ImportOptions.RangeTo = s.ArticlePrefix + state.ImportOptions.RangeTo;
    if (mode == 0 && !ChooseImportFiles(s, 'a')) return CommandOutcome::Cancelled;
    const std::vector<std::string> files = s.OnlineImportFiles;
    if (files.empty()) return CommandOutcome::Cancelled;

    s.PrintProtocol = protocol;
    if (protocol && !openProtocol(s)) return CommandOutcome::Cancelled;
    CheckMasterDataDrive(s, dn5::kInputFile);

    HostStore& store = s.store();
    state.OptionalColumns = upperOptionalColumns(store);
    const std::uint64_t total = TotalSize(files);
    s.ui.Balken_Oeffnen("Lese Datei...", true);
    s.ui.Balken_Max(static_cast<long>(total));

    Totals totals;
    std::vector<std::filesystem::path> logged;
    bool stopped = false;
    ImportResult result;
    {
        ArticleImportRun5 run(s, d, state);
        const dn5::RecordTable table = run.table();
        std::uint64_t done = 0;
        for (std::size_t i = 0; i < files.size() && !stopped; ++i) {
            const std::filesystem::path file = files[i];
            std::optional<std::filesystem::path> input;
            try {
                if (s.settings.CopyToLocalDisk) s.ui.Balken_Schliessen();
                input = PrepareInputFile(s, file, dn5::kInputFile);
                if (s.settings.CopyToLocalDisk) {
                    s.ui.Balken_Oeffnen("Lese Datei...", true);
                    s.ui.Balken_Max(static_cast<long>(total));
                }
            } catch (const IoError& e) {
                s.ui.meldung(e.what());
                result.addRefused();
                break;
            }
            if (!input) {  // no to the free-space question
                result.add(FileResult{FileEnding::Cancelled});
                break;
            }
            s.ui.SetInfo("Lese " + file.filename().string());
            run.startFile();
            dn5::ReadHooks hooks;
            hooks.beforeLine = [&](std::uint64_t bytes) {
                run.deliver();
                s.ui.Balken_Ist(static_cast<long>(done + bytes));
                s.ui.Balken_Anzahl(run.articlesRead());
                return !EscapeEndsLoop(s.ui);
            };
            FileEnd end;
            try {
                end = d.ReadFile5(*input, table, hooks);
            } catch (const IoError& e) {  // the file could not be opened
                s.ui.meldung(e.what());
                result.addRefused();
                continue;
            }
            dn5::WriteCounts written;
            if (end == FileEnd::Cancelled) {
                written = run.cancelFile();
                stopped = true;
            } else if (end == FileEnd::ReadError && run.cutInsideOpenBlock()) {
                written = run.cancelFile();  // the file ends inside a block: that block is dropped
            } else {
                const auto done = run.finishFile();
                written = done.counts;
                if (done.lastBlockFaulty && end == FileEnd::EndOfFile)
                    end = FileEnd::Stopped;  // the last block had a faulty field
            }
            for (const auto& note : d.readNotes()) ProtocolLine(s, note);
            done += FileSize(*input);
            // What was written before an early end stays and counts.
            FileResult file5 = FileResult5(d, end, totals.add(written), state.skipped);
            if (written.storeErrors > 0) file5.ending = FileEnding::StoreFailed;
            result.add(file5);
            if (ChangeLogWanted(file5, ChangeLogWhen::AlsoAfterStop)) logged.push_back(file);
            if (file5.ending == FileEnding::ReadToEnd && i < s.OnlineImportStatus.size())
                s.OnlineImportStatus[i] = '1';
        }
    }

    s.ui.Balken_Schliessen();
    RemoveLocalCopy(s);
    s.TodayDate = todayDayNumber();
    s.ui.meldung(std::to_string(totals.articles) + " Artikel und " +
                 std::to_string(totals.longTexts) + " Langtexte nach TORVALO übernommen!" + "\n\n" +
                 std::to_string(totals.deleted) + " Artikel gelöscht!" + "\n\n" +
                 std::to_string(totals.renamed) + " Artikel umbenannt!" +
                 SkippedNote(result.skipped()));
    closeProtocol(s);
    for (const auto& file : logged) AppendChangeLogFile(s, "5 Artikelübernahme", file);
    return result.outcome();
}

}  // namespace dn
