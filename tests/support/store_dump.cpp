#include "support/store_dump.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace dn::test {

std::string DumpStore(const std::filesystem::path& file) {
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    auto rows = [db](const std::string& sql, std::string& out) {
        sqlite3_stmt* q = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(db, sql.c_str(), -1, &q, nullptr), SQLITE_OK) << sql;
        while (sqlite3_step(q) == SQLITE_ROW) {
            for (int c = 0; c < sqlite3_column_count(q); ++c) {
                const auto* text = sqlite3_column_text(q, c);
                out += text ? reinterpret_cast<const char*>(text) : "NULL";
                out += '|';
            }
            out += '\n';
        }
        sqlite3_finalize(q);
    };
    std::string names;
    rows("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name", names);
    std::string dump;
    std::size_t pos = 0;
    while (pos < names.size()) {
        const std::size_t end = names.find('\n', pos);
        const std::string table = names.substr(pos, end - pos - 1);  // without the final '|'
        pos = end + 1;
        sqlite3_stmt* q = nullptr;
        const std::string all = "SELECT * FROM \"" + table + "\"";
        EXPECT_EQ(sqlite3_prepare_v2(db, all.c_str(), -1, &q, nullptr), SQLITE_OK);
        std::string order;
        for (int c = 1; c <= sqlite3_column_count(q); ++c)
            order += (c > 1 ? ", " : " ORDER BY ") + std::to_string(c);
        sqlite3_finalize(q);
        dump += "== " + table + "\n";
        rows(all + order, dump);
    }
    sqlite3_close(db);
    return dump;
}

long long QueryNumber(const std::filesystem::path& file, const char* sql) {
    if (!std::filesystem::exists(file)) return -1;
    sqlite3* db = nullptr;
    long long n = -1;
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
        sqlite3_busy_timeout(db, 2000);
        sqlite3_stmt* q = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &q, nullptr) == SQLITE_OK &&
            sqlite3_step(q) == SQLITE_ROW)
            n = sqlite3_column_int64(q, 0);
        sqlite3_finalize(q);
    }
    sqlite3_close(db);
    return n;
}

}  // namespace dn::test
