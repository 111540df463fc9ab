// Reading the lines of an article-file block into an dn5::ArticleBlock, and the
// small text rules of the field mapping (units, case, surcharge lines).

#include "features/articles/article_block5.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <utility>

#include "common/session.h"
#include "formats/dn5/field_split5.h"
#include "formats/dn5/price_fields5.h"
#include "formats/dn5/record_layout5.h"
#include "formats/dn5/tdatanorm5.h"
#include "host/codepage.h"

namespace dn::dn5 {

namespace {

struct UnitCode {
    std::string_view code;
    std::string_view unit;
};

constexpr UnitCode kUnits[] = {
    {"CMK", "cm2"}, {"CMQ", "cm3"}, {"CMT", "cm"}, {"GRM", "gr"},  {"KGM", "kg"}, {"KMT", "km"},
    {"LTR", "ltr"}, {"MMT", "mm"},  {"MTK", "qm"}, {"MTQ", "cbm"}, {"MTR", "m"},  {"PCE", "Stck"},
};

double numberOf(std::string_view text) {
    return parseNumber(text).value_or(0.0);
}

// A whole number right-aligned in the field's width (the fixed-width amount
// helpers of the older reader), an amount first turned into the host
// currency; an empty field stays empty.
std::string normalized(std::string_view field, std::size_t width,
                       const std::function<double(double)>& convert = {}) {
    if (trim(field).empty()) return std::string(field);
    const double r = std::round(convert ? convert(numberOf(field)) : numberOf(field));
    char buffer[48];
    // Whole numbers of common size without the floating-point formatter;
    // it writes the same digits ("-0" stays its own).
    if (std::fabs(r) < 1e15 && !(r == 0 && std::signbit(r)))
        std::snprintf(buffer, sizeof buffer, "%*lld", static_cast<int>(width),
                      static_cast<long long>(r));
    else
        std::snprintf(buffer, sizeof buffer, "%*.0f", static_cast<int>(width), r);
    return buffer;
}

// Field widths of the Z subtypes, fields 4 to 16.
struct SurchargeLayout {
    std::string_view subtype;
    std::array<std::size_t, 13> widths;
};

constexpr SurchargeLayout kSurcharge[] = {
    {"1", {2, 1, 40, 40, 1, 1, 1, 6, 10, 2, 1, 8, 8}},
    {"2", {2, 1, 2, 1, 1, 1, 6, 10, 8, 8, 6, 8, 9}},
    {"3", {2, 1, 2, 1, 6, 8, 6, 8, 6, 0, 0, 0, 0}},
};

// Fields 2..last of the current block line (index = field number), split
// once. A field within its layout maximum is taken as it stands; any other
// goes the reader's way (message, question, cut).
template <std::size_t N>
void readFields(const Record& record, std::array<std::string, N>& out, int last) {
    const std::string& line = record.line();
    std::array<std::string_view, N> parts{};
    std::size_t pos = 0;
    for (int n = 1; n <= last && pos <= line.size(); ++n) {
        const std::size_t end = line.find(';', pos);
        parts[n] = std::string_view(line).substr(
            pos, end == std::string::npos ? std::string::npos : end - pos);
        pos = end == std::string::npos ? line.size() + 1 : end + 1;
    }
    const char letter = line.front();
    const int subtypeField = SubtypeField5(letter);
    const std::string_view subtype =
        subtypeField > 0 && subtypeField <= last ? parts[subtypeField] : std::string_view{};
    const FieldMaxima5 maxima(letter, subtype);
    for (int n = 2; n <= last; ++n) {
        if (parts[n].size() > maxima(n))
            out[n] = record.GetField5(n);
        else
            out[n].assign(parts[n]);
    }
}

void readArticleLine(tdatanorm5& dn5, const Record& record, ArticleBlock& block) {
    ArticleLine a;
    readFields(record, a.f, 29);
    ArticlePriceInput& p = a.price;
    p.priceFlag = a.f[field5::PriceFlag];
    p.priceUnitPresent = a.present(field5::PriceUnit);
    p.priceUnit = integerOf(a.f[field5::PriceUnit]);
    p.pricePresent = a.present(field5::Price);
    p.price = FileCurrency(dn5)(numberOf(a.f[field5::Price]) / 100.0);
    p.discountGroupPresent = a.present(field5::DiscountGroup);
    p.group.code = a.f[field5::DiscountGroup];
    block.steps.emplace_back(std::move(a));
}

void readCalcLine(const Record& record, ArticleBlock& block) {
    CalcLine c;
    readFields(record, c.f, 8);
    block.steps.emplace_back(std::move(c));
}

void readDLine(tdatanorm5& dn5, const Record& record, ArticleBlock& block) {
    const std::string flag = record.GetField5(field5::ProcessingFlag);
    if (flag == "L") {
        block.dRecords.clear();
        return;
    }
    if (flag != "A" && flag != "N") return;
    std::array<std::string, 8> f;
    readFields(record, f, 7);
    DRecord d;
    d.lineNumber = utf8Of(f[4]);
    d.flag = utf8Of(f[5]);
    d.text = utf8Of(f[6]);
    d.textKey = utf8Of(f[7]);
    if (!trim(d.textKey).empty()) d.textKey = dn5.session().ArticlePrefix + d.textKey;
    block.dRecords.push_back(std::move(d));
}

void readZLine(tdatanorm5& dn5, const Record& record, ArticleBlock& block) {
    const std::string flag = record.GetField5(field5::ProcessingFlag);
    if (flag == "L") {
        block.surchargeLines.clear();
        return;
    }
    if (flag != "A" && flag != "N") return;
    std::array<std::string, 17> f;
    readFields(record, f, 16);
    std::string line = surchargeLine(f, block.copperValues, FileCurrency(dn5));
    if (!line.empty()) block.surchargeLines.push_back(std::move(line));
}

// Graphics binding: picture kinds, file name with extension, text.
std::string graphicsLine(const Record& record) {
    const std::string name = std::string(trim(record.GetField5(field5::GraphicsFileName))) + "." +
                             std::string(trim(record.GetField5(field5::GraphicsExtension)));
    return pad(record.GetField5(4), 2) + pad(record.GetField5(5), 2) + pad(name, 12) +
           record.GetField5(field5::GraphicsText);
}

ArticleBlock::Kind kindOf(char letter) {
    if (letter == 'T') return ArticleBlock::Kind::Text;
    if (letter == 'G') return ArticleBlock::Kind::Graphics;
    return ArticleBlock::Kind::Article;
}

}  // namespace

bool ArticleLine::present(int n) const {
    return !trim(f[n]).empty();
}

std::string pad(std::string_view text, std::size_t width) {
    std::string s(text.substr(0, width));
    s.resize(width, ' ');
    return s;
}

std::string ReplaceUnit5(std::string_view unit, bool replace) {
    if (!replace) return std::string(unit);
    std::string u(trim(unit));
    for (char& c : u) c = upperCp850(c);
    for (const auto& [code, host] : kUnits)
        if (u == code) {
            u = host;
            break;
        }
    if (u.size() < 4) u.resize(4, ' ');
    return u;
}

std::string surchargeLine(const std::array<std::string, 17>& f, std::array<double, 2>& copper,
                          const std::function<double(double)>& convert) {
    const std::string subtype(trim(f[5]));
    const SurchargeLayout* layout = nullptr;
    for (const auto& l : kSurcharge)
        if (l.subtype == subtype) layout = &l;
    if (!layout) return {};

    // The fields as read, some replaced by their normalized form.
    std::array<std::string_view, 17> v;
    for (std::size_t n = 0; n < f.size(); ++n) v[n] = f[n];
    std::string n11, n12, n13, n9;
    if (subtype == "1" && (trim(f[8]) == "1" || trim(f[8]) == "2"))
        v[12] = n12 = normalized(f[12], 10, convert);
    if (subtype == "2") {
        if (trim(f[7]) == "2") v[11] = n11 = normalized(f[11], 10, convert);
        v[12] = n12 = normalized(f[12], 8);
        v[13] = n13 = normalized(f[13], 8);
    }
    if (subtype == "3") {
        v[9] = n9 = normalized(f[9], 8);
        if (trim(f[6]) == "CU") {
            double n = std::round(numberOf(f[8]));
            if (n == 0) n = 1;
            copper[0] = std::round(numberOf(f[10]) * numberOf(f[9]) / 100.0 / 10.0);
            copper[1] = numberOf(f[11]) / 100.0 * numberOf(f[12]) / 1000.0 / n;
        }
    }
    std::string line = "50";
    line.reserve(160);
    for (int n = 4; n <= 16; ++n) {
        const std::size_t width = layout->widths[n - 4];
        if (width == 0) break;
        const std::string_view text = v[n].substr(0, width);
        line.append(text);
        line.append(width - text.size(), ' ');
    }
    return line;
}

ArticleBlock parseArticleBlock(tdatanorm5& dn5, const BlockLines& lines, bool takeLongTexts) {
    ArticleBlock block;
    if (lines.empty()) return block;
    block.kind = kindOf(lines.front().record.letter());

    if (block.kind == ArticleBlock::Kind::Article) {
        // First pass: D and Z lines, whatever their place; without an A line
        // they have no article.
        bool hasArticle = false;
        for (const auto& line : lines) hasArticle = hasArticle || line.record.letter() == 'A';
        for (const auto& line : lines) {
            const char letter = line.record.letter();
            const bool counts = letter == 'Z' || (letter == 'D' && takeLongTexts);
            if (!counts) continue;
            if (!hasArticle) {
                block.unattached.push_back({letter, line.record.lineNumber()});
                continue;
            }
            if (letter == 'D')
                readDLine(dn5, line.record, block);
            else
                readZLine(dn5, line.record, block);
        }
        // Then the A lines and after them the C lines, which act on the
        // article as its A lines left it.
        for (const char letter : {'A', 'C'}) {
            for (const auto& line : lines) {
                if (line.record.letter() != letter) continue;
                if (letter == 'A')
                    readArticleLine(dn5, line.record, block);
                else
                    readCalcLine(line.record, block);
            }
        }
    } else {
        for (const auto& line : lines) {
            if (line.record.letter() == 'G')
                block.textLines.push_back(graphicsLine(line.record));
            else if (takeLongTexts)
                block.textLines.push_back(line.record.GetField5(field5::TextLine, 70));
        }
    }
    const Record& last = lines.back().record;
    const int numberField =
        last.letter() == 'C' ? field5::CalcArticleNumber : field5::ArticleNumber;
    block.number = last.GetField5(numberField, 15);
    block.lastFlag = last.GetField5(field5::ProcessingFlag);
    if (block.kind == ArticleBlock::Kind::Text) block.textKind = last.GetField5(field5::TextKind);
    return block;
}

ArticleBlock parseBRecord(const Record& record, ArticleBlock::Kind kind) {
    ArticleBlock block;
    block.kind = kind;
    block.number = record.GetField5(field5::ArticleNumber, 15);
    block.lastFlag = record.GetField5(field5::ProcessingFlag);
    block.newNumber = record.GetField5(field5::NewNumber, 15);
    block.date = record.GetField5(field5::DeletionDate, 8);
    return block;
}

ArticleBlock parseArticleDeletion(const Record& record) {
    ArticleBlock block;
    block.kind = ArticleBlock::Kind::Deletion;
    block.number = record.GetField5(field5::ArticleNumber, 15);
    block.lastFlag = record.GetField5(field5::ProcessingFlag);
    block.byArticleLine = true;
    return block;
}

}  // namespace dn::dn5
