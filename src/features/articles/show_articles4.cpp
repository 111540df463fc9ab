#include "features/articles/show_articles4.h"

#include <fmt/format.h>

#include "common/session.h"
#include "formats/dn4/dn4_reader.h"

namespace dn {
namespace {

constexpr const char* kHeading =
    "Artikelnummer    Bezeichnung                                  Preis  Rabattgr.";

// Printer and status panel of the listing, closed however it ends.
class ListingOutput {
  public:
    explicit ListingOutput(HostServices& ui) : ui_(ui) {
        open_ = ui_.open_drucker();
        if (open_) ui_.PanelOn("Druck Artikel");
    }
    ~ListingOutput() {
        if (!open_) return;
        try {
            ui_.PanelOff();
            ui_.close_drucker();
        } catch (...) {
        }
    }
    ListingOutput(const ListingOutput&) = delete;
    ListingOutput& operator=(const ListingOutput&) = delete;
    bool open() const { return open_; }
    void line(const std::string& text) { ui_.druckeln(text); }

  private:
    HostServices& ui_;
    bool open_ = false;
};

// Lists one file; false when the listing is to stop (conversion failure or
// Escape).
bool listFile(Session& s, ListingOutput& out, const std::string& file, long& count) {
    LineReader lines(file, dn4::kLineOptions);
    Dn4Reader reader(s);
    std::string line;
    while (!s.ui.ESCPanel() && lines.readLine(line)) {
        if (!reader.ConvertDn4Line(line)) return false;
        DnRecord& rec = reader.record();
        switch (rec.type()) {
            case 'K':
                out.line("Kundennummer: " + dn4ToUtf8(rec.at(dnpos::CustomerNumber, 10)));
                break;
            case 'V':
                out.line(dn4ToUtf8(rec.at(dnpos::HeaderDate, 6)));
                out.line(dn4ToUtf8(rec.at(dnpos::HeaderText1, 40)));
                out.line(dn4ToUtf8(rec.at(dnpos::HeaderText2, 40)));
                out.line(dn4ToUtf8(rec.at(dnpos::HeaderText3, 40)));
                out.line("");
                out.line("");
                break;
            case 'A': {
                if (rec.flag() != 'N') break;
                reader.convertAmount(rec.span(dnpos::Price, 8));
                const std::string number = dn4ToUtf8(rec.at(dnpos::ArticleNumber, 15));
                s.ui.SetInfo(number);
                for (const auto& l :
                     articleListingLines(number, dn4ToUtf8(rec.at(dnpos::ShortText1, 40)),
                                         dn4ToUtf8(rec.at(dnpos::ShortText2, 40)),
                                         fieldNumber(rec.at(dnpos::Price, 8)),
                                         dn4ToUtf8(rec.at(dnpos::DiscountGroup, 4))))
                    out.line(l);
                ++count;
                break;
            }
            default:
                break;
        }
    }
    if (ShowReadFaults(s, lines.report())) return false;
    return !s.ui.ESCPanel();
}

}  // namespace

std::vector<std::string> articleListingLines(const std::string& articleNumber,
                                             const std::string& shortText1,
                                             const std::string& shortText2, double priceCents,
                                             const std::string& discountGroup) {
    return {articleNumber + "  " + shortText1 + "  " + fmt::format("{:10.2f}", priceCents / 100.0) +
                "  " + discountGroup,
            std::string(17, ' ') + shortText2};
}

void ShowArticles4(Session& s, const std::vector<std::string>& files) {
    ListingOutput out(s.ui);
    if (!out.open()) return;
    out.line("");
    out.line("");
    out.line(kHeading);
    out.line(std::string(78, '='));
    out.line("");
    long count = 0;
    for (const auto& file : files)
        if (!listFile(s, out, file, count)) break;
    out.line("");
    out.line("");
    out.line("Gesamtanzahl: " + std::to_string(count));
}

}  // namespace dn
