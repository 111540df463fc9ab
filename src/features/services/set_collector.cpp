// Grouping of set lines into sets, the start of a set and the row keys;
// finishing is in service_set.cpp and bom_set.cpp.

#include "features/services/set_collector.h"

#include "common/session.h"
#include "features/services/set_rows.h"
#include "host/store.h"

namespace dn {

SetCollector::SetCollector(Session& s, int dnVersion, const SetOptions& options)
    : s_(s), store_(s.store()), version_(dnVersion), options_(options) {}

std::string SetCollector::keyOf(const std::string& setNumber) const {
    return cutKey(s_.ArticlePrefix + setNumber);
}

void SetCollector::switchTo(const std::string& key) {
    if (open() && key != setKey_) finish();
    setKey_ = key;
}

void SetCollector::take(const SetLine& line) {
    switchTo(keyOf(line.setNumber));
    setFormat_ = line.format;
    if (options_.services)
        addService(line);
    else
        addBom(line);
}

void SetCollector::applyFlags(const std::string& setNumber,
                              const std::array<std::string, 4>& flags) {
    switchTo(keyOf(setNumber));
    for (const std::string& raw : flags) {
        if (flagged_ >= rows_.size()) break;
        const std::string flag = trimBlanks(raw);
        ServiceRow& row = rows_[flagged_++];
        if (!flag.empty() && flag != "0" && flag != "1")
            row.articleKey = cutKey("*" + row.articleKey);
    }
}

void SetCollector::finish() {
    if (!open()) return;
    if (options_.services)
        finishService();
    else
        finishBom();
}

void SetCollector::clear() {
    setKey_.clear();
    rows_.clear();
    bomRows_.clear();
    flagged_ = 0;
    setMinutes_ = 0;
    setText_.clear();
    setNumberText_.clear();
    main_ = ArticleRecord{};
    mainExists_ = false;
}

double SetCollector::minutesOf(const std::string& key) {
    auto a = store_.readArticle(key);
    return a ? a->assemblyminutes : 0.0;
}

// The first line of a set: the main article, the set's minutes and texts,
// and the main-article row.
void SetCollector::startSet(const SetLine& line) {
    auto main = store_.readArticle(setKey_);
    mainExists_ = main.has_value();
    main_ = main.value_or(ArticleRecord{});
    setMinutes_ = 0;
    setText_.clear();
    setNumberText_.clear();
    if (version_ == 5 && line.format == 'L') {
        setNumberText_ = line.setNumberText;
        setText_ = line.setText;
    }
    if (options_.services) {
        if (version_ == 4) setMinutes_ += main_.assemblyminutes;
    } else {
        // DATANORM 4 names the set in every line; DATANORM 5 only in the long format.
        if (version_ == 4) setText_ = line.setText;
        if (setText_.empty()) setText_ = trimBlanks(main_.shorttext1);
    }
    if (!mainRowWanted(line)) return;
    if (options_.services)
        rows_.push_back({setKey_, 1.0});
    else
        bomRows_.push_back({setKey_, 1.0, version_ == 5 ? std::string(1, line.format) : ""});
}

bool SetCollector::mainRowWanted(const SetLine& line) const {
    if (version_ == 3) return false;
    if (version_ == 5 && line.format == 'L') return false;
    const bool byChoice = options_.MainArticleChoice == 0 ||
                          (options_.MainArticleChoice == 2 && main_.purchaseprice > 0);
    return byChoice && setKey_ != cutKey(s_.ArticlePrefix + line.articleNumber);
}

std::string SetCollector::rowKey(const SetLine& line) const {
    const std::string plain = s_.ArticlePrefix + line.articleNumber;
    return version_ == 3 ? cutKey(plain) : positionKey(plain, line.positionKind);
}

}  // namespace dn
