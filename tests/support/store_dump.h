#pragma once
// The whole store file as text, for comparing two states of it, and one
// number asked of it.

#include <filesystem>
#include <string>

namespace dn::test {

// Every row of every table, each table's rows sorted by all columns, one
// line a row ("NULL" for a missing value, "|" after each column).
std::string DumpStore(const std::filesystem::path& file);

// The number the query gives, -1 while the store cannot be read (a test
// that watches a store another process writes).
long long QueryNumber(const std::filesystem::path& file, const char* sql);

}  // namespace dn::test
