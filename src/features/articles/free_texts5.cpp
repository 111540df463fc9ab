// Command 36: free texts ("ungebundene/freie Langtexte") of a DATANORM 5
// text file, stored as long texts of kind "0".

#include <memory>

#include "common/change_log.h"
#include "common/file_choice.h"
#include "common/session.h"
#include "features/articles/import_articles5.h"
#include "formats/dn5/field_split5.h"
#include "formats/dn5/file_result5.h"
#include "formats/dn5/import_files5.h"
#include "formats/dn5/tdatanorm5.h"
#include "host/codepage.h"
#include "host/errors.h"
#include "host/store.h"

namespace dn {

namespace {

// The T lines of one text key, stored when the key changes.
class FreeTextGroup5 {
  public:
    explicit FreeTextGroup5(Session& s) : s_(s) {}

    bool line(const dn5::Record& record) {
        const std::string key = record.GetField5(field5::TextKey, 15);
        if (key != key_) {
            store();
            key_ = key;
        }
        lines_.push_back(record.GetField5(field5::TextLine, 70));
        flag_ = record.GetField5(field5::ProcessingFlag);
        if (++count_ % 64 == 0) s_.ui.SetInfo(std::to_string(count_));
        return true;
    }

    // Stores the pending group: one transaction per text.
    void store() {
        if (lines_.empty()) return;
        const std::string key = s_.ArticlePrefix + cp850ToUtf8(dn5::trim(key_));
        HostStore& store = s_.store();
        try {
            StoreTransactionGuard tx(store);
            if (flag_ == "A" || flag_ == "N") {
                LongText text{key, "0", {}};
                for (const auto& l : lines_) text.lines.push_back(cp850ToUtf8(l));
                store.writeLongText(text);
            } else if (flag_ == "L") {
                store.deleteLongText(key, "0");
            }
            tx.commit();
        } catch (const DatabaseError& e) {
            s_.ui.meldung(e.what());
        }
        ++stored_;
        lines_.clear();
    }

    // Before each file.
    void reset() {
        lines_.clear();
        key_.clear();
        count_ = 0;
        stored_ = 0;
    }

    // Texts of the file stored (or deleted) so far.
    long stored() const { return stored_; }

  private:
    // A transaction rolled back unless committed.
    class StoreTransactionGuard {
      public:
        explicit StoreTransactionGuard(HostStore& st) : st_(st) { st_.StartTransaction(); }
        ~StoreTransactionGuard() {
            if (open_) try {
                    st_.Rollback();
                } catch (...) {
                }
        }
        StoreTransactionGuard(const StoreTransactionGuard&) = delete;
        StoreTransactionGuard& operator=(const StoreTransactionGuard&) = delete;
        void commit() {
            st_.Commit();
            open_ = false;
        }

      private:
        HostStore& st_;
        bool open_ = true;
    };

    Session& s_;
    std::string key_;
    std::string flag_;
    std::vector<std::string> lines_;
    long count_ = 0;
    long stored_ = 0;
};

}  // namespace

CommandOutcome ImportFreeTexts5(Session& s, int mode) {
    if (!s.dn5) s.dn5 = std::make_shared<tdatanorm5>(s);
    tdatanorm5& d = *s.dn5;
    if (mode == 0 && !ChooseImportFiles(s, 't')) return CommandOutcome::Cancelled;
    const std::vector<std::string> files = s.OnlineImportFiles;
    if (files.empty()) return CommandOutcome::Cancelled;
    CheckMasterDataDrive(s, dn5::kInputFile);

    FreeTextGroup5 group(s);
    dn5::RecordTable table = dn5::RecordTable::withHeader('T');
    table.handle('T', [&group](tdatanorm5&, const dn5::Record& r) { return group.line(r); });
    dn5::ReadHooks hooks;
    hooks.beforeLine = [&s](std::uint64_t) { return !s.ui.ESCPanel(); };

    long total = 0;
    ImportResult result;
    for (const auto& name : files) {
        const std::filesystem::path file = name;
        std::optional<std::filesystem::path> input;
        try {
            input = PrepareInputFile(s, file, dn5::kInputFile);
        } catch (const IoError& e) {
            s.ui.meldung(e.what());
            result.addRefused();
            break;
        }
        if (!input) {  // no to the free-space question
            result.add(FileResult{FileEnding::Cancelled});
            break;
        }
        s.ui.PanelOn("Übernahme " + file.filename().string());
        group.reset();
        FileEnd end = FileEnd::ReadError;
        try {
            end = d.ReadFile5(*input, table, hooks);
        } catch (const IoError& e) {
            s.ui.meldung(e.what());
        }
        group.store();
        s.ui.PanelOff();
        total += group.stored();
        const FileResult file5 = FileResult5(d, end, group.stored(), 0);
        result.add(file5);
        if (ChangeLogWanted(file5, ChangeLogWhen::AtEndOfFile)) {
            AppendChangeLogFile(s, "5 Langtextübernahme", file);
            if (!s.OnlineImportStatus.empty()) s.OnlineImportStatus = "1";
        }
        if (end == FileEnd::Cancelled) break;
    }
    RemoveLocalCopy(s);
    s.ui.meldung(std::to_string(total) + " ungebundene/freie Langtexte nach TORVALO übernommen!" +
                 SkippedNote(result.skipped()));
    return result.outcome();
}

}  // namespace dn
