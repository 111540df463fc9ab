// The article writer's frame (groups, filter, replay) and the blocks that
// are no article: T and G texts, B deletions and number changes.

#include <utility>

#include "common/protocol.h"
#include "common/session.h"
#include "features/articles/article_run_state.h"
#include "features/articles/article_writer5.h"
#include "formats/dn5/field_split5.h"
#include "host/codepage.h"
#include "host/store.h"

namespace dn::dn5 {

namespace {

std::string trimmed(std::string_view cp850) {
    return dn5::utf8Of(dn5::trim(cp850));
}

std::string quoted(const std::string& key) {
    return "\"" + key + "\"";
}

// yyyymmdd shown as dd.mm.yyyy.
std::string dottedDate(const std::string& d) {
    if (d.size() < 8) return d;
    return d.substr(6, 2) + "." + d.substr(4, 2) + "." + d.substr(0, 4);
}

}  // namespace

ArticleWriter::ArticleWriter(Session& s, dn5::ArticleRunState& run, HostStore& store)
    : s_(s), run_(run), store_(store) {
    const KeyRange range = KeyRange::prefix(s.ArticlePrefix);
    for (const auto& g : store.listDiscountGroups(range)) {
        const std::string key = storeKey(g.key);
        groups_[key] = discountGroupRule({}, g);
        if (g.selektiert) markedDiscountGroups_.insert(key);
    }
    if (run.ImportOptions.OnlySelectedProductGroups)
        for (const auto& g : store.listProductGroups(range))
            if (g.selektiert) markedProductGroups_.insert(storeKey(g.key));
}

DiscountGroupRule ArticleWriter::discountGroup(std::string_view code) const {
    const auto it = groups_.find(storeKey(s_.ArticlePrefix + std::string(dn5::trim(code))));
    DiscountGroupRule info = it == groups_.end() ? DiscountGroupRule{} : it->second;
    info.code = std::string(code);
    return info;
}

bool ArticleWriter::ImportFilter5(std::string_view number, std::string_view productGroup,
                                  std::string_view discountGroup) {
    const dn5::ArticleImportOptions& o = run_.ImportOptions;
    const std::string& prefix = s_.ArticlePrefix;
    if (o.OnlyNumberRange) {
        const std::string key = prefix + dn5::utf8Of(number);
        if (key < o.RangeFrom || key > o.RangeTo) return false;
    }
    const std::string product = trimmed(productGroup);
    if (!product.empty() && o.OnlySelectedProductGroups &&
        !markedProductGroups_.contains(storeKey(prefix + product))) {
        protocolLine("Warengruppe: " + product + " nicht ausgewählt!");
        return false;
    }
    const std::string discount = trimmed(discountGroup);
    if (!discount.empty() && o.OnlySelectedDiscountGroups &&
        !markedDiscountGroups_.contains(storeKey(prefix + discount))) {
        protocolLine("Rabattgruppe: " + discount + " nicht ausgewählt!");
        return false;
    }
    return true;
}

bool ArticleWriter::protocolOn() const {
    return !replay_ && s_.PrintProtocol;
}

void ArticleWriter::protocolLine(const std::string& text) {
    if (protocolOn()) ProtocolLine(s_, text);
}

void ArticleWriter::protocolText(const std::string& text) {
    if (protocolOn()) ProtocolText(s_, text);
}

void ArticleWriter::status(const std::string& text) {
    if (replay_) return;
    if (output_.status)
        output_.status(text);
    else
        s_.ui.SetInfo(text);
}

void ArticleWriter::message(const std::string& text) {
    if (output_.message)
        output_.message(text);
    else
        s_.ui.meldung(text);
}

void ArticleWriter::count(long WriteCounts::*counter) {
    ++(block_.*counter);
}

void ArticleWriter::write(dn5::ArticleBlock& block, Replay replay) {
    replay_ = replay == Replay::Yes;
    if (block.kind == dn5::ArticleBlock::Kind::Deletion ||
        block.kind == dn5::ArticleBlock::Kind::Renumber)
        forget();
    block_ = {};
    switch (block.kind) {
        case dn5::ArticleBlock::Kind::Article:
            articleBlock(block);
            flushArticle();
            break;
        case dn5::ArticleBlock::Kind::Text:
            textBlock(block);
            break;
        case dn5::ArticleBlock::Kind::Graphics:
            graphicsBlock(block);
            break;
        case dn5::ArticleBlock::Kind::Deletion:
            deletion(block);
            break;
        case dn5::ArticleBlock::Kind::Renumber:
            renumber(block);
            break;
    }
    // Counted only once the whole block is written: a block the store
    // refused is not among the imported ones.
    if (!replay_) counts_ += block_;
}

void ArticleWriter::textBlock(const dn5::ArticleBlock& block) {
    Session& s = s_;
    const std::string key = s.ArticlePrefix + trimmed(block.number);
    if (utf8Length(key) > kMaxKeyLength) {
        if (!run_.LongTextKeyNoteShown && !replay_)
            message(
                "Der Langtextschlüssel ist zu lang!\n\nBitte fragen Sie bei dem ZEKO-Support "
                "nach.");
        run_.LongTextKeyNoteShown = true;
        return;
    }
    if (!s.settings.TakeLongTexts) return;
    status(key);
    protocolLine("T-Satz: ");
    const std::string kind = dn5::utf8Of(block.textKind);
    if (block.lastFlag == "A" || block.lastFlag == "N") {
        protocolLine("Langtext: " + key);
        LongText text{key, kind, {}};
        for (const auto& line : block.textLines) {
            text.lines.push_back(dn5::utf8Of(line));
            protocolLine(text.lines.back());
        }
        store_.writeLongText(text);
    } else if (block.lastFlag == "L") {
        if (store_.deleteLongText(key, kind))
            protocolLine("Langtext " + quoted(key) + " gelöscht!");
        else
            protocolLine("Hinweis: Langtext " + quoted(key) + " nicht vorhanden!");
    }
    count(&WriteCounts::longTexts);
    protocolLine("");
}

void ArticleWriter::graphicsBlock(const dn5::ArticleBlock& block) {
    Session& s = s_;
    const std::string key = s.ArticlePrefix + trimmed(block.number);
    status(key);
    protocolLine("G-Satz: ");
    if (block.lastFlag == "A" || block.lastFlag == "N") {
        protocolLine("Grafikanbindung: " + key);
        LongText text{key, "3", {}};
        for (const auto& line : block.textLines) {
            text.lines.push_back(dn5::utf8Of(line));
            protocolLine(text.lines.back());
        }
        store_.writeLongText(text);
    } else if (block.lastFlag == "L") {
        if (store_.deleteLongText(key, "3"))
            protocolLine("Grafikanbindung " + quoted(key) + " gelöscht!");
        else
            protocolLine("Hinweis: Grafikanbindung " + quoted(key) + " nicht vorhanden!");
    }
    protocolLine("");
}

void ArticleWriter::deletion(const dn5::ArticleBlock& block) {
    Session& s = s_;
    if (!ImportFilter5(block.number, {}, {})) return;
    const std::string key = storeKey(s.ArticlePrefix + dn5::utf8Of(block.number));
    protocolLine(block.byArticleLine ? "A-Satz Löschung:" : "B-Satz Löschung:");
    const std::string replacement = trimmed(block.newNumber);
    const std::string date = dn5::trim(block.date).empty()
                                 ? std::string()
                                 : dottedDate(std::string(dn5::trim(block.date)));
    std::optional<ArticleRecord> article = store_.readArticle(key);
    if (!article) {
        protocolLine("Hinweis: Artikel " + quoted(key) + " nicht vorhanden!");
    } else {
        if (s.settings.DeletedArticleMode == 1) {
            if (replacement.empty() && date.empty())
                article->shorttext2 = "*** Artikel gelöscht ***";
            else if (date.empty())
                article->shorttext2 = "*** gelöscht, Ersatz: " + replacement;
            else if (replacement.empty())
                article->shorttext2 = "*** Artikel ab " + date + " gelöscht";
            else
                article->shorttext2 = "*** Ersatz: " + replacement + "  " + date;
            store_.writeArticle(*article);
        } else {
            store_.deleteArticle(key);
        }
        protocolText("Artikel " + quoted(key) + " gelöscht!");
        if (!replacement.empty()) protocolText("  Ersatzartikel: " + replacement);
        if (!date.empty()) protocolText("  ab: " + date);
        protocolLine("");
    }
    protocolLine("");
    status(key);
    count(&WriteCounts::deleted);
}

void ArticleWriter::renumber(const dn5::ArticleBlock& block) {
    Session& s = s_;
    if (!ImportFilter5(block.number, {}, {})) return;
    const std::string oldKey = storeKey(s.ArticlePrefix + dn5::utf8Of(block.number));
    const std::string newKey = storeKey(s.ArticlePrefix + dn5::utf8Of(block.newNumber));
    protocolLine("B-Satz Artikelnummeränderung:");
    if (!store_.articleExists(oldKey)) {
        protocolLine("Hinweis: Artikel " + quoted(oldKey) + " nicht vorhanden!");
    } else if (dn5::trim(block.newNumber).empty() || store_.articleExists(newKey)) {
        // Without a new number the article would lose its number: left as it is.
        if (!dn5::trim(block.newNumber).empty())
            protocolLine("Fehler: Neue Artikelnummer " + quoted(newKey) + " existiert bereits!");
        protocolLine("        Artikelnummer nicht geändert!");
    } else {
        store_.renameArticle(oldKey, newKey);
        protocolLine("Nummernänderung: " + oldKey + " --> " + newKey);
    }
    protocolLine("");
    status(oldKey);
    count(&WriteCounts::renamed);
}

}  // namespace dn::dn5
