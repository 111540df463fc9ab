#pragma once
// Store transactions of the DATANORM 4 imports: one transaction per
// `CommitBatchSize` records, committed on Escape, on the end of the file
// and before a fault ends it. A batch size below 1 runs without a long
// transaction (each article is then written in its own).
//
// The article import lets a batch end only at a boundary (before an A
// record), so that an article and the records after it that belong to it
// (B, D, Z, T, E) are committed together: a full batch waits for the next
// boundary. Only a run of records without boundary as long as a batch (a
// file with all its texts at the end) is committed within.

#include "host/store.h"

namespace dn {

class HostServices;

class BatchCommit4 {
  public:
    enum class Ends { AnyRecord, AtBoundaries };

    // Starts the first transaction when the batch size is 1 or more.
    BatchCommit4(HostStore& store, HostServices& ui, int batchSize, Ends ends = Ends::AnyRecord);
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
    // A place where a batch may end: a full batch is committed and a new
    // one begun. False as above.
    bool boundary();
    // Commits the open batch without starting a new one. False as above.
    bool commit();
    // Starts a new batch after commit() (Escape answered with no).
    void restart();

  private:
    HostStore& store_;
    HostServices& ui_;
    int size_;
    Ends ends_;
    int counted_ = 0;
    int sinceBoundary_ = 0;
};

}  // namespace dn
