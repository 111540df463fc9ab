#pragma once
// The article table's columns in one table: name, kind and member. The
// schema, the SQL statements, the reading and writing of rows and the
// export all walk this table.

#include <span>
#include <string>
#include <variant>

#include "host/store_records.h"

namespace dn {

enum class ColumnKind { Text, Amount, Real, Integer, Day, Lines };

struct ArticleColumn {
    const char* name;
    ColumnKind kind;
    std::variant<std::string ArticleRecord::*, double ArticleRecord::*, int ArticleRecord::*,
                 DayNumber ArticleRecord::*, std::vector<std::string> ArticleRecord::*>
        member;
    bool optional;  // a "_" column, present only in stores created with them
};

// Every column of "article", "key" first, optional columns last.
std::span<const ArticleColumn> articleColumns();

// The column's value as text: amounts with two decimals, reals as the
// shortest text that reads back the same, lines joined with "\n".
std::string articleColumnText(const ArticleRecord& article, const ArticleColumn& column);

}  // namespace dn
