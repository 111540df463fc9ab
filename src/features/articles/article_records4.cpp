// The B, C and Z records of the DATANORM 4 article import and the copper
// rule applied when a pending article with surcharges is written.

#include <fmt/format.h>

#include <cmath>

#include "common/session.h"
#include "features/articles/article_importer4.h"
#include "features/articles/import_text4.h"
#include "host/day_number.h"
#include "host/store.h"

namespace dn {
namespace {

std::string field(const DnRecord& rec, std::size_t pos, std::size_t width) {
    return dn4ToUtf8(rec.at(pos, width));
}

double number(const DnRecord& rec, std::size_t pos, std::size_t width) {
    return fieldNumber(rec.at(pos, width));
}

}  // namespace

void ArticleImporter4::loadSide() {
    if (p_.sideLoaded) return;
    p_.sideLoaded = true;
    if (p_.existed) {
        if (auto side = store_.readArticleSide(p_.key)) {
            p_.side = std::move(*side);
            return;
        }
    }
    p_.side = ArticleSideRecord{};
    p_.side.key = p_.key;
}

void ArticleImporter4::transferB(const DnRecord& rec) {
    const std::string key = keyOf(rec);
    if (!InNumberRange(options_, key)) return;
    protocol("Bsatz");
    // The B record of an article deleted just before: nothing is left to add to.
    if (key == p_.key && p_.deleted) return;
    if (key != p_.key || !p_.ArticlePending) {
        protocol("Fehler Bsatz passt nicht zu Asatz!");
        return;
    }
    if (rec.flag() != 'A' && rec.flag() != 'N') return;
    loadSide();
    p_.sideTouched = true;
    ArticleSideRecord& side = p_.side;
    ArticleRecord& a = p_.article;
    side.recordtype = 3;
    if (rec.present(33)) side.altarticleno = field(rec, 33, 15);
    if (rec.present(48)) side.catalog = field(rec, 48, 6);
    if (rec.present(54)) side.metalunitcode = field(rec, 54, 1);
    if (rec.present(55)) side.metalnumber = field(rec, 55, 3);
    if (rec.present(58)) {
        const char unit = rec.byte(54);
        const double factor = unit == '1' ? 100.0 : unit == '2' ? 1000.0 : 1.0;
        side.metalweight = number(rec, 58, 6) / 100.0 / factor;
    }
    if (s_.CopperSurcharge && rec.present(55)) {
        a.metalbase = number(rec, 55, 3);
        a.metalweight = side.metalweight;
        a.metalsurcharge = 0;
        a.metalkind = "c";
    }
    if (rec.present(64)) side.ean = field(rec, 64, 13);
    if (rec.present(99)) side.articlekind = static_cast<int>(std::lround(number(rec, 99, 2)));
    if (rec.present(89)) side.supplement1 = field(rec, 89, 10);
    if (rec.present(77)) side.supplement2 = field(rec, 77, 12);
    if (rec.present(106)) side.supplement3 = field(rec, 106, 4);
    if (rec.present(110)) side.supplement4 = field(rec, 110, 17);
    // A quantity of 0 or a blank field names no price unit: the article
    // keeps its own.
    if (const long quantity = std::lround(number(rec, dnpos::QuantityPerPrice, 5)); quantity > 0) {
        a.priceunit = static_cast<int>(quantity);
        a.priceunitfraction = 0;
    }
    const std::string matchcode = trimBlanks4(field(rec, 18, 15));
    if (!matchcode.empty()) a.matchcode = matchcode;
    protocol(matchcode);
}

void ArticleImporter4::transferC(const DnRecord& rec) {
    const std::uint16_t subtype = rec.word(dnpos::CSubtype);
    if (subtype == kCDate) {
        const std::string date = rec.text(dnpos::CDate, 8);
        if (auto d = parseDdmmyyyy(date); d && !trimBlanks4(date).empty())
            s_.TodayDate = toDayNumber(*d);
        else
            s_.TodayDate = s_.host.today != 0 ? s_.host.today : todayDayNumber();
        protocol("C-Termin-1: " + dn4ToUtf8(date));
        return;
    }
    if (subtype != kCMaterial && subtype != kCLabour) {
        if (subtype == 0) protocol("Falsche Satzkennung: " + field(rec, 3, 15));
        return;
    }
    if (subtype == kCLabour && options_.keepAssemblyMinutes) return;
    const std::string key = utf8Left(s_.ArticlePrefix + trimBlanks4(field(rec, 20, 15)), 18);
    if (!InNumberRange(options_, key)) return;
    auto article = store_.readArticle(key);
    if (!article) {
        protocol("Artikel \"" + key + "\" für C-Satz nicht gefunden!");
        return;
    }
    if (subtype == kCMaterial) {
        article->metalweight = number(rec, 35, 8) / 1000.0;
        article->metalbase = number(rec, 51, 10) / 1000.0;
        store_.writeArticle(*article);
        protocol("C-WERKSTOFF-1: " + key);
        return;
    }
    const double time = number(rec, 37, 6);
    if (rec.byte(36) == '1')
        article->assemblyminutes = time * 0.06;
    else if (rec.byte(36) == '2')
        article->assemblyminutes = time / 10.0;
    store_.writeArticle(*article);
    protocol("C-ARBEIT-1: " + key);
}

void ArticleImporter4::convertZAmounts(DnRecord& rec) {
    auto conv = [&](std::size_t pos, std::size_t width) {
        reader_.convertAmount(rec.span(pos, width));
    };
    auto priced = [&](std::size_t pos) { return rec.byte(pos) == '3' || rec.byte(pos) == '4'; };
    switch (rec.byte(20)) {
        case '1':
            conv(52, 8);
            break;
        case '2':
            if (priced(51)) conv(52, 8);
            break;
        case '3':
            if (priced(23)) conv(24, 8);
            conv(32, 6);
            conv(38, 6);
            break;
        case '4':
            conv(23, 6);
            break;
        case '5':
            if (priced(61)) conv(62, 8);
            break;
        case '6':
            conv(25, 8);
            conv(33, 6);
            conv(39, 6);
            break;
        default:
            break;
    }
}

bool ArticleImporter4::transferZ(const DnRecord& first) {
    const DnRecord rec = first;
    const std::string key = keyOf(rec);
    if (!InNumberRange(options_, key)) return true;
    protocol("Zsatz");
    if (!belongsToPending(key)) {
        protocol("Fehler Zsatz passt nicht zu Asatz!");
        return true;
    }
    p_.SurchargePending = true;
    p_.ZRecordBlob.clear();
    p_.zRaw.clear();
    auto add = [this](const DnRecord& r) {
        p_.zRaw.emplace_back(r.at(1, 128));
        p_.ZRecordBlob.push_back(dn4ToUtf8(r.at(2, 127)));
    };
    add(rec);
    std::string line;
    for (;;) {
        const int got = readAhead(line);
        if (got < 0) return false;
        if (got == 0 || line.empty()) break;
        if (reader_.skipped()) continue;  // a faulty record among the group's
        DnRecord& next = reader_.record();
        if (next.type() != 'Z' || keyOf(next) != key) {
            pushBack(std::move(line));
            break;
        }
        convertZAmounts(next);
        add(next);
    }
    for (const auto& z : p_.ZRecordBlob) protocol(utf8Left(z, 2));
    return true;
}

// The first Z record of subtype "4" with metal code "CU" gives the metal
// number and weight of the stock record.
void ArticleImporter4::applyCopperRule() {
    for (const auto& raw : p_.zRaw) {
        DnRecord z;
        z.put(1, raw);
        if (z.byte(20) != '4' || z.at(21, 2) != "CU") continue;
        const double a = fieldNumber(z.at(23, 6));
        const double b = fieldNumber(z.at(29, 6));
        const double c = fieldNumber(z.at(35, 6));
        const double d = fieldNumber(z.at(41, 6));
        loadSide();
        p_.sideTouched = true;
        const int unit = p_.article.priceunit != 0 ? p_.article.priceunit : 1;
        p_.side.metalnumber = fmt::format("{:3d}", std::lround(a * b / 10.0)).substr(0, 3);
        p_.side.metalweight = c / 100.0 * d / 1000.0 / unit;
        if (s_.CopperSurcharge) {
            p_.article.metalbase = std::lround(a * b / 10.0);
            p_.article.metalweight = p_.side.metalweight;
            p_.article.metalsurcharge = 0;
            p_.article.metalkind = "c";
        }
        return;
    }
}

}  // namespace dn
