#include "features/prices/price_enquiry.h"

#include <fmt/format.h>

#include <cerrno>
#include <cstring>

#include "common/current_supplier.h"
#include "common/session.h"
#include "common/source_directory.h"
#include "features/articles/import_text4.h"
#include "host/case_blind_path.h"
#include "host/errors.h"
#include "host/store.h"

namespace dn {
namespace {

constexpr const char* kEmptyBlock = ";;;;;;;;;";

std::string fixed(std::string s, std::size_t n) {
    s.resize(n, ' ');
    return s;
}

bool isFloppy(const std::string& dir) {
    return !dir.empty() && (dir[0] == 'a' || dir[0] == 'A' || dir[0] == 'b' || dir[0] == 'B') &&
           dir.size() >= 2 && dir[1] == ':';
}

class TPENDELDISKETTE : public EntryForm {
  public:
    TPENDELDISKETTE(Session& s, const std::string& dir)
        : EntryForm("TPENDELDISKETTE", "Preisanfrage / Pendeldatei erzeugen") {
        const std::string number = fmt::format("{:2d}", s.CurrentSupplier);
        const std::string name = s.suppliers.entry(s.CurrentSupplier).name.substr(0, 10);
        AddDisplay(100, "Lieferant", [number] { return number; });
        AddDisplay(101, "Bezeichnung", [name] { return name; });
        if (!dir.empty())
            AddExplanation(isFloppy(dir) ? "Liegt eine leere Diskette im Laufwerk : " + dir
                                         : "Ausgabe erfolgt in " + dir);
        AddButton(kOk, "&OK");
        AddButton(kCancel, "&Abbruch");
    }
};

}  // namespace

std::string enquiryHeader4(const std::string& ddmmyy) {
    return "V " + fixed(ddmmyy, 6) + std::string(115, ' ') + "04DEM";
}

std::string enquiryCustomer4(const std::string& customerNumber) {
    return "K; ;" + fixed(utf8ToCp850(customerNumber), 10) + "; ";
}

std::string enquiryRecord4(const std::vector<std::string>& numbers) {
    std::string line = "P;P;";
    for (std::size_t i = 0; i < 3; ++i) {
        if (i < numbers.size()) line += utf8ToCp850(trimBlanks4(numbers[i]));
        line += kEmptyBlock;
    }
    return line;
}

std::string enquiryHeader3() {
    return fixed("V", 128);
}

std::string enquiryCustomer3(const std::string& customerNumber) {
    return fixed("K " + fixed(utf8ToCp850(customerNumber), 10), 128);
}

std::string enquiryRecord3(const std::vector<std::string>& numbers) {
    std::string rec = fixed("PP", 128);
    for (std::size_t i = 0; i < numbers.size() && i < 3; ++i)
        rec.replace(2 + 39 * i, 15, fixed(utf8ToCp850(numbers[i]), 15));
    return rec;
}

EnquiryFile::EnquiryFile(Session& s, std::filesystem::path path, std::vector<std::string> head)
    : s_(s), path_(std::move(path)), head_(std::move(head)) {}

EnquiryFile::~EnquiryFile() {
    if (file_) std::fclose(file_);
}

void EnquiryFile::create() {
    file_ = std::fopen(path_.string().c_str(), "wb");
    if (!file_)
        throw IoError("Datei " + path_.string() +
                      " kann nicht angelegt werden: " + std::strerror(errno));
}

void EnquiryFile::open() {
    create();
    for (const auto& l : head_) writeLine(l);
}

bool EnquiryFile::put(const std::string& bytes, bool& mediumFull) {
    errno = 0;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size() &&
                    std::fflush(file_) == 0;
    mediumFull = !ok && errno == ENOSPC;
    return ok;
}

void EnquiryFile::writeLine(const std::string& line) {
    const std::string bytes = line + "\r\n";
    bool full = false;
    if (put(bytes, full)) return;
    if (!full) throw IoError("Datei " + path_.string() + " kann nicht geschrieben werden");
    close();
    s_.ui.meldung(kMsgMediumFull);
    open();
    if (!put(bytes, full))
        throw IoError("Datei " + path_.string() + " kann nicht geschrieben werden");
}

void EnquiryFile::close() {
    if (!file_) return;
    std::fclose(file_);
    file_ = nullptr;
}

void writeEnquiryRecords(Session& s, EnquiryFile& file, bool dn4Form) {
    const std::string& prefix = s.ArticlePrefix;
    std::vector<std::string> numbers;
    auto flush = [&] {
        if (numbers.empty()) return;
        file.writeLine(dn4Form ? enquiryRecord4(numbers) : enquiryRecord3(numbers));
        numbers.clear();
    };
    s.store().forEachArticle(KeyRange::prefix(prefix), [&](const ArticleRecord& a) {
        s.ui.SetInfo("Artikel Nr.: " + a.key);
        numbers.push_back(a.key.substr(prefix.size()));
        if (numbers.size() == 3) flush();
        return true;
    });
    flush();
}

CommandOutcome WritePriceEnquiry(Session& s) {
    ReadCurrentSupplier(s);
    const bool dn4Form = s.DnVersion == 1;
    const std::string dir = dn4Form ? SourceDirectory(s, ' ') : s.Dn3Directory;
    TPENDELDISKETTE form(s, dir);
    if (!form.Execute(s.ui)) return CommandOutcome::Cancelled;

    const SupplierRecord supplier = s.suppliers.readRecord(s.CurrentSupplier);
    std::vector<std::string> head;
    if (dn4Form) {
        head = {enquiryHeader4(formatDdmmyy(
                    fromDayNumber(s.host.today != 0 ? s.host.today : todayDayNumber()))),
                enquiryCustomer4(supplier.customerNumber())};
    } else {
        s.suppliers.writeRecord(s.CurrentSupplier, supplier);
        head = {enquiryHeader3(), enquiryCustomer3(supplier.customerNumber())};
    }
    // An earlier "DATPREIS.001" is replaced, not joined by a second file.
    EnquiryFile file(s, caseBlindPath(dir, dn4Form ? "datpreis.001" : "datpreis"), head);
    file.open();
    s.ui.meldung("Erzeugung der Pendeldiskette beginnt...");
    s.ui.PanelOn("Pendeldiskette");
    try {
        writeEnquiryRecords(s, file, dn4Form);
    } catch (...) {
        s.ui.PanelOff();
        throw;
    }
    file.close();
    s.ui.PanelOff();
    return CommandOutcome::Done;
}

}  // namespace dn
