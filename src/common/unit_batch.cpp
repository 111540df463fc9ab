#include "common/unit_batch.h"

#include "host/host_services.h"

namespace dn {

StreamBatch::StreamBatch(HostStore& store, HostServices& ui, BatchLimits limits)
    : store_(store), ui_(ui), on_(limits.units >= 1), cut_(limits) {
    restart();
}

StreamBatch::~StreamBatch() {
    try {
        if (store_.inTransaction()) store_.Rollback();
    } catch (...) {
    }
}

void StreamBatch::restart() {
    cut_.clear();
    if (on_ && !store_.inTransaction()) store_.StartTransaction();
}

bool StreamBatch::commit() {
    cut_.clear();
    if (!store_.inTransaction()) return true;
    try {
        store_.Commit();
        return true;
    } catch (const DatabaseError& e) {
        try {
            store_.Rollback();
        } catch (...) {
        }
        ui_.meldung(e.what());
        return false;
    }
}

bool StreamBatch::commitAndRestart() {
    if (!commit()) return false;
    restart();
    return true;
}

bool StreamBatch::before(UnitStart start) {
    if (!on_ || !cut_.endsBefore(start)) return true;
    return commitAndRestart();
}

bool StreamBatch::after(UnitStart start) {
    if (!on_ || !cut_.add(start, 0)) return true;
    return commitAndRestart();
}

bool StreamBatch::count() {
    if (!on_) return true;
    cut_.add(UnitStart::Begins, 0);
    return !cut_.endsBefore(UnitStart::Begins) || commitAndRestart();
}

BatchLimits CommitBatchLimits(int commitBatchSize) {
    if (commitBatchSize < 1) return BatchLimits{.units = 0};
    const auto n = static_cast<std::size_t>(commitBatchSize);
    return BatchLimits{.units = n + 1, .run = n};
}

}  // namespace dn
