#pragma once
// Command 43 "Preisanfrage / Pendeldatei erzeugen": the price-enquiry file
// listing the numbers of all the supplier's articles, in the DATANORM 4
// form "datpreis.001" (a version 4 supplier) or the DATANORM 3 form
// "datpreis" (every other version).

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "common/dispatch.h"

namespace dn {

struct Session;

inline constexpr const char* kMsgMediumFull =
    "Diskette ist voll! Bitte neue (leere) Diskette einlegen!";

// DATANORM 4 lines (without CR LF), CP850.
std::string enquiryHeader4(const std::string& ddmmyy);
std::string enquiryCustomer4(const std::string& customerNumber);
// "P;P;" and three blocks; numbers beyond the given ones are empty blocks.
std::string enquiryRecord4(const std::vector<std::string>& numbers);

// DATANORM 3 records of 128 positions (without CR LF), CP850.
std::string enquiryHeader3();
std::string enquiryCustomer3(const std::string& customerNumber);
std::string enquiryRecord3(const std::vector<std::string>& numbers);

// The enquiry file: created with its header and customer lines; a line
// that does not fit because the medium is full closes the file, asks for
// a new medium and starts the file again there with the header and the
// customer line before the line is written again.
class EnquiryFile {
  public:
    EnquiryFile(Session& s, std::filesystem::path path, std::vector<std::string> head);
    virtual ~EnquiryFile();
    EnquiryFile(const EnquiryFile&) = delete;
    EnquiryFile& operator=(const EnquiryFile&) = delete;

    // Creates the file and writes the head; throws IoError when it cannot.
    void open();
    void writeLine(const std::string& line);
    void close();

  protected:
    // Writes the bytes; false with `mediumFull` set when the medium is full.
    virtual bool put(const std::string& bytes, bool& mediumFull);

  private:
    void create();
    Session& s_;
    std::filesystem::path path_;
    std::vector<std::string> head_;
    std::FILE* file_ = nullptr;
};

// `WritePriceEnquiry`.
CommandOutcome WritePriceEnquiry(Session& s);

// The article numbers of the supplier (keys without `ArticlePrefix`) in key
// order, written three to a line. Used by `WritePriceEnquiry`.
void writeEnquiryRecords(Session& s, EnquiryFile& file, bool dn4Form);

}  // namespace dn
