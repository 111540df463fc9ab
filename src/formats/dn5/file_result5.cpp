#include "formats/dn5/file_result5.h"

#include "common/session.h"

namespace dn {

FileResult FileResult5(tdatanorm5& dn5, FileEnd end, long changed, long skipped) {
    FileResult r;
    r.skipped = skipped;
    r.changed = changed;
    r.ending = EndingOf(end);
    if (end == FileEnd::EndOfFile && dn5.HeaderMissing) {
        dn5.session().ui.meldung("Vorlaufsatz fehlt!");
        r.ending = FileEnding::Failed;
    }
    return r;
}

}  // namespace dn
