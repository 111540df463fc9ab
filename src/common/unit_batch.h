#pragma once
// Units of work in large store transactions. A unit is what reaches the
// store whole or not at all: an article with the text and picture records
// that follow it, a price record. Many units share one transaction, and a
// store error costs only the unit it happened in.
//
// `UnitBatch` keeps the units written since the last commit. When a unit's
// write raises DatabaseError, the transaction is rolled back, the error is
// reported and the kept units are written again (`Replay::Yes`: no
// protocol, no counting), so exactly the failed unit is missing. When the
// commit fails, the batch is rolled back, the error reported, and each kept
// unit is written again in a transaction of its own: only a unit that the
// store refuses on its own is lost.
//
// `StreamBatch` serves an importer whose records are written while they
// are read: the same batches, committed on the same rule, nothing kept; a
// store error during a write leaves the command.
//
// The rule (`BatchCut`): a batch is full at `units` units or `bytes` of
// unit data; it ends only before a unit that may begin one, so that an
// article and the units that follow it are committed together. A run of
// following units as long as `run` is cut within.

#include <algorithm>
#include <cstddef>
#include <functional>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "host/errors.h"
#include "host/store.h"

namespace dn {

class HostServices;

struct BatchLimits {
    std::size_t units = 1;
    std::size_t bytes = std::numeric_limits<std::size_t>::max();
    // Following units in a row after which the batch is cut anyway.
    std::size_t run = std::numeric_limits<std::size_t>::max();
};

// Whether a batch may end before the unit.
enum class UnitStart { Begins, Follows };

// A unit written again after a rollback: it prints and counts nothing.
enum class Replay { No, Yes };

class BatchCut {
  public:
    explicit BatchCut(BatchLimits limits) : limits_(limits) {}

    // The batch is to be committed before a unit that starts so.
    bool endsBefore(UnitStart start) const {
        return start == UnitStart::Begins && (units_ >= limits_.units || bytes_ >= limits_.bytes);
    }
    // Counts a unit; true when the batch is full and the run of following
    // units is as long as `run` (the batch is to be committed now).
    bool add(UnitStart start, std::size_t bytes) {
        ++units_;
        bytes_ += bytes;
        const bool follows = start == UnitStart::Follows;
        runUnits_ = follows ? runUnits_ + 1 : 0;
        runBytes_ = follows ? runBytes_ + bytes : 0;
        return (runUnits_ >= limits_.run && units_ >= limits_.units) || runBytes_ >= limits_.bytes;
    }
    void clear() { units_ = bytes_ = runUnits_ = runBytes_ = 0; }
    const BatchLimits& limits() const { return limits_; }

  private:
    BatchLimits limits_;
    std::size_t units_ = 0;
    std::size_t bytes_ = 0;
    std::size_t runUnits_ = 0;
    std::size_t runBytes_ = 0;
};

template <class Unit>
class UnitBatch {
  public:
    using Write = std::function<void(Unit& unit, Replay replay)>;
    using Report = std::function<void(const DatabaseError& error)>;
    using Measure = std::function<std::size_t(const Unit& unit)>;
    // Takes the kept units after a commit (to free them elsewhere).
    using Dispose = std::function<void(std::vector<Unit>&& units)>;

    UnitBatch(HostStore& store, BatchLimits limits, Write write, Report report)
        : store_(store), cut_(sane(limits)), write_(std::move(write)), report_(std::move(report)) {
        reserve();
    }
    // Rolls back what was not committed; never throws.
    ~UnitBatch() {
        try {
            store_.Rollback();
        } catch (...) {
        }
    }
    UnitBatch(const UnitBatch&) = delete;
    UnitBatch& operator=(const UnitBatch&) = delete;

    void measureWith(Measure measure) { measure_ = std::move(measure); }
    void disposeWith(Dispose dispose) { dispose_ = std::move(dispose); }

    // Writes the unit in the open batch; false when the store refused it
    // (the error is reported, the rest of the batch written again).
    bool add(Unit&& unit, UnitStart start = UnitStart::Begins) {
        if (cut_.endsBefore(start)) commit();  // a failure is reported; this unit begins anew
        const std::size_t bytes = measure_ ? measure_(unit) : 0;
        try {
            if (!store_.inTransaction()) store_.StartTransaction();
            write_(unit, Replay::No);
        } catch (const DatabaseError& e) {
            store_.Rollback();
            report_(e);
            replayKept();
            return false;
        }
        kept_.push_back(std::move(unit));
        if (cut_.add(start, bytes)) return commit();
        return true;
    }

    // Commits the open batch; false when the commit failed (the units the
    // store took on their own are in it all the same).
    bool commit() {
        bool ok = true;
        if (store_.inTransaction()) {
            try {
                store_.Commit();
            } catch (const DatabaseError& e) {
                store_.Rollback();
                report_(e);
                writeEachAlone(e.what());
                ok = false;
            }
        }
        done();
        return ok;
    }

    std::size_t pending() const { return kept_.size(); }

  private:
    static BatchLimits sane(BatchLimits limits) {
        if (limits.units == 0) limits.units = 1;
        return limits;
    }

    void reserve() { kept_.reserve(std::min<std::size_t>(cut_.limits().units, 4096)); }

    void done() {
        if (dispose_) {
            dispose_(std::move(kept_));
            kept_ = {};
            reserve();  // grown once, not unit by unit
        } else {
            kept_.clear();
        }
        cut_.clear();
    }

    // The batch without the failed unit, written again. A kept unit that now
    // fails (it never should: the store is back where it was) is dropped.
    void replayKept() {
        while (!kept_.empty()) {
            std::size_t i = 0;
            try {
                store_.StartTransaction();
                for (; i < kept_.size(); ++i) write_(kept_[i], Replay::Yes);
                return;
            } catch (const DatabaseError& e) {
                store_.Rollback();
                report_(e);
                kept_.erase(kept_.begin() +
                            static_cast<std::ptrdiff_t>(std::min(i, kept_.size() - 1)));
            }
        }
    }

    // After a failed commit: one transaction per unit. The same error
    // again is not reported a second time in a row.
    void writeEachAlone(std::string last) {
        for (Unit& unit : kept_) {
            try {
                store_.StartTransaction();
                write_(unit, Replay::Yes);
                store_.Commit();
            } catch (const DatabaseError& e) {
                store_.Rollback();
                if (e.what() != last) report_(e);
                last = e.what();
            }
        }
    }

    HostStore& store_;
    BatchCut cut_;
    Write write_;
    Report report_;
    Measure measure_;
    Dispose dispose_;
    std::vector<Unit> kept_;
};

// Batches over records that the importer writes itself as it reads them.
// Limits with no units (a batch size below 1) run without transactions.
class StreamBatch {
  public:
    // Starts the first transaction when batches are on.
    StreamBatch(HostStore& store, HostServices& ui, BatchLimits limits);
    // Rolls back what was not committed; never throws.
    ~StreamBatch();
    StreamBatch(const StreamBatch&) = delete;
    StreamBatch& operator=(const StreamBatch&) = delete;

    bool on() const { return on_; }

    // Before a record: a full batch is committed when the record may begin
    // one. False when the commit failed (the store rolled back, the message
    // was shown): the caller ends the file.
    bool before(UnitStart start);
    // After a record: a run of following records as long as a batch is
    // committed. False as above.
    bool after(UnitStart start);
    // After a record that is a unit of its own: a full batch is committed.
    // False as above.
    bool count();
    // Commits the open batch without starting a new one. False as above.
    bool commit();
    // Starts a new batch after commit() (Escape answered with no).
    void restart();

  private:
    bool commitAndRestart();

    HostStore& store_;
    HostServices& ui_;
    bool on_;
    BatchCut cut_;
};

// The limits of the DATANORM 3 and 4 imports from `CommitBatchSize`: a batch
// holds the size and one record more; records without boundary are cut
// after the size.
BatchLimits CommitBatchLimits(int commitBatchSize);

}  // namespace dn
