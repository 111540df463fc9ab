// `NewArticle5`, `ChangeArticle5` and the C lines of an article block.

#include "features/articles/article_writer5.h"

#include <fmt/format.h>

#include <string>
#include <utility>
#include <vector>

#include "common/price_protocol.h"
#include "common/protocol.h"
#include "common/session.h"
#include "features/articles/article_run_state.h"
#include "formats/dn5/field_split5.h"
#include "host/codepage.h"
#include "host/store.h"

namespace dn::dn5 {

namespace {

std::string utf8(std::string_view cp850) {
    return dn5::utf8Of(cp850);
}

std::string trimmed(std::string_view cp850) {
    return dn5::utf8Of(dn5::trim(cp850));
}

// UTF-8 text padded with blanks or cut to n characters.
std::string padText(std::string_view text, std::size_t n) {
    std::string s = utf8Left(text, n);
    const std::size_t len = utf8Length(s);
    if (len < n) s.append(n - len, ' ');
    return s;
}

double numberOf(std::string_view field) {
    return dn5::parseNumber(field).value_or(0.0);
}

std::string quotedKey(const std::string& key) {
    return "\"" + key + "\"";
}

// Assembly minutes from the time kind and value of a C line; nothing for an
// unknown kind.
std::optional<double> minutesOf(std::string_view kind, std::string_view value) {
    const double v = numberOf(value);
    if (kind == "1") return v / 10.0 / 100.0 * 60.0;
    if (kind == "2") return v / 10.0;
    if (kind == "3") return v / 1000.0 * 60.0;
    return std::nullopt;
}

}  // namespace

std::string ArticleProtocolLine(const std::string& key, const std::string& shorttext1,
                                const std::string& discountgroup, double purchase, double sales) {
    return padText(key, 18) + " " + padText(shorttext1, 35) + "  " + padText(discountgroup, 4) +
           " " + formatNumber(purchase, 9, 2) + " " + formatNumber(sales, 9, 2);
}

void ArticleWriter::articleBlock(dn5::ArticleBlock& block) {
    for (const dn5::UnattachedLine& u : block.unattached)
        protocolLine(std::string("Fehler: ") + u.letter + "-Satz ohne Artikel in Zeile " +
                     std::to_string(u.lineNumber) +
                     " übergangen: " + quotedKey(s_.ArticlePrefix + trimmed(block.number)));
    for (auto& step : block.steps) {
        if (auto* a = std::get_if<dn5::ArticleLine>(&step)) {
            if (!ImportFilter5(a->f[3], a->f[11], a->f[10])) continue;
            const std::string key = s_.ArticlePrefix + utf8(a->f[3]);
            writeArticle(block, *a, key, readArticle(key));
        } else {
            calcLine(std::get<dn5::CalcLine>(step));
        }
    }
}

std::optional<ArticleRecord> ArticleWriter::readArticle(const std::string& key) {
    if (last_ && last_->key == storeKey(key)) return last_;
    return store_.readArticle(key);
}

void ArticleWriter::writeArticleRow(ArticleRecord r) {
    // A key the store refuses fails here, where the write used to fail.
    std::string key = keyForWrite(r.key, "Artikel schreiben");
    if (lastPending_ && last_->key != key) flushArticle();
    last_ = std::move(r);
    last_->key = std::move(key);
    lastPending_ = true;
}

void ArticleWriter::flushArticle() {
    if (!lastPending_) return;
    lastPending_ = false;
    try {
        store_.writeArticle(*last_);
    } catch (...) {
        last_.reset();
        throw;
    }
}

void ArticleWriter::prepare(dn5::ArticleBlock& block) const {
    if (block.kind != dn5::ArticleBlock::Kind::Article) return;
    for (auto& step : block.steps)
        if (auto* a = std::get_if<dn5::ArticleLine>(&step))
            a->fresh = buildArticle(block, *a, std::nullopt).row;
}

ArticleWriter::Built ArticleWriter::buildArticle(const dn5::ArticleBlock& block,
                                                 const dn5::ArticleLine& a,
                                                 std::optional<ArticleRecord> old) const {
    const Session& s = s_;
    Built built;
    ArticleRecord& r = built.row;
    const bool isNew = a.f[2] == "N" || !old;
    built.isNew = isNew;
    if (old) {
        r = std::move(*old);
    } else {
        r.key = s.ArticlePrefix + utf8(a.f[3]);
        r.newflag = 0;
    }
    const bool hasOptional = !run_.OptionalColumns.empty();
    auto take = [&](int n) { return isNew || a.present(n); };
    auto text = [&](int n) { return utf8(a.f[n]); };
    auto shortText = [&](int n) {
        if (!isNew && !a.present(n)) return std::string(40, ' ');
        return utf8(s.CurrentCaseConversion ? convertCaseCp850(a.f[n]) : a.f[n]);
    };
    auto keyField = [&](int n, std::string& column) {
        if (a.present(n))
            column = s.ArticlePrefix + trimmed(a.f[n]);
        else if (isNew)
            column.clear();
    };

    r.shorttext1 = shortText(4);
    r.shorttext2 = shortText(5);
    if (take(6)) r.unit = utf8(dn5::ReplaceUnit5(a.f[6], s.settings.ReplaceUnits));
    if (take(7)) {
        r.priceflag = text(7);
        r.priceflagsource = "1";
    }
    if (take(10)) r.discountgroup = text(10);

    dn5::ArticlePriceInput in = a.price;
    in.isNew = isNew;
    in.storedPriceUnit = r.priceunit;
    in.priceFlag = r.priceflag;
    in.group = discountGroup(r.discountgroup);
    in.oldPurchasePrice = isNew ? 0.0 : r.purchaseprice;
    in.oldSalesPrice = isNew ? 0.0 : r.salesprice;
    in.TakeListPrice = s.settings.TakeListPrice;
    built.price = dn5::PriceFromArticle5(in);
    const dn5::ArticlePriceResult& price = built.price;
    if (price.applies) {
        r.priceunit = price.priceunit;
        r.purchaseprice = price.purchaseprice;
        r.salesprice = price.salesprice;
        if (price.listprice) r.listprice = *price.listprice;
        if (price.richtpreis && hasOptional) r._richtpreis = *price.richtpreis;
        r.changedate = s.TodayDate;
    }
    if (take(11)) r.productgroup = text(11);
    if (take(12)) r.productsubgroup = text(12);
    if (a.present(13))
        r.matchcode = text(13);
    else if (isNew)
        r.matchcode = utf8Lower(utf8Left(r.shorttext1, 15));
    if (take(15)) r.attr15 = text(15);
    if (take(19)) r.attr19 = text(19);
    keyField(20, r.graphickey);
    if (a.present(21))
        r.attr21 = dn5::integerOf(a.f[21]);
    else if (isNew)
        r.attr21 = 1;
    if (take(22)) r.attr22 = text(22);
    if (a.present(23))
        r.attr23 = text(23);
    else if (isNew)
        r.attr23 = "0";
    r.attrzero = "0";
    keyField(24, r.longtextkey);
    if (take(25)) r.attr25 = dn5::integerOf(a.f[25]);
    if (take(27)) r.attr27 = text(27);
    if (take(28)) r.attr28 = text(28);
    if (a.present(29)) r.attr29 = dn5::integerOf(a.f[29]);
    if (hasOptional) {
        if (take(14)) r._kuerzelalternativ = utf8(a.f[14].substr(0, 13));
        if (take(16)) r._kuerzelhersteller = utf8(a.f[16].substr(0, 13));
        if (take(17)) r._herstellernummer = utf8(a.f[17].substr(0, 35));
        if (take(18)) r._herstellertype = utf8(a.f[18].substr(0, 35));
        if (take(26)) r._lagermerker = utf8(a.f[26].substr(0, 1));
    }
    if (isNew) {
        r.metalweight = block.copperValues[0];
        r.metalbase = block.copperValues[1];
        if (s.CopperSurcharge) {
            r.metalsurcharge = 0;
            r.metalkind = "c";
        }
    }
    return built;
}

void ArticleWriter::writeArticle(const dn5::ArticleBlock& block, dn5::ArticleLine& a,
                                 const std::string& key, std::optional<ArticleRecord> old) {
    Session& s = s_;
    const bool stored = old.has_value();
    // Protocol lines are built only when the protocol is printed.
    const bool protocol = protocolOn();
    // A row built ahead holds no protocol; it serves a key without article.
    // It is taken: a block written again builds its rows anew.
    Built built;
    if (!stored && a.fresh && !protocol)
        built.row = std::move(*a.fresh);
    else
        built = buildArticle(block, a, std::move(old));
    a.fresh.reset();
    if (protocol) {
        if (built.isNew) {
            protocolLine("A-Satz Neuanlage:");
            if (stored) protocolLine("Hinweis: Artikel \"" + key + "\" wird überschrieben");
        } else {
            protocolLine("A-Satz Änderung:");
        }
        printPriceProtocol(s, built.price.protocol);
    }
    const dn5::ArticlePriceResult& price = built.price;
    writeArticleRow(std::move(built.row));
    const ArticleRecord& written = *last_;

    // A new key has no D records or Z lines to replace.
    if (stored || !block.dRecords.empty()) store_.writeDRecords(key, block.dRecords);
    if (stored || !block.surchargeLines.empty()) {
        std::vector<std::string> z;
        z.reserve(block.surchargeLines.size());
        for (const auto& line : block.surchargeLines) z.push_back(utf8(line));
        store_.writeZBlob(key, z);
    }

    if (protocol) {
        if (dn5::trim(written.shorttext1).empty() && dn5::trim(written.shorttext2).empty())
            protocolLine("Kurztextzeile 1 und Kurztextzeile 2 sind leer!");
        protocolLine(ArticleProtocolLine(key, written.shorttext1, written.discountgroup,
                                         written.purchaseprice, written.salesprice));
        if (!price.surchargeLine.empty()) protocolLine(price.surchargeLine);
        if (!block.dRecords.empty()) {
            protocolLine("D-Satz:");
            for (const auto& d : block.dRecords) protocolLine(d.text);
        }
        protocolLine("");
    }
    count(&WriteCounts::articles);
    status(trimmed(a.f[3]));
}

void ArticleWriter::calcLine(const dn5::CalcLine& c) {
    Session& s = s_;
    const std::string key = s.ArticlePrefix + trimmed(c.f[4]);
    if (c.f[2] == "L") return;
    std::optional<ArticleRecord> found = readArticle(key);
    if (!found) return;
    ArticleRecord& r = *found;
    const std::string_view subtype = dn5::trim(c.f[3]);
    auto done = [&](const char* name) {
        if (!protocolOn()) return;
        protocolLine(std::string("C-Satz ") + name + "  Artikel: " + key);
        protocolLine("");
    };
    if (subtype == "WST1") {
        r.metalbase = numberOf(c.f[6]) / 1000.0;
        r.metalsurcharge = numberOf(c.f[8]) / 1000.0;
        writeArticleRow(std::move(r));
        done("WST1");
    } else if (subtype == "WST2") {
        if (run_.OptionalColumns.empty()) return;
        r._kalkmengeneinheit = utf8(dn5::ReplaceUnit5(c.f[5], s.settings.ReplaceUnits));
        r._kalkfaktor = numberOf(c.f[6]);
        writeArticleRow(std::move(r));
    } else if (subtype == "ARBA") {
        if (run_.ImportOptions.KeepAssemblyMinutes) return;
        if (auto m = minutesOf(dn5::trim(c.f[6]), c.f[7])) r.assemblyminutes = *m;
        writeArticleRow(std::move(r));
        done("ARBA");
    } else if (subtype == "ARBS") {
        const double m = minutesOf(dn5::trim(c.f[6]), c.f[7]).value_or(r.assemblyminutes);
        if (c.replacesStoredLines)
            std::erase_if(r.extralines, [](const std::string& l) { return l.starts_with("C50"); });
        r.extralines.push_back("C50" + formatNumber(m, 7, 3) + trimmed(c.f[8]));
        writeArticleRow(std::move(r));
        done("ARBS");
    }
}

}  // namespace dn::dn5
