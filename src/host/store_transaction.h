#pragma once
// RAII handles over the store's transactions, savepoints and block journal.
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

// One import block inside a large transaction: the rows it touches are
// journaled in memory and put back in the destructor unless keep() was
// called. Far cheaper than a savepoint per block.
class StoreBlock {
  public:
    explicit StoreBlock(HostStore& store);
    ~StoreBlock();
    StoreBlock(const StoreBlock&) = delete;
    StoreBlock& operator=(const StoreBlock&) = delete;

    void keep();
    void undo();

  private:
    HostStore& store_;
    bool open_ = true;
};

}  // namespace dn
