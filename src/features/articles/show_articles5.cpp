// `ShowArticles5` (command 32): the new articles of one DATANORM 5 file on
// the printer.

#include <fmt/format.h>

#include <memory>

#include "common/file_choice.h"
#include "common/protocol.h"
#include "common/session.h"
#include "features/articles/import_articles5.h"
#include "formats/dn5/field_split5.h"
#include "formats/dn5/price_fields5.h"
#include "formats/dn5/tdatanorm5.h"
#include "host/codepage.h"
#include "host/errors.h"

namespace dn {

namespace {

constexpr const char* kHeading =
    "Artikelnummer    Bezeichnung                                  Preis  Rabattgr.";

std::string padded(std::string_view cp850, std::size_t width) {
    std::string s(cp850.substr(0, width));
    s.resize(width, ' ');
    return cp850ToUtf8(s);
}

// Printer and panel of the listing, closed however it ends.
class ListingJob5 {
  public:
    explicit ListingJob5(Session& s) : s_(s) {
        s_.PrintProtocol = true;
        open_ = openProtocol(s_);
        if (open_) s_.ui.PanelOn("Druck Artikel");
    }
    ~ListingJob5() {
        if (!open_) return;
        try {
            s_.ui.PanelOff();
            closeProtocol(s_);
        } catch (...) {
        }
    }
    ListingJob5(const ListingJob5&) = delete;
    ListingJob5& operator=(const ListingJob5&) = delete;
    bool open() const { return open_; }

  private:
    Session& s_;
    bool open_ = false;
};

// Prints the A record when it is a new article; counts it in `listed`.
bool listArticle(Session& s, tdatanorm5& d, const dn5::Record& r, long& listed) {
    if (r.GetField5(field5::ProcessingFlag) != "N") return true;
    const double price = dn5::FileCurrency(d)(r.amount(field5::Price));
    const std::string number = r.GetField5(field5::ArticleNumber, 15);
    s.ui.SetInfo(cp850ToUtf8(dn5::trim(number)));
    ProtocolLine(s, padded(number, 15) + " " + padded(r.GetField5(field5::ShortText1), 40) + " " +
                        fmt::format("{:10.2f}", price) + "  " +
                        padded(r.GetField5(field5::DiscountGroup), 4));
    const std::string text2(dn5::trim(r.GetField5(field5::ShortText2)));
    if (!text2.empty()) ProtocolLine(s, std::string(16, ' ') + cp850ToUtf8(text2));
    ++listed;
    return true;
}

}  // namespace

CommandOutcome ShowArticles5(Session& s) {
    if (!s.dn5) s.dn5 = std::make_shared<tdatanorm5>(s);
    tdatanorm5& d = *s.dn5;
    if (!ChooseImportFiles(s, 'a') || s.OnlineImportFiles.empty()) return CommandOutcome::Cancelled;
    const std::string file = s.OnlineImportFiles.front();
    ListingJob5 job(s);
    if (!job.open()) return CommandOutcome::Cancelled;
    ProtocolLine(s, "");
    ProtocolLine(s, "");
    ProtocolLine(s, kHeading);
    ProtocolLine(s, std::string(78, '='));
    ProtocolLine(s, "");

    long listed = 0;
    dn5::RecordTable table = dn5::RecordTable::withHeader('A');
    table.handle('A', [&s, &listed](tdatanorm5& dm, const dn5::Record& r) {
        return listArticle(s, dm, r, listed);
    });
    for (char skipped = 1; skipped > 0 && skipped < 127; ++skipped)
        if (skipped != 'A' && skipped != 'V' && skipped != 'K' && skipped != 'E')
            table.ignore(skipped);
    dn5::ReadHooks hooks;
    hooks.beforeLine = [&s](std::uint64_t) { return !s.ui.ESCPanel(); };
    CommandOutcome outcome = CommandOutcome::Done;
    try {
        const FileEnd end = d.ReadFile5(file, table, hooks);
        if (end == FileEnd::ReadError) outcome = CommandOutcome::Failed;
        if (end == FileEnd::Cancelled) outcome = CommandOutcome::Cancelled;
    } catch (const IoError& e) {
        s.ui.meldung(e.what());
        outcome = CommandOutcome::Failed;
    }
    ProtocolLine(s, "");
    ProtocolLine(s, "");
    ProtocolLine(s, "Gesamtanzahl: " + std::to_string(listed));
    return outcome;
}

}  // namespace dn
