#pragma once
// One record of `lieferan.dat`: 318 bytes, texts in CP850. Accessors take
// and give UTF-8.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace dn {

class SupplierRecord {
  public:
    static constexpr std::size_t kSize = 318;

    // The blank record: 318 blanks, the name 8 blanks with length byte 8.
    SupplierRecord();
    static SupplierRecord fromBytes(std::string_view bytes);
    const std::array<char, kSize>& bytes() const { return bytes_; }

    std::string name() const;  // up to 17 characters
    void setName(std::string_view utf8);
    // The five address arrays of 40 characters (salutation, name, title,
    // street, postcode/town), blank-padded; the getters trim on the right.
    enum AddressField { kSalutation, kAddressName, kTitle, kStreet, kTown };
    std::string address(AddressField f) const;
    void setAddress(AddressField f, std::string_view utf8);
    std::string customerNumber() const;  // 10 characters
    void setCustomerNumber(std::string_view utf8);
    // The three maintenance dates "ddmmyy", newest first (raw 6 bytes).
    std::string maintenanceDate(int i) const;
    void setMaintenanceDate(int i, std::string_view ddmmyy);
    // Enters a new maintenance date: when it differs from the first, the
    // dates move down one place. Returns true when the record changed.
    bool addMaintenanceDate(std::string_view ddmmyy);
    char version() const { return bytes_[246]; }
    void setVersion(char v) { bytes_[246] = v; }
    char letter() const { return bytes_[247]; }
    void setLetter(char c) { bytes_[247] = c; }
    std::string path() const;  // up to 60 characters
    void setPath(std::string_view utf8);
    bool useSubdirs() const { return bytes_[309] == '1'; }
    void setUseSubdirs(bool on) { bytes_[309] = on ? '1' : '0'; }
    bool caseConversion() const { return bytes_[310] == '1'; }
    void setCaseConversion(bool on) { bytes_[310] = on ? '1' : '0'; }
    // Byte 311: 0 = off, any other value on; saved as 0 or 1.
    bool shkConnect() const { return bytes_[311] != 0; }
    void setShkConnect(bool on) { bytes_[311] = on ? 1 : 0; }

  private:
    std::string shortText(std::size_t offset, std::size_t capacity) const;
    void setShortText(std::size_t offset, std::size_t capacity, std::string_view utf8);
    std::string array(std::size_t offset, std::size_t size) const;
    void setArray(std::size_t offset, std::size_t size, std::string_view utf8);
    std::array<char, kSize> bytes_;
};

// Valid identification letters: A-Z except L, a-z except f, g, l, s.
bool isValidSupplierLetter(char c);

}  // namespace dn
