#pragma once
// Store transactions of the DATANORM 4 imports: one transaction per
// `CommitBatchSize` records, committed on Escape, on the end of the file
// and before a fault ends it. A batch size below 1 runs without a long
// transaction (each article is then written in its own).

#include "host/store.h"

namespace dn {

class HostServices;

class BatchCommit4 {
  public:
    // Starts the first transaction when the batch size is 1 or more.
    BatchCommit4(HostStore& store, HostServices& ui, int batchSize);
    // Rolls back what was not committed; never throws.
    ~BatchCommit4();
    BatchCommit4(const BatchCommit4&) = delete;
    BatchCommit4& operator=(const BatchCommit4&) = delete;

    bool on() const { return size_ >= 1; }
    int size() const { return size_; }

    // Counts one record; past the batch size the batch is committed and a
    // new one begun. False when the commit failed (the store rolled back,
    // the message was shown): the caller ends the file.
    bool count();
    // Commits the open batch without starting a new one. False as above.
    bool commit();
    // Starts a new batch after commit() (Escape answered with no).
    void restart();

  private:
    HostStore& store_;
    HostServices& ui_;
    int size_;
    int counted_ = 0;
};

}  // namespace dn
