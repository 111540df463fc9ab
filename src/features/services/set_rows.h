#pragma once
// Key rules of the rows of services and bills of material built from sets:
// the position-kind prefixes ("s-", "*"), the re-keying of rows by the
// article kind of their article ("l-", "g-", "f-"), the "C50" calculation
// lines of an article, and the numbers of set lines.

#include <optional>
#include <string>
#include <string_view>

namespace dn {

class HostStore;

// Cuts a key to the store's 18 characters.
std::string cutKey(std::string_view key);

// The row key of a position: kind "3" or "4" puts "s-" in front, then kind
// "2" or "4" puts "*" in front; the result is cut to 18 characters.
std::string positionKey(std::string_view articleKey, std::string_view positionKind);

// The prefix an article kind (B-record position 99) gives its rows: 92, 93,
// 94 "l-"; 95, 98 "g-"; 96, 97, 99 "f-"; empty for every other kind.
std::string_view articleKindPrefix(int articleKind);

// Re-keys one row: when the row's article exists and its kind asks for a
// prefix, the article (with its stock record) is written again under the
// prefix + the row key without `ArticlePrefix`, and that key is returned;
// otherwise the row key is returned unchanged.
std::string rekeyByArticleKind(HostStore& store, std::string_view articlePrefix,
                               const std::string& rowKey);

// A "C50" line of an article's `extralines`: a number (minutes or quantity)
// and an article number (empty when its columns are blank).
struct C50Line {
    double number = 0;
    std::string articleNumber;
};

// Reads a "C50" line; nothing for other lines. The fixed columns are
// characters 4-13 (number) and 14-23 (article number). Lines as the
// DATANORM 5 article import writes them ("C50", the number in 7 characters
// with 3 decimals, then the article number) are recognised by their decimal
// point at character 7 followed by three digits.
std::optional<C50Line> parseC50(std::string_view line);

// A number as a file writes it ("1500", " 1,5", "2.25"); 0 for a blank or
// unreadable field.
double plainNumber(std::string_view text);

// Text without leading and trailing blanks (and zero bytes).
std::string trimBlanks(std::string_view text);

}  // namespace dn
