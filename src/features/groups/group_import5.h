#pragma once
// What the DATANORM 5 discount-group and product-group imports share: the
// file of the run, the reading loop under the status panel, and the
// record handlers that tests call on a line of their own.

#include <string>

#include "common/dispatch.h"
#include "common/import_outcome.h"
#include "formats/dn5/record.h"
#include "formats/dn5/run_counts.h"

namespace dn {

struct Session;
class tdatanorm5;
class HostStore;
struct KeyRange;

// Command 22 for a DATANORM 5 supplier: dialog `TR_EINLESEN`, the chosen
// "datanorm.rab" read into the supplier's discount groups.
CommandOutcome ImportDiscountGroups5(Session& s);

// Command 51 for a DATANORM 5 supplier: dialog `TW_EINLESEN`, the
// supplier's product groups replaced by those of "datanorm.wrg". Sets
// `OnlineImportStatus` to "1" when it is not empty and the file was read.
CommandOutcome ImportProductGroups5(Session& s);

// An R record into the store (`schreib_rabattff`): a group read again
// keeps its hand-entered surcharge and mark. Counts it as read or skipped.
void DiscountGroupRecord5(tdatanorm5& dn5, const dn5::Record& record, HostStore& store,
                          dn5::RunCounts& counts);
// An S record into the store (`schreib_warenff`); counts it.
void ProductGroupRecord5(tdatanorm5& dn5, const dn5::Record& record, HostStore& store,
                         dn5::RunCounts& counts);

// What differs between the two group files.
struct GroupFileKind5 {
    char letter;        // of the group records and of the header's file kind: 'R' or 'S'
    const char* panel;  // caption of the status panel
    // The store's deletion of the supplier's old groups once the header was
    // accepted, and the start of its message; no deletion when null.
    std::size_t (HostStore::*deleteOld)(const KeyRange&);
    const char* oldGroupsDeleted;
    void (*record)(tdatanorm5& dn5, const dn5::Record& record, HostStore& store,
                   dn5::RunCounts& counts);
    char otherLetter;  // the other group file's records, answered with
    const char* otherAnswer;
};

// Reads one group file in the store transaction of its groups, under the
// status panel. `changed` of the result counts the groups read.
FileResult ReadGroupFile5(Session& s, tdatanorm5& dn5, const std::string& file,
                          const GroupFileKind5& kind);

// Text padded with blanks to n characters (not cut).
std::string PadRight5(const std::string& utf8, std::size_t n);

}  // namespace dn
