#pragma once
// The fixed records of DATANORM 3 into which every DATANORM 4 line is
// converted: `DnRecord` (128 positions, CR LF at 129-130, 8 spare) and its
// companions `PriceRecordBuffer`, `SetRecordBuffer`, `SetRecordBuffer2`
// (130 positions each). Positions count from 1 as in the record layouts.
// Bytes are CP850; a zero byte at the first position of a field means the
// field was absent in the line.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace dn {

template <std::size_t N>
class FixedRecord {
  public:
    static constexpr std::size_t kSize = N;
    static constexpr std::size_t kPositions = 128;

    FixedRecord() { clear(); }

    // Zero bytes everywhere, CR LF at positions 129-130.
    void clear() {
        bytes_.fill('\0');
        bytes_[128] = '\r';
        bytes_[129] = '\n';
    }

    char type() const { return bytes_[0]; }
    void setType(char t) { bytes_[0] = t; }
    char flag() const { return bytes_[1]; }

    // The raw bytes of positions pos .. pos+width-1.
    std::string_view at(std::size_t pos, std::size_t width) const {
        check(pos, width);
        return {bytes_.data() + pos - 1, width};
    }
    std::span<char> span(std::size_t pos, std::size_t width) {
        check(pos, width);
        return {bytes_.data() + pos - 1, width};
    }
    char byte(std::size_t pos) const { return at(pos, 1)[0]; }

    // A field whose first byte is zero was absent in the line.
    bool absent(std::size_t pos) const { return byte(pos) == '\0'; }
    bool present(std::size_t pos) const { return !absent(pos); }

    // The field with zero bytes shown as blanks (fixed width).
    std::string text(std::size_t pos, std::size_t width) const {
        std::string s(at(pos, width));
        for (char& c : s)
            if (c == '\0') c = ' ';
        return s;
    }
    // The same without leading and trailing blanks.
    std::string trimmed(std::size_t pos, std::size_t width) const {
        std::string s = text(pos, width);
        auto b = s.find_first_not_of(' ');
        if (b == std::string::npos) return {};
        auto e = s.find_last_not_of(' ');
        return s.substr(b, e - b + 1);
    }

    // Writes the bytes from pos on (as many as given).
    void put(std::size_t pos, std::string_view bytes) {
        check(pos, bytes.size());
        bytes.copy(bytes_.data() + pos - 1, bytes.size());
    }
    void fill(std::size_t pos, std::size_t width, char c) {
        check(pos, width);
        std::fill_n(bytes_.data() + pos - 1, width, c);
    }

    // A 16-bit number (low byte first) at pos, pos+1.
    std::uint16_t word(std::size_t pos) const {
        auto s = at(pos, 2);
        return static_cast<std::uint16_t>(static_cast<unsigned char>(s[0]) |
                                          (static_cast<unsigned char>(s[1]) << 8));
    }
    void setWord(std::size_t pos, std::uint16_t v) {
        auto s = span(pos, 2);
        s[0] = static_cast<char>(v & 0xFF);
        s[1] = static_cast<char>(v >> 8);
    }

    // Copies positions first..last from another record.
    template <std::size_t M>
    void copyFrom(const FixedRecord<M>& other, std::size_t first, std::size_t last) {
        put(first, other.at(first, last - first + 1));
    }

    const std::array<char, N>& bytes() const { return bytes_; }

  private:
    static void check(std::size_t pos, std::size_t width) {
        if (pos < 1 || pos - 1 + width > N)
            throw std::out_of_range("Satzposition " + std::to_string(pos) + " Länge " +
                                    std::to_string(width) + " außerhalb des Satzes");
    }
    std::array<char, N> bytes_{};
};

using DnRecord = FixedRecord<138>;
using PriceRecordBuffer = FixedRecord<130>;
using SetRecordBuffer = FixedRecord<130>;
using SetRecordBuffer2 = FixedRecord<130>;

}  // namespace dn
