#include "host/sqlite_journal.h"

#include <sqlite3.h>

#include "host/errors.h"

namespace dn {

namespace {

std::string whereClause(const JournalTable& t, RowGroup group) {
    const std::string key = t.keyColumn;
    switch (group) {
        case RowGroup::Key:
            return " WHERE " + key + " = ?1";
        case RowGroup::KeyKind:
            return " WHERE " + key + " = ?1 AND " + std::string(t.kindColumn) + " = ?2";
        case RowGroup::Range:
            return " WHERE " + key + " >= ?1 AND " + key + " < ?2";
        case RowGroup::RangeInclusive:
            return " WHERE " + key + " >= ?1 AND " + key + " <= ?2";
        case RowGroup::All:
            return "";
    }
    return "";
}

}  // namespace

void BlockJournal::begin() {
    if (active_) throw DatabaseError("Block beginnen: es ist bereits ein Block offen");
    active_ = true;
}

void BlockJournal::end() {
    active_ = false;
    entries_.clear();
    seen_.clear();
}

const BlockJournal::Statements& BlockJournal::statements(const JournalTable& table,
                                                         RowGroup group) {
    auto [it, added] = sql_.try_emplace({&table, static_cast<int>(group)});
    Statements& s = it->second;
    if (added) {
        const std::string where = whereClause(table, group);
        s.select = "SELECT * FROM " + std::string(table.name) + where;
        s.remove = "DELETE FROM " + std::string(table.name) + where;
        auto q = db_.query(s.select, "Blockjournal");
        s.columns = q.columnCount();
        s.insert = "INSERT INTO " + std::string(table.name) + " VALUES (";
        for (int i = 0; i < s.columns; ++i) s.insert += i == 0 ? "?" : ",?";
        s.insert += ")";
    }
    return s;
}

void BlockJournal::bindGroup(SqlQuery& q, RowGroup group, const std::string& a,
                             const std::string& b) {
    if (group == RowGroup::All) return;
    q.bind(1, a);
    if (group != RowGroup::Key) q.bind(2, b);
}

void BlockJournal::capture(const JournalTable& table, RowGroup group, std::string_view a,
                           std::string_view b) {
    if (!active_) return;
    id_.assign(table.name);
    id_ += static_cast<char>('0' + static_cast<int>(group));
    id_ += a;
    id_ += '\0';
    id_ += b;
    if (seen_.contains(id_)) return;
    seen_.insert(id_);

    Entry entry{&statements(table, group), group, std::string(a), std::string(b), {}};
    auto q = db_.query(entry.sql->select, "Blockjournal lesen");
    bindGroup(q, group, entry.a, entry.b);
    sqlite3_stmt* stmt = q.raw();
    while (q.step()) {
        std::vector<Cell> row(static_cast<std::size_t>(entry.sql->columns));
        for (int c = 0; c < entry.sql->columns; ++c) {
            switch (sqlite3_column_type(stmt, c)) {
                case SQLITE_INTEGER:
                    row[c] = q.integer(c);
                    break;
                case SQLITE_FLOAT:
                    row[c] = q.real(c);
                    break;
                case SQLITE_TEXT:
                    row[c] = q.text(c);
                    break;
                case SQLITE_BLOB: {
                    const auto* p = static_cast<const char*>(sqlite3_column_blob(stmt, c));
                    row[c] = Blob{std::string(
                        p ? p : "", static_cast<std::size_t>(sqlite3_column_bytes(stmt, c)))};
                    break;
                }
                default:
                    break;
            }
        }
        entry.rows.push_back(std::move(row));
    }
    entries_.push_back(std::move(entry));
}

void BlockJournal::undo() {
    // Replaying must not journal itself; the entries are taken first.
    auto entries = std::move(entries_);
    end();
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        {
            auto q = db_.query(it->sql->remove, "Blockjournal zurücksetzen");
            bindGroup(q, it->group, it->a, it->b);
            q.run();
        }
        for (const auto& row : it->rows) {
            auto q = db_.query(it->sql->insert, "Blockjournal zurückschreiben");
            for (std::size_t c = 0; c < row.size(); ++c) {
                const int index = static_cast<int>(c) + 1;
                std::visit(
                    [&](const auto& v) {
                        using T = std::decay_t<decltype(v)>;
                        if constexpr (std::is_same_v<T, std::monostate>)
                            q.bindNull(index);
                        else if constexpr (std::is_same_v<T, Blob>)
                            q.bindBlob(index, v.bytes);
                        else
                            q.bind(index, v);
                    },
                    row[c]);
            }
            q.run();
        }
    }
}

}  // namespace dn
