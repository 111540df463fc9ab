#pragma once
// The store transaction of a group file (commands 22 and 51, DATANORM 4
// and 5). The supplier's old groups are deleted inside it once the file's
// header has been accepted, so that a refused file (wrong header, wrong
// version, no header at all) leaves them as they were, and the deletion and
// the new groups are committed together.

#include "host/store_transaction.h"

namespace dn {

class HostStore;

class GroupFileTransaction {
  public:
    explicit GroupFileTransaction(HostStore& store) : tx_(store) {}

    // True for the first accepted header of the file: the moment to delete
    // the old groups.
    bool acceptHeader() {
        if (accepted_) return false;
        accepted_ = true;
        return true;
    }

    // Commits what was read. A file that ended early before any group was
    // taken over (refused at the customer question, a faulty first record,
    // Escape) is rolled back, so that the old groups stay.
    void finish(bool readToEnd, long groupsTaken) {
        if (!readToEnd && groupsTaken == 0)
            tx_.rollback();
        else
            tx_.commit();
    }

  private:
    StoreTransaction tx_;
    bool accepted_ = false;
};

}  // namespace dn
