#pragma once
// What a DATANORM 5 command does with each record letter: run a handler,
// answer with a message (reading goes on), or ignore it. Letters without a
// rule are answered "Ungültiges Satzkennzeichen: " + letter.

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "formats/dn5/record.h"

namespace dn {
class tdatanorm5;
}

namespace dn::dn5 {

// A handler receives the record of the line; it returns false to end the
// file.
using RecordHandler = std::function<bool(tdatanorm5&, const Record&)>;

struct RecordRule {
    enum class Kind { Handle, Answer, Ignore };
    Kind kind = Kind::Ignore;
    bool needsHeader = false;  // "Vorlaufsatz fehlt!" before the V record
    RecordHandler handler;     // Kind::Handle
    std::string message;       // Kind::Answer, UTF-8
};

class RecordTable {
  public:
    // Every command ignores E records.
    RecordTable();

    // A table that reads the V record with `ShowHeader5`(expectedKind) and
    // the K record with `CheckCustomerNumber`.
    static RecordTable withHeader(char expectedKind);

    // The command processes this letter. Every letter but V and K needs the
    // header first, unless said otherwise.
    RecordTable& handle(char letter, RecordHandler handler);
    RecordTable& handle(char letter, RecordHandler handler, bool needsHeader);
    // The command answers this letter with a message; reading goes on.
    RecordTable& answer(char letter, std::string message);
    RecordTable& ignore(char letter);

    // The rule of the letter, or none.
    const RecordRule* find(char letter) const;

  private:
    std::array<std::optional<RecordRule>, 256> rules_;
};

}  // namespace dn::dn5
