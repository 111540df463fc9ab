#include "host/store_transaction.h"

namespace dn {

StoreTransaction::StoreTransaction(HostStore& store) : store_(store) {
    store_.StartTransaction();
}

StoreTransaction::~StoreTransaction() {
    if (!open_) return;
    try {
        store_.Rollback();
    } catch (...) {
        // A failed rollback leaves SQLite to discard the transaction when
        // the connection closes; nothing may leave a destructor.
    }
}

void StoreTransaction::commit() {
    if (!open_) return;
    store_.Commit();
    open_ = false;
}

void StoreTransaction::rollback() {
    if (!open_) return;
    open_ = false;
    store_.Rollback();
}

StoreSavepoint::StoreSavepoint(HostStore& store) : store_(store), name_(store.beginSavepoint()) {}

StoreSavepoint::~StoreSavepoint() {
    if (!open_) return;
    try {
        store_.rollbackToSavepoint(name_);
    } catch (...) {
    }
}

void StoreSavepoint::release() {
    if (!open_) return;
    store_.releaseSavepoint(name_);
    open_ = false;
}

void StoreSavepoint::rollback() {
    if (!open_) return;
    open_ = false;
    store_.rollbackToSavepoint(name_);
}

}  // namespace dn
