#pragma once
// The supplier table `lieferan.dat` (records 0..100, suppliers 1..99) and
// the current supplier in `aktuell.dat`.

#include <array>
#include <filesystem>
#include <string>

#include "suppliers/supplier_record.h"

namespace dn {

inline constexpr int kMaxSupplier = 99;

// In-memory entry for suppliers 1..99 (`SupplierTable`).
struct SupplierEntry {
    std::string name;  // UTF-8, up to 17 characters
    char version = ' ';
    char letter = ' ';
    std::string path;  // up to 60 characters
    bool useSubdirs = false;
    bool caseConversion = false;
    bool shkConnect = false;
};

class SupplierTable {
  public:
    // Loads `lieferan.dat` from the directory, creating it with 101 blank
    // records or growing an older, shorter file to 101 records first.
    void load(const std::filesystem::path& masterDataDir);
    const SupplierEntry& entry(int number) const;
    SupplierRecord readRecord(int number) const;
    // Writes the record at its number and updates the table.
    void writeRecord(int number, const SupplierRecord& record);
    const std::filesystem::path& file() const { return file_; }

    // Letter of another supplier (1..99, not `except`) equal to `letter`.
    int supplierWithLetter(char letter, int except) const;

  private:
    std::filesystem::path file_;
    std::array<SupplierEntry, kMaxSupplier + 1> entries_{};
};

// "7 Name  K": number, blank, name, two blanks, letter (UTF-8).
std::string SupplierDisplayLine(int number, const SupplierEntry& entry);
// The key prefix: the letter and "-" for a valid letter, else number and "-".
std::string ArticlePrefixFor(int number, char letter);

// `aktuell.dat`: the current supplier's number (0 and non-numbers give 1).
int readCurrentSupplierNumber(const std::filesystem::path& masterDataDir);
void writeCurrentSupplierNumber(const std::filesystem::path& masterDataDir, int number);

}  // namespace dn
