// The D records (an article's long text) and the T and E text blocks of the
// DATANORM 4 article import, each read ahead as a group.

#include <array>

#include "common/session.h"
#include "features/articles/article_importer4.h"
#include "features/articles/import_text4.h"
#include "host/store.h"

namespace dn {
namespace {

constexpr std::size_t kMaxTextRecords = 500;

// An empty or blank line inside a text sequence is passed over: it neither
// ends the sequence nor adds a line.
bool isEmptyLine(const DnRecord& r) {
    return r.type() == 0 || r.type() == ' ';
}

std::string longLinesMessage(const std::string& number) {
    return "Anzahl Zeilen für mindestens einen Langtext größer 500\nLangtextnummer : " + number +
           "\nAlle Zeilen größer 500 werden verworfen.";
}

}  // namespace

bool ArticleImporter4::transferD(const DnRecord& first) {
    const DnRecord rec = first;
    const std::string key = keyOf(rec);
    if (!InNumberRange(options_, key)) return true;
    protocol("Dsatz");
    if (!belongsToPending(key)) {
        protocol("Fehler Dsatz passt nicht zu Asatz!");
        return true;
    }
    p_.LongTextPending = true;
    p_.DRecordList.clear();
    auto add = [this](const DnRecord& r) {
        for (auto [line, flag, textKey, text] : {std::array<std::size_t, 4>{18, 20, 21, 29},
                                                 std::array<std::size_t, 4>{69, 71, 72, 80}}) {
            const std::string k = trimBlanks4(dn4ToUtf8(r.at(textKey, 8)));
            p_.DRecordList.push_back(DRecord{dn4ToUtf8(r.at(line, 2)), dn4ToUtf8(r.at(flag, 1)),
                                             dn4ToUtf8(r.at(text, 40)),
                                             k.empty() ? k : s_.ArticlePrefix + k});
        }
    };
    add(rec);
    std::string line;
    for (;;) {
        const int got = readAhead(line);
        if (got < 0) return false;
        if (got == 0) break;
        const DnRecord& next = reader_.record();
        if (isEmptyLine(next)) continue;
        if (next.type() != 'D' || keyOf(next) != key) {
            pushBack(std::move(line));
            break;
        }
        add(next);
    }
    if (s_.PrintProtocol)
        for (const auto& d : p_.DRecordList)
            protocol(d.lineNumber + d.flag + d.textKey + " " + d.text);
    return true;
}

bool ArticleImporter4::transferText(const DnRecord& first) {
    const DnRecord rec = first;
    const char type = rec.type();
    protocol(type == 'T' ? "Tsatz" : "Esatz");
    const std::string number = utf8Left(s_.ArticlePrefix + dn4ToUtf8(rec.trimmed(3, 8)), 18);
    if (utf8Length(number) > 10) {
        if (!letterWarned_)
            s_.ui.meldung("Für diesen Lieferanten ist ein Kennbuchstabe erforderlich!");
        letterWarned_ = true;
        return true;
    }
    const std::string kind = type == 'T' ? "1" : "2";
    // Writing a text replaces the stored one; "L" only deletes it.
    if (rec.flag() == 'L') {
        store_.deleteLongText(number, kind);
        return true;
    }

    std::vector<DnRecord> block{rec};
    bool tooLong = false;
    std::string line;
    for (;;) {
        const int got = readAhead(line);
        if (got < 0) return false;
        if (got == 0) break;
        const DnRecord& next = reader_.record();
        if (isEmptyLine(next)) continue;
        if (next.type() != type ||
            utf8Left(s_.ArticlePrefix + dn4ToUtf8(next.trimmed(3, 8)), 18) != number) {
            pushBack(std::move(line));
            break;
        }
        if (block.size() < kMaxTextRecords)
            block.push_back(next);
        else
            tooLong = true;
    }
    if (tooLong && !longLinesWarned_) {
        longLinesWarned_ = true;
        s_.ui.meldung(longLinesMessage(number));
    }

    LongText text{number, kind, {}};
    for (std::size_t i = 0; i < block.size(); ++i) {
        const DnRecord& r = block[i];
        const bool last = i + 1 == block.size();
        const std::string line1 = r.text(29, 40);
        const std::string line2 = r.text(80, 40);
        const bool blank1 = trimBlanks4(line1).empty();
        const bool blank2 = trimBlanks4(line2).empty();
        if (type == 'E') {
            text.lines.push_back(dn4ToUtf8(line1));
            text.lines.push_back(dn4ToUtf8(line2));
            continue;
        }
        if (!blank1)
            text.lines.push_back(dn4ToUtf8(line1));
        else if (r.present(18))
            text.lines.emplace_back();
        if (!blank2)
            text.lines.push_back(dn4ToUtf8(line2));
        else if (!last && r.present(69))
            text.lines.emplace_back();
    }
    if (s_.PrintProtocol)
        for (const auto& l : text.lines) protocol(l);
    store_.writeLongText(text);
    return true;
}

}  // namespace dn
