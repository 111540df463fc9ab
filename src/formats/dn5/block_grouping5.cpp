#include "formats/dn5/block_grouping5.h"

#include <utility>

namespace dn::dn5 {

bool BlockGrouping::isArticleLine(char letter) {
    return letter == 'A' || letter == 'C' || letter == 'D' || letter == 'Z';
}

void BlockGrouping::add(char letter, const std::string& key, BlockLine line) {
    if (isArticleLine(letter))
        addArticleLine(letter, key, std::move(line));
    else
        addTextLine(letter, key, std::move(line));
}

void BlockGrouping::addArticleLine(char letter, const std::string& key, BlockLine line) {
    // A second A line of the number after a text block of it begins a new
    // article block; C, D and Z lines join the open one.
    const bool textSince = text_.open() || !waiting_.empty();
    if (!article_.open() || article_.key != key || (letter == 'A' && textSince)) {
        closeAll();
        article_.key = key;
        article_.letter = letter;
    }
    article_.lines.push_back(std::move(line));
}

void BlockGrouping::addTextLine(char letter, const std::string& key, BlockLine line) {
    if (text_.open() && text_.key == key && text_.letter == letter) {
        text_.lines.push_back(std::move(line));
        return;
    }
    if (text_.open()) {
        if (article_.open()) {
            waiting_.push_back(std::move(text_.lines));
            text_.lines.clear();
        } else {
            BlockLines lines = std::move(text_.lines);
            text_.lines.clear();
            emit_(std::move(lines));
        }
    }
    if (article_.open() && article_.key != key) closeAll();
    text_.key = key;
    text_.letter = letter;
    text_.lines.push_back(std::move(line));
}

void BlockGrouping::closeAll() {
    // Taken out first: a block that raises leaves nothing behind.
    BlockLines article = std::move(article_.lines);
    std::vector<BlockLines> waiting = std::move(waiting_);
    BlockLines text = std::move(text_.lines);
    clear();
    if (!article.empty()) emit_(std::move(article));
    for (auto& block : waiting) emit_(std::move(block));
    if (!text.empty()) emit_(std::move(text));
}

const std::string* BlockGrouping::openKey(char letter) const {
    if (!isArticleLine(letter) && text_.open()) return &text_.key;
    return article_.open() ? &article_.key : nullptr;
}

void BlockGrouping::clear() {
    article_ = {};
    waiting_.clear();
    text_ = {};
}

}  // namespace dn::dn5
