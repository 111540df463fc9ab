#pragma once
// The block journal: before a row group is first changed inside a block,
// its rows are copied into memory; undo deletes what is there now and puts
// the copies back, newest group first, so the oldest copy of a row wins.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_set>
#include <variant>
#include <vector>

#include "host/sqlite_db.h"

namespace dn {

// Tables and the key columns that pick a row group.
struct JournalTable {
    const char* name;
    const char* keyColumn;
    const char* kindColumn;  // second key column or nullptr
};

enum class RowGroup { Key, KeyKind, Range, RangeInclusive, All };

class BlockJournal {
  public:
    explicit BlockJournal(SqliteDb& db) : db_(db) {}

    void begin();
    void end();
    void undo();
    bool active() const { return active_; }

    // Copy the rows of the group unless this group was copied already in
    // the block. a and b are the key (and kind) or the range bounds.
    void capture(const JournalTable& table, RowGroup group, std::string_view a = {},
                 std::string_view b = {});

  private:
    struct Blob {
        std::string bytes;
    };
    using Cell = std::variant<std::monostate, std::int64_t, double, std::string, Blob>;
    struct Statements {
        std::string select;
        std::string remove;
        std::string insert;
        int columns = 0;
    };
    struct Entry {
        const Statements* sql;
        RowGroup group;
        std::string a, b;
        std::vector<std::vector<Cell>> rows;
    };

    const Statements& statements(const JournalTable& table, RowGroup group);
    static void bindGroup(SqlQuery& q, RowGroup group, const std::string& a, const std::string& b);

    SqliteDb& db_;
    bool active_ = false;
    std::vector<Entry> entries_;
    std::unordered_set<std::string> seen_;
    std::string id_;  // reused buffer for the group's identity
    std::map<std::pair<const JournalTable*, int>, Statements> sql_;
};

}  // namespace dn
