#pragma once
// The whole store file as text, for comparing two states of it.

#include <filesystem>
#include <string>

namespace dn::test {

// Every row of every table, each table's rows sorted by all columns, one
// line a row ("NULL" for a missing value, "|" after each column).
std::string DumpStore(const std::filesystem::path& file);

}  // namespace dn::test
