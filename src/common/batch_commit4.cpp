#include "common/batch_commit4.h"

#include "host/errors.h"
#include "host/host_services.h"

namespace dn {

BatchCommit4::BatchCommit4(HostStore& store, HostServices& ui, int batchSize, Ends ends)
    : store_(store), ui_(ui), size_(batchSize), ends_(ends) {
    restart();
}

BatchCommit4::~BatchCommit4() {
    try {
        if (store_.inTransaction()) store_.Rollback();
    } catch (...) {
    }
}

void BatchCommit4::restart() {
    counted_ = 0;
    if (on() && !store_.inTransaction()) store_.StartTransaction();
}

bool BatchCommit4::commit() {
    counted_ = 0;
    sinceBoundary_ = 0;
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

bool BatchCommit4::count() {
    if (!on()) return true;
    ++sinceBoundary_;
    if (++counted_ <= size_) return true;
    if (ends_ == Ends::AtBoundaries && sinceBoundary_ <= size_)
        return true;  // waits for the boundary
    if (!commit()) return false;
    restart();
    return true;
}

bool BatchCommit4::boundary() {
    sinceBoundary_ = 0;
    if (!on() || counted_ <= size_) return true;
    if (!commit()) return false;
    restart();
    return true;
}

}  // namespace dn
