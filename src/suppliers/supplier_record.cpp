#include "suppliers/supplier_record.h"

#include <algorithm>
#include <cstring>

#include "host/codepage.h"

namespace dn {
namespace {

// Field offsets of the 318-byte record.
constexpr std::size_t kNameOffset = 0, kNameCapacity = 17;
constexpr std::size_t kAddressOffset = 18, kAddressSize = 40;
constexpr std::size_t kCustomerOffset = 218, kCustomerSize = 10;
constexpr std::size_t kDatesOffset = 228, kDateSize = 6;
constexpr std::size_t kPathOffset = 248, kPathCapacity = 60;

std::string rtrim(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

}  // namespace

SupplierRecord::SupplierRecord() {
    bytes_.fill(' ');
    bytes_[0] = 8;  // the name: eight blanks
}

SupplierRecord SupplierRecord::fromBytes(std::string_view bytes) {
    SupplierRecord r;
    std::memcpy(r.bytes_.data(), bytes.data(), std::min(bytes.size(), kSize));
    return r;
}

std::string SupplierRecord::shortText(std::size_t offset, std::size_t capacity) const {
    std::size_t len = std::min<std::size_t>(static_cast<unsigned char>(bytes_[offset]), capacity);
    return cp850ToUtf8(std::string_view(bytes_.data() + offset + 1, len));
}

void SupplierRecord::setShortText(std::size_t offset, std::size_t capacity, std::string_view utf8) {
    std::string oem = utf8ToCp850(utf8);
    if (oem.size() > capacity) oem.resize(capacity);
    bytes_[offset] = static_cast<char>(oem.size());
    std::memcpy(bytes_.data() + offset + 1, oem.data(), oem.size());
}

std::string SupplierRecord::array(std::size_t offset, std::size_t size) const {
    return rtrim(cp850ToUtf8(std::string_view(bytes_.data() + offset, size)));
}

void SupplierRecord::setArray(std::size_t offset, std::size_t size, std::string_view utf8) {
    std::string oem = utf8ToCp850(utf8);
    oem.resize(size, ' ');
    std::memcpy(bytes_.data() + offset, oem.data(), size);
}

std::string SupplierRecord::name() const {
    return shortText(kNameOffset, kNameCapacity);
}
void SupplierRecord::setName(std::string_view utf8) {
    setShortText(kNameOffset, kNameCapacity, utf8);
}

std::string SupplierRecord::address(AddressField f) const {
    return array(kAddressOffset + kAddressSize * f, kAddressSize);
}
void SupplierRecord::setAddress(AddressField f, std::string_view utf8) {
    setArray(kAddressOffset + kAddressSize * f, kAddressSize, utf8);
}

std::string SupplierRecord::customerNumber() const {
    return array(kCustomerOffset, kCustomerSize);
}
void SupplierRecord::setCustomerNumber(std::string_view utf8) {
    setArray(kCustomerOffset, kCustomerSize, utf8);
}

std::string SupplierRecord::maintenanceDate(int i) const {
    return std::string(bytes_.data() + kDatesOffset + kDateSize * i, kDateSize);
}

void SupplierRecord::setMaintenanceDate(int i, std::string_view ddmmyy) {
    std::string d(ddmmyy.substr(0, kDateSize));
    d.resize(kDateSize, ' ');
    std::memcpy(bytes_.data() + kDatesOffset + kDateSize * i, d.data(), kDateSize);
}

bool SupplierRecord::addMaintenanceDate(std::string_view ddmmyy) {
    std::string d(ddmmyy.substr(0, kDateSize));
    d.resize(kDateSize, ' ');
    if (d == maintenanceDate(0)) return false;
    setMaintenanceDate(2, maintenanceDate(1));
    setMaintenanceDate(1, maintenanceDate(0));
    setMaintenanceDate(0, d);
    return true;
}

std::string SupplierRecord::path() const {
    return shortText(kPathOffset, kPathCapacity);
}
void SupplierRecord::setPath(std::string_view utf8) {
    setShortText(kPathOffset, kPathCapacity, utf8);
}

bool isValidSupplierLetter(char c) {
    if (c >= 'A' && c <= 'Z') return c != 'L';
    if (c >= 'a' && c <= 'z') return c != 'f' && c != 'g' && c != 'l' && c != 's';
    return false;
}

}  // namespace dn
