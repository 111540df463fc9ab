// Sets as host bills of material: adding a line and finishing the bill with
// its "s-" main article.

#include "common/protocol.h"
#include "common/session.h"
#include "features/services/set_collector.h"
#include "features/services/set_rows.h"
#include "host/codepage.h"
#include "host/store.h"
#include "host/store_transaction.h"

namespace dn {

void SetCollector::addBom(const SetLine& line) {
    if (version_ == 5 && line.articleNumber.empty()) return;
    if (bomRows_.empty()) startSet(line);
    if (line.articleNumber.empty() || bomRows_.size() >= kBomRows) return;
    const std::string marker = version_ == 5 ? std::string(1, line.format) : line.positionKind;
    bomRows_.push_back({rowKey(line), line.quantity, marker});
}

void SetCollector::finishBom() {
    ProtocolLine(s_, "J-Satz:");
    StoreSavepoint unit(store_);
    // The main article of the bill: "s-" + the set key.
    const std::string mainKey = cutKey("s-" + setKey_);
    // DATANORM 5 sets the prices to 0 unless the set came in the long format.
    const bool zeroPrices = version_ == 5 && setFormat_ != 'L';
    if (auto existing = store_.readArticle(mainKey)) {
        if (zeroPrices) {
            existing->purchaseprice = 0;
            existing->salesprice = 0;
            store_.writeArticle(*existing);
        }
    } else {
        ProtocolLine(s_, "Hauptartikel \"" + mainKey + "\" angelegt");
        ArticleRecord created;
        if (auto plain = store_.readArticle(setKey_)) {
            created = *plain;
            if (auto side = store_.readArticleSide(setKey_)) {
                side->key = mainKey;
                store_.writeArticleSide(*side);
            }
        } else {
            created.shorttext1 = utf8Left(setText_, 40);
        }
        created.key = mainKey;
        created.newflag = 1;
        if (zeroPrices) {
            created.purchaseprice = 0;
            created.salesprice = 0;
        }
        store_.writeArticle(created);
    }

    BomRecord bom;
    bom.key = setKey_;
    bom.text = utf8Left(setText_, 40);
    bom.quantity = version_ == 5 ? 0.0 : 1.0;
    if (version_ == 5) {
        if (const auto plain = store_.readArticle(setKey_)) {
            for (const std::string& extra : plain->extralines) {
                const auto c50 = parseC50(extra);
                if (!c50 || c50->articleNumber.empty()) continue;
                if (bomRows_.size() >= kBomRows) break;
                bomRows_.push_back(
                    {cutKey(s_.ArticlePrefix + c50->articleNumber), c50->number, "C"});
            }
        }
    }
    for (BomRow& row : bomRows_)
        row.articleKey = rekeyByArticleKind(store_, s_.ArticlePrefix, row.articleKey);
    bom.rows = bomRows_;
    store_.writeBom(bom);
    unit.release();
    ProtocolLine(s_, "Stückliste Nummer \"" + setKey_ + "\" erzeugt");
    ProtocolLine(s_, "");
    ++written_;
    clear();
}

}  // namespace dn
