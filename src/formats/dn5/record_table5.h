#pragma once
// What a DATANORM 5 command does with each record letter: run a handler,
// answer with a message (reading goes on), or ignore it. Letters without a
// rule are answered "Ungültiges Satzkennzeichen: " + letter.

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace dn {

class tdatanorm5;

// A handler returns false to end the file.
using RecordHandler5 = std::function<bool(tdatanorm5&)>;

struct RecordRule5 {
    enum class Kind { Handle, Answer, Ignore };
    Kind kind = Kind::Ignore;
    bool needsHeader = false;  // "Vorlaufsatz fehlt!" before the V record
    RecordHandler5 handler;    // Kind::Handle
    std::string message;       // Kind::Answer, UTF-8
};

class RecordTable5 {
  public:
    // Every command ignores E records.
    RecordTable5();

    // A table that reads the V record with `ShowHeader5`(expectedKind) and
    // the K record with `CheckCustomerNumber`.
    static RecordTable5 withHeader(char expectedKind);

    // The command processes this letter. Every letter but V and K needs the
    // header first, unless said otherwise.
    RecordTable5& handle(char letter, RecordHandler5 handler);
    RecordTable5& handle(char letter, RecordHandler5 handler, bool needsHeader);
    // The command answers this letter with a message; reading goes on.
    RecordTable5& answer(char letter, std::string message);
    RecordTable5& ignore(char letter);

    // The rule of the letter, or none.
    const RecordRule5* find(char letter) const;

  private:
    std::array<std::optional<RecordRule5>, 256> rules_;
};

}  // namespace dn
