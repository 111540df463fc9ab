#include "frame/session.h"
#include "host/store.h"

namespace dn {

HostStore& Session::store() {
    if (!store_) store_ = openSqliteStore(storeFile());
    return *store_;
}

void Session::closeStore() { store_.reset(); }

}  // namespace dn
