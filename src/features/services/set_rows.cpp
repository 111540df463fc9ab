#include "features/services/set_rows.h"

#include <cctype>
#include <charconv>
#include <cstdlib>

#include "host/codepage.h"
#include "host/store.h"

namespace dn {

std::string cutKey(std::string_view key) {
    return utf8Left(key, kMaxKeyLength);
}

std::string trimBlanks(std::string_view text) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\0' || c == '\t'; };
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && isBlank(text[b])) ++b;
    while (e > b && isBlank(text[e - 1])) --e;
    return std::string(text.substr(b, e - b));
}

std::string positionKey(std::string_view articleKey, std::string_view positionKind) {
    std::string key(articleKey);
    if (positionKind == "3" || positionKind == "4") key = "s-" + key;
    if (positionKind == "2" || positionKind == "4") key = "*" + key;
    return cutKey(key);
}

std::string_view articleKindPrefix(int articleKind) {
    switch (articleKind) {
        case 92:
        case 93:
        case 94:
            return "l-";
        case 95:
        case 98:
            return "g-";
        case 96:
        case 97:
        case 99:
            return "f-";
        default:
            return {};
    }
}

std::string rekeyByArticleKind(HostStore& store, std::string_view articlePrefix,
                               const std::string& rowKey) {
    auto side = store.readArticleSide(rowKey);
    if (!side) return rowKey;
    const std::string_view prefix = articleKindPrefix(side->articlekind);
    if (prefix.empty()) return rowKey;
    auto article = store.readArticle(rowKey);
    if (!article) return rowKey;
    std::string_view rest = rowKey;
    if (rest.starts_with(articlePrefix)) rest.remove_prefix(articlePrefix.size());
    const std::string newKey = cutKey(std::string(prefix) + std::string(rest));
    article->key = newKey;
    side->key = newKey;
    store.writeArticle(*article);
    store.writeArticleSide(*side);
    return newKey;
}

double plainNumber(std::string_view text) {
    std::string t = trimBlanks(text);
    for (char& c : t)
        if (c == ',') c = '.';
    if (t.empty()) return 0;
    char* end = nullptr;
    const double v = std::strtod(t.c_str(), &end);
    return end == t.c_str() ? 0 : v;
}

namespace {

bool isNumber(std::string_view text) {
    const std::string t = trimBlanks(text);
    if (t.empty()) return false;
    bool digit = false;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        if (std::isdigit(static_cast<unsigned char>(c)))
            digit = true;
        else if (!(c == '.' || c == ',' || ((c == '-' || c == '+') && i == 0)))
            return false;
    }
    return digit;
}

std::string_view columns(std::string_view line, std::size_t first, std::size_t width) {
    if (line.size() < first) return {};
    return line.substr(first - 1, width);
}

}  // namespace

std::optional<C50Line> parseC50(std::string_view text) {
    if (!text.starts_with("C50")) return std::nullopt;
    // Columns count single-byte characters.
    const std::string bytes = utf8ToCp850(text);
    const std::string_view line = bytes;
    C50Line c;
    const bool writerLayout =
        line.size() >= 10 && line[6] == '.' && std::isdigit(static_cast<unsigned char>(line[7])) &&
        std::isdigit(static_cast<unsigned char>(line[8])) &&
        std::isdigit(static_cast<unsigned char>(line[9])) && isNumber(columns(line, 4, 7));
    if (writerLayout) {
        c.number = plainNumber(columns(line, 4, 7));
        c.articleNumber = cp850ToUtf8(trimBlanks(line.substr(10)));
    } else {
        c.number = plainNumber(columns(line, 4, 10));
        c.articleNumber = cp850ToUtf8(trimBlanks(columns(line, 14, 10)));
    }
    return c;
}

}  // namespace dn
