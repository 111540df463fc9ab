#include "formats/dn5/record_table5.h"

#include "formats/dn5/tdatanorm5.h"

namespace dn {

namespace {
std::size_t slot(char letter) {
    return static_cast<unsigned char>(letter);
}
}  // namespace

RecordTable5::RecordTable5() {
    ignore('E');
}

RecordTable5 RecordTable5::withHeader(char expectedKind) {
    RecordTable5 table;
    table.handle('V', [expectedKind](tdatanorm5& d) {
        d.ShowHeader5(expectedKind);
        return true;
    });
    table.handle('K', [](tdatanorm5& d) {
        d.CheckCustomerNumber();
        return true;
    });
    return table;
}

RecordTable5& RecordTable5::handle(char letter, RecordHandler5 handler) {
    return handle(letter, std::move(handler), letter != 'V' && letter != 'K');
}

RecordTable5& RecordTable5::handle(char letter, RecordHandler5 handler, bool needsHeader) {
    rules_[slot(letter)] =
        RecordRule5{RecordRule5::Kind::Handle, needsHeader, std::move(handler), {}};
    return *this;
}

RecordTable5& RecordTable5::answer(char letter, std::string message) {
    rules_[slot(letter)] = RecordRule5{RecordRule5::Kind::Answer, false, {}, std::move(message)};
    return *this;
}

RecordTable5& RecordTable5::ignore(char letter) {
    rules_[slot(letter)] = RecordRule5{RecordRule5::Kind::Ignore, false, {}, {}};
    return *this;
}

const RecordRule5* RecordTable5::find(char letter) const {
    const auto& rule = rules_[slot(letter)];
    return rule ? &*rule : nullptr;
}

}  // namespace dn
