#include "formats/dn5/file_result5.h"

#include "common/session.h"

namespace dn {

FileResult FileResult5(tdatanorm5& dn5, FileEnd5 end, long changed, long skipped) {
    FileResult r;
    r.skipped = skipped;
    r.changed = changed;
    switch (end) {
        case FileEnd5::EndOfFile:
            r.ending = FileEnding::ReadToEnd;
            if (dn5.HeaderMissing) {
                dn5.session().ui.meldung("Vorlaufsatz fehlt!");
                r.ending = FileEnding::Failed;
            }
            break;
        case FileEnd5::Cancelled:
            r.ending = FileEnding::Cancelled;
            break;
        case FileEnd5::Stopped:
        case FileEnd5::ReadError:
            r.ending = FileEnding::Failed;
            break;
    }
    return r;
}

}  // namespace dn
