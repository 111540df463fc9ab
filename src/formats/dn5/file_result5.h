#pragma once
// How a DATANORM 5 file ended, as every version 5 command reports it to the
// run (frame/import_outcome.h).

#include "common/import_outcome.h"
#include "formats/dn5/tdatanorm5.h"

namespace dn {

// The result of a file whose reading loop ended with `end`, after
// `changed` records changed the store and `skipped` were left out for a
// numeric field that held no number. A file read to its end without a
// header (an empty file, a file of blank lines) ended with an error: the
// message "Vorlaufsatz fehlt!" is shown for it here.
FileResult FileResult5(tdatanorm5& dn5, FileEnd end, long changed, long skipped);

}  // namespace dn
