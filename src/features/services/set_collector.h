#pragma once
// Builds host services or bills of material from the lines of a set file,
// one set at a time, for DATANORM 3, 4 and 5. The readers of the three
// versions turn their records into `SetLine`s and hand them over in file
// order; a line of another set finishes the open one.
//
// The versions differ in a few rules (`SetRules`):
//  - DATANORM 3: no main-article row, no position kinds, no set minutes;
//    "*" flags come from C "BAUJ" records.
//  - DATANORM 4: the main-article row by the list choice, position kinds,
//    minutes of main and position articles (the set's minutes win when
//    above 0).
//  - DATANORM 5: the main-article row only in the short format, text and
//    matchcode of a long-format set from its first line, the main article's
//    "C50" lines, its own assembly minutes win, bills set the prices of
//    their "s-" main article to 0 in the short format.

#include <array>
#include <string>
#include <vector>

#include "features/services/set_options.h"
#include "host/store_records.h"

namespace dn {

struct Session;
class HostStore;

// One line of a set, version-neutral. Texts are UTF-8.
struct SetLine {
    std::string setNumber;      // the file's set number, trimmed
    std::string articleNumber;  // trimmed; empty = the line adds no row
    std::string positionKind;   // "1".."4", empty when the version has none
    double quantity = 0;
    std::string setText;        // 4: the 28-character text; 5: field 7 of a long line
    std::string setNumberText;  // 5: field 6 of a long line
    char format = ' ';          // 5: 'L' long format, else short
};

class SetCollector {
  public:
    SetCollector(Session& s, int dnVersion, const SetOptions& options);
    SetCollector(const SetCollector&) = delete;
    SetCollector& operator=(const SetCollector&) = delete;

    // Adds the line to its set; a line of another set than the open one
    // finishes the open set first.
    void take(const SetLine& line);
    // Applies the four position flags of a DATANORM 3 C "BAUJ" record to the
    // next rows of the set not yet flagged (opening the set when it is
    // another): a flag other than blank, "0" or "1" puts "*" in front.
    void applyFlags(const std::string& setNumber, const std::array<std::string, 4>& flags);
    // Finishes the open set, when there is one.
    void finish();

    bool open() const { return !setKey_.empty(); }
    const std::string& setKey() const { return setKey_; }
    int written() const { return written_; }

    // The key of a set number: `ArticlePrefix` + number, cut to 18.
    std::string keyOf(const std::string& setNumber) const;

  private:
    void switchTo(const std::string& key);
    void addService(const SetLine& line);
    void addBom(const SetLine& line);
    void finishService();
    void finishBom();
    void startSet(const SetLine& line);
    bool mainRowWanted(const SetLine& line) const;
    std::string rowKey(const SetLine& line) const;
    double minutesOf(const std::string& key);
    void clear();

    Session& s_;
    HostStore& store_;
    int version_;  // 3, 4 or 5
    SetOptions options_;

    // The open set.
    std::string setKey_;            // `CurrentSetKey`
    std::vector<ServiceRow> rows_;  // services
    std::vector<BomRow> bomRows_;   // bills of material
    std::size_t flagged_ = 0;       // rows already passed by BAUJ flags
    double setMinutes_ = 0;         // `SetMinutes`
    std::string setText_;           // `SetText`
    std::string setNumberText_;     // `SetNumberText`
    char setFormat_ = ' ';          // `SetFormat`
    ArticleRecord main_;            // the main article as read at the first line
    bool mainExists_ = false;
    int written_ = 0;
};

}  // namespace dn
