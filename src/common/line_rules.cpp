#include "common/line_rules.h"

#include <algorithm>
#include <cstring>

#include "host/codepage.h"

namespace dn {
namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kHighs = 0x8080808080808080ULL;

std::uint64_t word(const char* p) {
    std::uint64_t w;
    std::memcpy(&w, p, sizeof w);
    return w;
}

// Eight bytes at a time: most lines are plain ASCII without control bytes
// and need no change at all.
bool hasNonAscii(std::string_view s) {
    std::size_t i = 0;
    for (; i + 8 <= s.size(); i += 8)
        if ((word(s.data() + i) & kHighs) != 0) return true;
    for (; i < s.size(); ++i)
        if (static_cast<unsigned char>(s[i]) >= 0x80) return true;
    return false;
}

// Drops a UTF-8 sequence cut off at the end of a block.
std::string_view withoutCutSequence(std::string_view s) {
    for (std::size_t back = 1; back <= 3 && back <= s.size(); ++back) {
        const auto b = static_cast<unsigned char>(s[s.size() - back]);
        if ((b & 0xC0) == 0x80) continue;  // continuation byte: look further back
        if (b >= 0xC0) {
            const std::size_t len = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
            if (len > back) return s.substr(0, s.size() - back);
        }
        break;
    }
    return s;
}

// The German letters ä ö ü Ä Ö Ü ß in each single-byte code page. In the
// other code page these bytes are letters rarely used in German text (or
// box-drawing characters), so the page whose letters are more frequent wins.
constexpr std::string_view kCp850Letters = "\x84\x94\x81\x8E\x99\x9A\xE1";
constexpr std::string_view kWin1252Letters = "\xE4\xF6\xFC\xC4\xD6\xDC\xDF";

bool isControl(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b < 0x20 || b == 0x7F;
}

bool hasControl(std::string_view s) {
    std::size_t i = 0;
    for (; i + 8 <= s.size(); i += 8) {
        const std::uint64_t w = word(s.data() + i);
        const std::uint64_t del = w ^ (kOnes * 0x7F);
        // A byte below 0x20, or a byte that is 0x7F (zero after the xor);
        // bytes from 0x80 can set the marks falsely, the byte test decides.
        if ((((w - kOnes * 0x20) & ~w) | ((del - kOnes) & ~del)) & kHighs) {
            for (std::size_t k = i; k < i + 8; ++k)
                if (isControl(s[k])) return true;
        }
    }
    for (; i < s.size(); ++i)
        if (isControl(s[i])) return true;
    return false;
}

}  // namespace

TextEncoding SniffEncoding(std::string_view head, bool cut) {
    if (head.starts_with(kUtf8Bom)) return TextEncoding::Utf8;
    if (cut) head = withoutCutSequence(head);
    int utf8Lines = 0;
    int otherLines = 0;
    long cp850 = 0;
    long win1252 = 0;
    while (!head.empty()) {
        const std::size_t end = std::min(head.find('\n'), head.find('\r'));
        const std::string_view line = head.substr(0, end);
        head.remove_prefix(end == std::string_view::npos ? head.size() : end + 1);
        if (!hasNonAscii(line)) continue;
        if (isValidUtf8(line)) {
            ++utf8Lines;
            continue;
        }
        ++otherLines;
        for (char c : line) {
            if (kCp850Letters.find(c) != std::string_view::npos) ++cp850;
            if (kWin1252Letters.find(c) != std::string_view::npos) ++win1252;
        }
    }
    if (utf8Lines + otherLines == 0) return TextEncoding::Undecided;
    if (utf8Lines > otherLines) return TextEncoding::Utf8;
    return win1252 > cp850 ? TextEncoding::Win1252 : TextEncoding::Cp850;
}

void LineToCp850(std::string& line, TextEncoding& encoding) {
    if (encoding == TextEncoding::Cp850 || !hasNonAscii(line)) return;
    if (encoding == TextEncoding::Undecided) encoding = SniffEncoding(line, false);
    switch (encoding) {
        case TextEncoding::Utf8:
            if (isValidUtf8(line)) line = utf8ToCp850(line);
            return;
        case TextEncoding::Win1252:
            line = ansitoasciistr(line);
            return;
        case TextEncoding::Cp850:
        case TextEncoding::Undecided:
            return;
    }
}

const char* FindLineBreak(const char* begin, const char* end) {
    const auto n = static_cast<std::size_t>(end - begin);
    const char* stop = static_cast<const char*>(std::memchr(begin, '\n', n));
    const std::size_t before = stop ? static_cast<std::size_t>(stop - begin) : n;
    if (const char* cr = static_cast<const char*>(std::memchr(begin, '\r', before))) stop = cr;
    const std::size_t head = stop ? static_cast<std::size_t>(stop - begin) : n;
    if (const char* mark = static_cast<const char*>(std::memchr(begin, kEndOfFileMark, head)))
        stop = mark;
    return stop;
}

bool BlankControlBytes(std::string& line) {
    if (!hasControl(line)) return false;
    bool found = false;
    for (char& c : line)
        if (isControl(c)) {
            c = ' ';
            found = true;
        }
    return found;
}

int FieldCount(std::string_view line) {
    if (line.empty()) return 0;
    const auto separators = static_cast<int>(std::count(line.begin(), line.end(), ';'));
    return separators + (line.back() == ';' ? 0 : 1);
}

std::string LineTooLongMessage(std::int64_t lineNumber) {
    return "FEHLER in DATANORM-Datei !!!\n\nZeile " + std::to_string(lineNumber) +
           " ist länger als " + std::to_string(kMaxLineLength) +
           " Zeichen.\n\nDie Übernahme wird abgebrochen!";
}

std::string CutOffMessage(std::int64_t lineNumber) {
    return "FEHLER in DATANORM-Datei !!!\n\nDie Datei endet in Zeile " +
           std::to_string(lineNumber) +
           " mitten im Satz: sie ist unvollständig.\n\nDer unvollständige Satz wird nicht "
           "übernommen.";
}

std::string EndMarkMessage(std::int64_t lineNumber) {
    return "FEHLER in DATANORM-Datei !!!\n\nIn Zeile " + std::to_string(lineNumber) +
           " steht ein Dateiendezeichen (0x1A), dem noch Daten folgen.\n\nDie Daten danach werden "
           "nicht "
           "gelesen.";
}

std::string EncodingNote(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8:
            return "Zeichensatz der Datei: UTF-8";
        case TextEncoding::Win1252:
            return "Zeichensatz der Datei: Windows-1252 (ANSI)";
        case TextEncoding::Cp850:
            return "Zeichensatz der Datei: CP850 (DOS)";
        case TextEncoding::Undecided:
            break;
    }
    return "Zeichensatz der Datei: ASCII";
}

std::string ControlBytesNote(std::int64_t lines, std::int64_t firstLine) {
    return "Steuerzeichen durch Leerzeichen ersetzt in " + std::to_string(lines) +
           (lines == 1 ? " Zeile" : " Zeilen") + ", zuerst in Zeile " + std::to_string(firstLine);
}

void LineChecks::controlBytes(std::string& line, std::int64_t lineNumber) {
    if (!BlankControlBytes(line)) return;
    if (controlLines_++ == 0) firstControlLine_ = lineNumber;
}

LineReadReport LineChecks::report(TextEncoding encoding) const {
    LineReadReport r;
    r.faults = faults_;
    r.notes.push_back(EncodingNote(encoding));
    if (controlLines_ > 0) r.notes.push_back(ControlBytesNote(controlLines_, firstControlLine_));
    return r;
}

}  // namespace dn
