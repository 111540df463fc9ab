#include "host/codepage.h"

#include <array>
#include <cstdint>
#include <utility>

namespace dn {
namespace {

// Unicode code points of the bytes 0x80..0xFF.
constexpr std::array<char32_t, 128> kCp850 = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF,
    0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA,
    0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0, 0x00A9, 0x2563, 0x2551, 0x2557,
    0x255D, 0x00A2, 0x00A5, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4, 0x00F0, 0x00D0, 0x00CA, 0x00CB,
    0x00C8, 0x0131, 0x00CD, 0x00CE, 0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580,
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE, 0x00DE, 0x00DA, 0x00DB, 0x00D9,
    0x00FD, 0x00DD, 0x00AF, 0x00B4, 0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8,
    0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0};

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five unassigned
// bytes keep their C1 code points.
constexpr std::array<char32_t, 32> kWin1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one code point; malformed bytes are taken as Windows-1252 so
// that nothing is lost.
char32_t nextCodePoint(std::string_view s, std::size_t& i) {
    auto b = static_cast<unsigned char>(s[i]);
    int len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    if (len == 0 || i + len > s.size()) {
        ++i;
        return b < 0x80 ? b : b < 0xA0 ? kWin1252High[b - 0x80] : b;
    }
    char32_t c = len == 1 ? b : b & (0xFF >> (len + 1));
    for (int k = 1; k < len; ++k) {
        auto cb = static_cast<unsigned char>(s[i + k]);
        if ((cb & 0xC0) != 0x80) {
            ++i;
            return b < 0xA0 ? kWin1252High[b - 0x80] : b;
        }
        c = (c << 6) | (cb & 0x3F);
    }
    i += len;
    return c;
}

template <std::size_t N>
std::string decode(std::string_view bytes, const std::array<char32_t, N>& table, unsigned first) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (std::size_t i = 0; i < bytes.size();) {
        // A run of bytes that stay as they are goes in at once.
        std::size_t end = i;
        while (end < bytes.size() && static_cast<unsigned char>(bytes[end]) < first) ++end;
        out.append(bytes.data() + i, end - i);
        if (end == bytes.size()) break;
        const auto b = static_cast<unsigned char>(bytes[end]);
        appendUtf8(out, b - first < N ? table[b - first] : b);
        i = end + 1;
    }
    return out;
}

char toCp850(char32_t c) {
    if (c < 0x80) return static_cast<char>(c);
    for (std::size_t k = 0; k < kCp850.size(); ++k)
        if (kCp850[k] == c) return static_cast<char>(0x80 + k);
    return '?';
}

char toWin1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (std::size_t k = 0; k < kWin1252High.size(); ++k)
        if (kWin1252High[k] == c) return static_cast<char>(0x80 + k);
    return '?';
}

template <typename F>
std::string encode(std::string_view text, F conv) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) out += conv(nextCodePoint(text, i));
    return out;
}

template <typename F>
std::string mapLetters(std::string_view text, F conv) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) appendUtf8(out, conv(nextCodePoint(text, i)));
    return out;
}

}  // namespace

std::string cp850ToUtf8(std::string_view bytes) {
    return decode(bytes, kCp850, 0x80);
}
std::string win1252ToUtf8(std::string_view bytes) {
    return decode(bytes, kWin1252High, 0x80);
}
std::string utf8ToCp850(std::string_view text) {
    return encode(text, toCp850);
}
std::string utf8ToWin1252(std::string_view text) {
    return encode(text, toWin1252);
}

std::string asciitoansistr(std::string_view oem) {
    return utf8ToWin1252(cp850ToUtf8(oem));
}
std::string ansitoasciistr(std::string_view ansi) {
    return utf8ToCp850(win1252ToUtf8(ansi));
}

bool isValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        auto b = static_cast<unsigned char>(s[i]);
        int len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
        if (len == 0 || i + len > s.size()) return false;
        if (len == 2 && b < 0xC2) return false;  // overlong
        for (int k = 1; k < len; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += len;
    }
    return true;
}

bool looksLikeUtf8(std::string_view bytes) {
    bool nonAscii = false;
    for (unsigned char b : bytes)
        if (b >= 0x80) {
            nonAscii = true;
            break;
        }
    return nonAscii && isValidUtf8(bytes);
}

std::string utf8Upper(std::string_view text) {
    return mapLetters(text, [](char32_t c) -> char32_t {
        if (c >= 'a' && c <= 'z') return c - 32;
        if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 32;
        if (c == 0xFF) return 0x178;
        return c;
    });
}

std::string utf8Lower(std::string_view text) {
    return mapLetters(text, [](char32_t c) -> char32_t {
        if (c >= 'A' && c <= 'Z') return c + 32;
        if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 32;
        if (c == 0x178) return 0xFF;
        return c;
    });
}

namespace {

// CP850 umlauts: lower and upper form.
constexpr std::pair<unsigned char, unsigned char> kCp850Umlauts[] = {
    {0x81, 0x9A}, {0x84, 0x8E}, {0x94, 0x99}};

constexpr std::string_view kWordSeparators = " \"*+,-./;\\";

}  // namespace

char upperCp850(char c) {
    if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
    for (auto [lower, upper] : kCp850Umlauts)
        if (static_cast<unsigned char>(c) == lower) return static_cast<char>(upper);
    return c;
}

char lowerCp850(char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 'a');
    for (auto [lower, upper] : kCp850Umlauts)
        if (static_cast<unsigned char>(c) == upper) return static_cast<char>(lower);
    return c;
}

std::string convertCaseCp850(std::string_view text) {
    std::string s(text);
    bool start = true;
    for (char& c : s) {
        c = lowerCp850(c);
        if (start) c = upperCp850(c);
        start = kWordSeparators.find(c) != std::string_view::npos;
    }
    return s;
}

namespace {

bool isAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

}  // namespace

std::size_t utf8Length(std::string_view text) {
    if (isAscii(text)) return text.size();
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size();) {
        nextCodePoint(text, i);
        ++n;
    }
    return n;
}

std::string utf8Left(std::string_view text, std::size_t n) {
    if (isAscii(text)) return std::string(text.substr(0, n));
    std::size_t i = 0;
    for (std::size_t k = 0; k < n && i < text.size(); ++k) nextCodePoint(text, i);
    return std::string(text.substr(0, i));
}

}  // namespace dn
