#pragma once
// RAII handles over the store's transactions and savepoints.
// Each undoes its work in the destructor unless it was committed; the
// destructors never throw.

#include <string>

#include "host/store.h"

namespace dn {

// A transaction: begun in the constructor, rolled back in the destructor
// unless commit() was called.
class StoreTransaction {
  public:
    explicit StoreTransaction(HostStore& store);
    ~StoreTransaction();
    StoreTransaction(const StoreTransaction&) = delete;
    StoreTransaction& operator=(const StoreTransaction&) = delete;

    void commit();
    void rollback();

  private:
    HostStore& store_;
    bool open_ = true;
};

// A savepoint, nestable inside a transaction or another savepoint (outside
// a transaction it opens one). Rolled back to in the destructor unless
// release() was called.
class StoreSavepoint {
  public:
    explicit StoreSavepoint(HostStore& store);
    ~StoreSavepoint();
    StoreSavepoint(const StoreSavepoint&) = delete;
    StoreSavepoint& operator=(const StoreSavepoint&) = delete;

    void release();
    void rollback();

  private:
    HostStore& store_;
    std::string name_;
    bool open_ = true;
};

}  // namespace dn
