// The record loop of one DATANORM 4 article file: reading with the pushed
// back line, conversion, writing the pending article, dispatch by record
// type and the batch commits.

#include <cstring>
#include <string>

#include "common/current_supplier.h"
#include "common/protocol.h"
#include "common/session.h"
#include "features/articles/article_importer4.h"
#include "host/codepage.h"
#include "host/errors.h"
#include "host/escape_question.h"
#include "host/store.h"
#include "host/store_transaction.h"

namespace dn {

ArticleImporter4::ArticleImporter4(Session& s, const ImportOptions4& options)
    : s_(s), store_(s.store()), options_(options), reader_(s) {
    reader_.checkNumbers(true);
}

ArticleImporter4::~ArticleImporter4() = default;

void ArticleImporter4::protocol(const std::string& line) {
    ProtocolLine(s_, line);
}
void ArticleImporter4::protocolText(const std::string& text) {
    ProtocolText(s_, text);
}

std::string ArticleImporter4::keyOf(const DnRecord& rec) const {
    return utf8Left(s_.ArticlePrefix + dn4ToUtf8(rec.trimmed(dnpos::ArticleNumber, 15)), 18);
}

bool ArticleImporter4::belongsToPending(const std::string& key) const {
    return p_.ArticlePending && key == p_.key;
}

void ArticleImporter4::pushBack(std::string line) {
    lines_->pushBack(std::move(line));
    pushedBackConverted_ = true;
}

int ArticleImporter4::readAhead(std::string& line) {
    if (!lines_->readLine(line)) return 0;
    return lines_->convert(reader_, line) ? 1 : -1;
}

// `schreib_artikelff` with the long-text and surcharge flags. Without a
// batch transaction the article is still written as one unit.
void ArticleImporter4::writePending() {
    if (!p_.ArticlePending) return;
    if (p_.SurchargePending) applyCopperRule();
    auto write = [this] {
        store_.writeArticle(p_.article);
        if (p_.sideTouched) store_.writeArticleSide(p_.side);
        if (p_.LongTextPending) store_.writeDRecords(p_.key, p_.DRecordList);
        if (p_.SurchargePending) store_.writeZBlob(p_.key, p_.ZRecordBlob);
    };
    if (store_.inTransaction()) {
        write();
    } else {
        StoreTransaction t(store_);
        write();
        t.commit();
    }
    p_.ArticlePending = p_.LongTextPending = p_.SurchargePending = false;
}

namespace {

// Records before which the pending article is written (C is stored as "c").
bool endsArticleGroup(char type) {
    return type != 0 && std::strchr("AEKRSTVc", type) != nullptr;
}

// False for a record whose key (article or text number) is blank: it would
// name the article or text of the supplier prefix alone.
bool hasKey(const DnRecord& rec) {
    switch (rec.type()) {
        case 'A':
        case 'B':
        case 'D':
        case 'Z':
            return !rec.trimmed(dnpos::ArticleNumber, 15).empty();
        case 'E':
        case 'T':
            return !rec.trimmed(3, 8).empty();
        case 'c':
            if (rec.word(dnpos::CSubtype) != kCMaterial && rec.word(dnpos::CSubtype) != kCLabour)
                return true;
            return !rec.trimmed(20, 15).empty();
        default:
            return true;
    }
}

}  // namespace

FileEnd ArticleImporter4::readFile(const std::string& path, long long bytesBefore,
                                   long long totalBytes) {
    HostServices& ui = s_.ui;
    lines_ = std::make_unique<dn4::LinesAhead>(path);
    reader_.startFile();
    p_ = PendingArticle4{};
    letterWarned_ = false;
    pushedBackConverted_ = false;
    batch_ = std::make_unique<StreamBatch>(store_, ui, CommitBatchLimits(ReadCommitBatchSize(s_)));

    // A fault ends the file: the pending article is still written and
    // everything committed.
    auto endWith = [this](FileEnd how) {
        writePending();
        return batch_->commit() ? how : FileEnd::StoreFailed;
    };

    std::string line;
    for (;;) {
        ui.Balken_Ist(static_cast<long>(bytesBefore + lines_->bytesRead()));
        ui.Balken_Anzahl(importedCount_);
        if (ui.EscPressed()) {
            ui.Balken_hide();
            if (!batch_->commit()) return FileEnd::StoreFailed;
            // "Nein" clears Escape and the file reads on.
            if (ConfirmEscape(ui)) return endWith(FileEnd::Cancelled);
            batch_->restart();
        }
        const bool converted = lines_->hasPushedBack() && pushedBackConverted_;
        pushedBackConverted_ = false;
        UnitStart start = UnitStart::Follows;
        try {
            if (!lines_->readLine(line)) break;
            if (!converted && !lines_->convert(reader_, line)) return endWith(FileEnd::Stopped);
            DnRecord& rec = reader_.record();
            const char type = rec.type();
            if (type == 0) continue;
            if (endsArticleGroup(type)) writePending();
            // The article before and what belongs to it are written: a batch may end here.
            start = type == 'A' ? UnitStart::Begins : UnitStart::Follows;
            if (!batch_->before(start)) return FileEnd::Stopped;
            if (!hasKey(rec)) {
                protocol(std::string("Fehler: ") + (type == 'c' ? 'C' : type) + "-Satz ohne " +
                         (type == 'T' || type == 'E' ? "Textnummer" : "Artikelnummer") +
                         " in Zeile " + std::to_string(lines_->lineNumber()) + " übergangen!");
                if (!batch_->after(start)) return FileEnd::Stopped;
                continue;
            }
            bool ok = true;
            switch (type) {
                case 'A':
                    reader_.convertAmount(rec.span(dnpos::Price, 8));
                    TransferArticle4(rec);
                    break;
                case 'B':
                    reader_.convertAmount(rec.span(dnpos::MetalNumber, 3));
                    transferB(rec);
                    break;
                case 'c':
                    transferC(rec);
                    break;
                case 'D':
                    if (s_.settings.TakeLongTexts) ok = transferD(rec);
                    break;
                case 'E':
                case 'T':
                    if (s_.settings.TakeLongTexts) ok = transferText(rec);
                    break;
                case 'K':
                    protocol("Kundennummer: " + dn4ToUtf8(rec.at(dnpos::CustomerNumber, 10)));
                    protocol("");
                    break;
                case 'R':
                    protocol("Rabattgruppen gesondert übernehmen");
                    break;
                case 'S':
                    protocol("Warengruppen gesondert übernehmen");
                    break;
                case 'V': {
                    protocol(dn4ToUtf8(rec.at(dnpos::HeaderDate, 6)));
                    protocol(dn4ToUtf8(rec.at(dnpos::HeaderText1, 40)));
                    protocol(dn4ToUtf8(rec.at(dnpos::HeaderText2, 40)));
                    protocol(dn4ToUtf8(rec.at(dnpos::HeaderText3, 40)));
                    protocol("");
                    RecordMaintenanceDate(s_, std::string(rec.at(dnpos::HeaderDate, 6)));
                    break;
                }
                case 'Z':
                    convertZAmounts(rec);
                    ok = transferZ(rec);
                    break;
                default:
                    break;
            }
            if (!ok) return endWith(FileEnd::Stopped);
        } catch (const IoError& e) {
            writePending();
            batch_->commit();
            ui.Balken_hide();
            ui.meldung(std::string("Datei-Fehler in Datei: ") + e.what());
            return FileEnd::ReadError;
        }
        if (!batch_->after(start)) return FileEnd::StoreFailed;
    }
    // A file without a header (empty) is no delivery.
    if (!reader_.HeaderSeen()) {
        ui.Balken_hide();
        ui.meldung(kMsgHeaderMissing);
        return endWith(FileEnd::Stopped);
    }
    // The code page the reader assumed, and what it found wrong with the file.
    const LineReadReport& report = lines_->report();
    for (const auto& note : report.notes) protocol(note);
    if (ShowReadFaults(s_, report)) return endWith(FileEnd::ReadError);
    return endWith(FileEnd::EndOfFile);
}

}  // namespace dn
