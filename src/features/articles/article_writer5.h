#pragma once
// Writing the parsed blocks of a DATANORM 5 article file into the host
// store: `NewArticle5`/`ChangeArticle5` with the field mapping and prices,
// the C lines, the T and G texts, B deletions and number changes, with
// their protocol lines; the writer counts what it wrote.
//
// The caller owns the transaction; a DatabaseError leaves the block half
// written and is for the caller to roll back.

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/unit_batch.h"
#include "features/articles/article_block5.h"
#include "formats/dn5/prices5.h"

namespace dn {

struct Session;
class HostStore;
namespace dn5 {
struct ArticleRunState;
}

namespace dn5 {

// What the writer wrote: the counts of the closing message.
struct WriteCounts {
    long articles = 0;
    long longTexts = 0;
    long deleted = 0;
    long renamed = 0;
    // Blocks the store refused (their errors were shown).
    long storeErrors = 0;

    WriteCounts& operator+=(const WriteCounts& o) {
        articles += o.articles;
        longTexts += o.longTexts;
        deleted += o.deleted;
        renamed += o.renamed;
        storeErrors += o.storeErrors;
        return *this;
    }
    // The records that changed the store.
    long changes() const { return articles + longTexts + deleted + renamed; }
};

class ArticleWriter {
  public:
    // Loads the supplier's discount groups (and, for the selections, the
    // marked product groups) once for the run. The run's state gives the
    // options and the optional columns and takes the counts.
    ArticleWriter(Session& s, ArticleRunState& run, HostStore& store);

    // Writes one block. A replayed block is written again after a rollback:
    // no protocol, no counting, no status line.
    //
    // An article with the C lines of its block is one write of its row, at
    // the end of the block. The block's rows built ahead are taken out of it
    // as they are written.
    void write(dn5::ArticleBlock& block, Replay replay = Replay::No);

    // The counts of the blocks written since the last call.
    WriteCounts takeCounts() { return std::exchange(counts_, {}); }

    // Builds, for each A line of the block, the row it makes of a key
    // without stored article (no protocol, no store: the reading thread may
    // call it while the writing thread writes earlier blocks).
    void prepare(dn5::ArticleBlock& block) const;

    // The article filter of the import options: number range, selected
    // product group, selected discount group.
    bool ImportFilter5(std::string_view number, std::string_view productGroup,
                       std::string_view discountGroup);

    DiscountGroupRule discountGroup(std::string_view code) const;

    // Where the status line and the writer's messages go instead of the
    // screen (an import that writes on a second thread keeps them there).
    struct Output {
        std::function<void(const std::string&)> status;
        std::function<void(const std::string&)> message;
    };
    void setOutput(Output output) { output_ = std::move(output); }

    // Forgets the article kept from the last write (after a rollback).
    void forget() {
        last_.reset();
        lastPending_ = false;
    }

  private:
    struct Built {
        ArticleRecord row;
        dn5::ArticlePriceResult price;
        bool isNew = true;
    };
    // `NewArticle5`/`ChangeArticle5`: the row an A line makes of the stored
    // article (none for a new key) and its prices.
    Built buildArticle(const dn5::ArticleBlock& block, const dn5::ArticleLine& a,
                       std::optional<ArticleRecord> old) const;
    void articleBlock(dn5::ArticleBlock& block);
    void writeArticle(const dn5::ArticleBlock& block, dn5::ArticleLine& a, const std::string& key,
                      std::optional<ArticleRecord> old);
    // The article as stored; the one written last is kept, for its C lines.
    std::optional<ArticleRecord> readArticle(const std::string& key);
    // Keeps the row as the block's article; it reaches the store with
    // flushArticle (at the end of the block or when another article comes),
    // so an A line with its C lines is one write.
    void writeArticleRow(ArticleRecord r);
    void flushArticle();
    void calcLine(const dn5::CalcLine& c);
    void textBlock(const dn5::ArticleBlock& block);
    void graphicsBlock(const dn5::ArticleBlock& block);
    void deletion(const dn5::ArticleBlock& block);
    void renumber(const dn5::ArticleBlock& block);
    // The protocol of a block written for the first time; a replayed block
    // prints nothing.
    bool protocolOn() const;
    void protocolLine(const std::string& text);
    void protocolText(const std::string& text);
    void status(const std::string& text);
    void message(const std::string& text);
    void count(long WriteCounts::*counter);

    Session& s_;
    dn5::ArticleRunState& run_;
    HostStore& store_;
    std::map<std::string, DiscountGroupRule> groups_;
    std::set<std::string> markedDiscountGroups_;
    std::set<std::string> markedProductGroups_;
    bool replay_ = false;
    Output output_;
    WriteCounts counts_;
    WriteCounts block_;  // counts of the block being written
    std::optional<ArticleRecord> last_;
    bool lastPending_ = false;  // last_ is not yet in the store
};

// The protocol line of a written article.
std::string ArticleProtocolLine(const std::string& key, const std::string& shorttext1,
                                const std::string& discountgroup, double purchase, double sales);

}  // namespace dn5
}  // namespace dn
