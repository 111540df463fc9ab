// The reading of a DATANORM 5 group file, shared by the discount-group and
// the product-group import.

#include "common/group_file_transaction.h"
#include "common/session.h"
#include "features/groups/group_import5.h"
#include "formats/dn5/file_result5.h"
#include "formats/dn5/tdatanorm5.h"
#include "host/store.h"

namespace dn {

namespace {

constexpr const char* kArticleRecords = "Artikelsätze mit Funktion Artikelübernahme einlesen!";

}  // namespace

FileResult ReadGroupFile5(Session& s, tdatanorm5& dn5, const std::string& file,
                          const GroupFileKind5& kind) {
    // The old groups go only once the header was accepted, in the
    // transaction of the new ones: a refused file leaves them as they were.
    HostStore& store = s.store();
    GroupFileTransaction groups(store);
    dn5::RunCounts counts;
    dn5::RecordTable table = dn5::RecordTable::withHeader(kind.letter);
    table.handle(
        'V',
        [&](tdatanorm5& d, const dn5::Record& r) {
            d.ShowHeader5(r, kind.letter);
            if (kind.deleteOld && groups.acceptHeader()) {
                (store.*kind.deleteOld)(KeyRange::prefix(s.ArticlePrefix));
                s.ui.meldung(std::string(kind.oldGroupsDeleted) + " des Lieferanten \"" +
                             s.suppliers.entry(s.CurrentSupplier).name + "\" wurden gelöscht!");
            }
            return true;
        },
        false);
    table.handle(kind.letter, [&](tdatanorm5& d, const dn5::Record& r) {
        kind.record(d, r, store, counts);
        return true;
    });
    for (char c : {'A', 'B', 'C', 'D', 'G', 'T', 'Z'}) table.answer(c, kArticleRecords);
    table.answer(kind.otherLetter, kind.otherAnswer);

    s.ui.PanelOn(kind.panel);
    FileEnd end = FileEnd::ReadError;
    try {
        end = dn5.ReadFile5(file, table, {[&s](std::uint64_t) { return !s.ui.ESCPanel(); }});
        groups.finish(end == FileEnd::EndOfFile, counts.RecordCount);
    } catch (...) {
        s.ui.PanelOff();
        throw;
    }
    s.ui.PanelOff();
    return FileResult5(dn5, end, counts.RecordCount, counts.SkippedCount);
}

}  // namespace dn
