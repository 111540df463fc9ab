#pragma once
// Listing the articles of the store as CSV or JSON, all columns the store
// has, in key order.

#include <ostream>
#include <string>

#include "host/store.h"

namespace dn {

enum class ExportFormat { Csv, Json };

// Articles whose key begins with the prefix (empty: all). CSV: a header
// line of column names, ";" separated, fields with ";", '"' or a line break
// quoted with '"' doubled; extralines joined with "\n". JSON: an array of
// objects, numbers as numbers, extralines as an array of strings. Stops at
// the first failed write; the stream's state tells the caller.
void exportArticles(HostStore& store, const std::string& prefix, ExportFormat format,
                    std::ostream& out);

}  // namespace dn
