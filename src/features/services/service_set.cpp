// Sets as host services: adding a line and finishing the service.

#include <cmath>

#include "common/protocol.h"
#include "common/session.h"
#include "features/services/set_collector.h"
#include "features/services/set_rows.h"
#include "host/amounts.h"
#include "host/codepage.h"
#include "host/store.h"
#include "host/store_transaction.h"

namespace dn {
namespace {

constexpr std::size_t kServiceText = 43;

// The host's `position_datanorm` service, called once per written service;
// this host has nothing to do there.
void position_datanorm(Session&) {}

std::string unitOf(const ArticleRecord& a) {
    std::string u = utf8Left(a.unit, 4);
    while (utf8Length(u) < 4) u += ' ';
    return u + ' ';
}

// The host's new-database mode keeps two text lines per service.
bool twoTextLines(const Session& s) {
    return s.host.databaseFormat == "Erweitert";
}

}  // namespace

void SetCollector::addService(const SetLine& line) {
    // DATANORM 5: a line without article number adds nothing at all.
    if (version_ == 5 && line.articleNumber.empty()) return;
    if (rows_.empty()) startSet(line);
    if (line.articleNumber.empty() || rows_.size() >= kServiceRows) return;
    const std::string key = rowKey(line);
    rows_.push_back({key, line.quantity});
    if (version_ == 4) setMinutes_ += minutesOf(cutKey(s_.ArticlePrefix + line.articleNumber));
    if (version_ == 5) setMinutes_ += minutesOf(key);
}

void SetCollector::finishService() {
    ProtocolLine(s_, "J-Satz:");
    const auto main = store_.readArticle(setKey_);
    if (!main) {
        ProtocolLine(s_, "Artikel Nummer \"" + setKey_ + "\" nicht vorhanden");
        ProtocolLine(s_, "");
        clear();
        return;
    }
    ServiceRecord sv;
    sv.key = setKey_;
    sv.unit = unitOf(*main);
    const double rate1 = s_.host.wageRate1;
    const double rate2 = s_.host.wageRate2;
    bool wagesFromMinutes = true;
    if (version_ == 5) {
        position_datanorm(s_);
        sv.typechar = "1";
        sv.text1 =
            utf8Left(setText_.empty() ? trimBlanks(main->shorttext1) : setText_, kServiceText);
        sv.text2 = utf8Left(main->shorttext2, kServiceText);
        sv.matchcode = setNumberText_.empty() ? main->matchcode : setNumberText_;
        bool firstC50 = true;
        for (const std::string& extra : main->extralines) {
            const auto c50 = parseC50(extra);
            if (!c50) continue;
            if (firstC50) setMinutes_ = 0;
            firstC50 = false;
            setMinutes_ += c50->number;
            if (!c50->articleNumber.empty() && rows_.size() < kServiceRows)
                rows_.push_back({cutKey(s_.ArticlePrefix + c50->articleNumber), c50->number});
        }
        if (std::abs(main->assemblyminutes) > 0.005) {
            // The article's own minutes win; a service that exists keeps its wages.
            sv.minutes = main->assemblyminutes;
            if (const auto old = store_.readService(setKey_)) {
                sv.wage1 = old->wage1;
                sv.wage2 = old->wage2;
                wagesFromMinutes = false;
            }
        } else {
            sv.minutes = setMinutes_;
        }
    } else {
        if (twoTextLines(s_)) {
            sv.typechar = "1";
            sv.text1 = utf8Left(trimBlanks(main->shorttext1), kServiceText);
            sv.text2 = utf8Left(trimBlanks(main->shorttext2), kServiceText);
        } else {
            sv.text1 = utf8Left(trimBlanks(main->shorttext1) + " " + trimBlanks(main->shorttext2),
                                kServiceText);
        }
        sv.matchcode = main->matchcode;
        sv.minutes = setMinutes_ > 0 ? setMinutes_ : main->assemblyminutes;
    }
    if (wagesFromMinutes) {
        sv.wage1 = rund(sv.minutes / 60.0 * rate1);
        sv.wage2 = rund(sv.minutes / 60.0 * rate2);
    }
    StoreSavepoint unit(store_);
    for (ServiceRow& row : rows_)
        row.articleKey = rekeyByArticleKind(store_, s_.ArticlePrefix, row.articleKey);
    sv.rows = rows_;
    store_.writeService(sv);
    unit.release();
    ProtocolLine(s_, "Leistung Nummer \"" + setKey_ + "\" übernommen");
    ProtocolLine(s_, "");
    ++written_;
    clear();
}

}  // namespace dn
