#include "formats/dn5/record_table5.h"

#include "formats/dn5/tdatanorm5.h"

namespace dn::dn5 {

namespace {
std::size_t slot(char letter) {
    return static_cast<unsigned char>(letter);
}
}  // namespace

RecordTable::RecordTable() {
    ignore('E');
}

RecordTable RecordTable::withHeader(char expectedKind) {
    RecordTable table;
    table.handle('V', [expectedKind](tdatanorm5& d, const Record& r) {
        d.ShowHeader5(r, expectedKind);
        return true;
    });
    table.handle('K', [](tdatanorm5& d, const Record& r) {
        d.CheckCustomerNumber(r);
        return true;
    });
    return table;
}

RecordTable& RecordTable::handle(char letter, RecordHandler handler) {
    return handle(letter, std::move(handler), letter != 'V' && letter != 'K');
}

RecordTable& RecordTable::handle(char letter, RecordHandler handler, bool needsHeader) {
    rules_[slot(letter)] =
        RecordRule{RecordRule::Kind::Handle, needsHeader, std::move(handler), {}};
    return *this;
}

RecordTable& RecordTable::answer(char letter, std::string message) {
    rules_[slot(letter)] = RecordRule{RecordRule::Kind::Answer, false, {}, std::move(message)};
    return *this;
}

RecordTable& RecordTable::ignore(char letter) {
    rules_[slot(letter)] = RecordRule{RecordRule::Kind::Ignore, false, {}, {}};
    return *this;
}

const RecordRule* RecordTable::find(char letter) const {
    const auto& rule = rules_[slot(letter)];
    return rule ? &*rule : nullptr;
}

}  // namespace dn::dn5
