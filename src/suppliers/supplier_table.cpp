#include "suppliers/supplier_table.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "host/control_chars.h"
#include "host/errors.h"
#include "host/file_bytes.h"

namespace dn {
namespace fs = std::filesystem;

namespace {

constexpr int kRecords = 101;

// The texts a user enters; a control character there would end up in
// every list and caption that shows the record.
void refuseControlTexts(const SupplierRecord& r, const fs::path& file) {
    refuseControlCharacters(r.name(), "Bezeichnung", file);
    const char* labels[] = {"Anrede", "Name", "Titel", "Straße", "PLZ / Ort"};
    for (int f = SupplierRecord::kSalutation; f <= SupplierRecord::kTown; ++f)
        refuseControlCharacters(r.address(static_cast<SupplierRecord::AddressField>(f)), labels[f],
                                file);
    refuseControlCharacters(r.customerNumber(), "Kunden-Nr.", file);
    refuseControlCharacters(r.path(), "Dateipfad", file);
}

void writeAll(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw IoError("Fehler beim Schreiben von " + file.string() + ": " + std::strerror(errno));
}

SupplierEntry entryOf(const SupplierRecord& r) {
    return SupplierEntry{r.name(),       r.version(),        r.letter(),    r.path(),
                         r.useSubdirs(), r.caseConversion(), r.shkConnect()};
}

std::string blankRecordBytes() {
    SupplierRecord r;
    return std::string(r.bytes().data(), SupplierRecord::kSize);
}

}  // namespace

void SupplierTable::load(const fs::path& masterDataDir) {
    file_ = masterDataDir / "lieferan.dat";
    std::error_code ec;
    std::string bytes;
    if (fs::exists(file_, ec)) bytes = readFileBytes(file_);
    const std::size_t records = bytes.size() / SupplierRecord::kSize;
    if (records < kMaxSupplier) {
        // A new file, or the older form of ten records: keep the whole
        // records there are and add blank ones up to record 100.
        bytes.resize(records * SupplierRecord::kSize);
        for (std::size_t i = records; i < kRecords; ++i) bytes += blankRecordBytes();
        writeAll(file_, bytes);
    }
    for (int n = 1; n <= kMaxSupplier; ++n) {
        entries_[n] = entryOf(SupplierRecord::fromBytes(
            std::string_view(bytes).substr(n * SupplierRecord::kSize, SupplierRecord::kSize)));
    }
}

const SupplierEntry& SupplierTable::entry(int number) const {
    static const SupplierEntry none;
    return number >= 1 && number <= kMaxSupplier ? entries_[number] : none;
}

SupplierRecord SupplierTable::readRecord(int number) const {
    requirePlainFile(file_);
    std::ifstream in(file_, std::ios::binary);
    if (!in) throw IoError("Fehler beim Lesen von " + file_.string());
    std::string buf(SupplierRecord::kSize, ' ');
    in.seekg(static_cast<std::streamoff>(number) * SupplierRecord::kSize);
    in.read(buf.data(), static_cast<std::streamsize>(buf.size()));
    if (!in) throw IoError("Fehler beim Lesen von " + file_.string());
    return SupplierRecord::fromBytes(buf);
}

void SupplierTable::writeRecord(int number, const SupplierRecord& record) {
    if (number < 1 || number > kMaxSupplier)
        throw InputError("Lieferantennummer " + std::to_string(number) + " außerhalb 1 bis 99");
    refuseControlTexts(record, file_);
    {
        std::fstream f(file_, std::ios::binary | std::ios::in | std::ios::out);
        if (!f) throw IoError("Fehler beim Schreiben von " + file_.string());
        f.seekp(static_cast<std::streamoff>(number) * SupplierRecord::kSize);
        f.write(record.bytes().data(), SupplierRecord::kSize);
        f.close();
        if (!f) throw IoError("Fehler beim Schreiben von " + file_.string());
    }
    entries_[number] = entryOf(record);
}

int SupplierTable::supplierWithLetter(char letter, int except) const {
    if (!isValidSupplierLetter(letter)) return 0;
    for (int n = 1; n <= kMaxSupplier; ++n)
        if (n != except && entries_[n].letter == letter) return n;
    return 0;
}

std::string SupplierDisplayLine(int number, const SupplierEntry& entry) {
    return std::to_string(number) + " " + entry.name + "  " + std::string(1, entry.letter);
}

std::string ArticlePrefixFor(int number, char letter) {
    if (isValidSupplierLetter(letter)) return std::string(1, letter) + "-";
    return std::to_string(number) + "-";
}

int readCurrentSupplierNumber(const fs::path& masterDataDir) {
    const fs::path file = masterDataDir / "aktuell.dat";
    requirePlainFile(file);
    std::ifstream in(file, std::ios::binary);
    if (!in) throw IoError("Datei " + file.string() + " kann nicht gelesen werden");
    std::string line;
    std::getline(in, line);
    if (line.size() > 80) line.resize(80);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    // The text is taken as a number and rounded; anything else counts as 0.
    char* end = nullptr;
    double v = std::strtod(line.c_str(), &end);
    while (end && *end == ' ') ++end;
    long n = (end && *end == '\0' && !line.empty()) ? std::lround(v) : 0;
    if (n < 1 || n > kMaxSupplier) n = 1;
    return static_cast<int>(n);
}

void writeCurrentSupplierNumber(const fs::path& masterDataDir, int number) {
    writeAll(masterDataDir / "aktuell.dat", std::to_string(number) + "\r\n");
}

}  // namespace dn
