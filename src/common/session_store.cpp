#include <thread>

#include "common/session.h"
#include "host/store.h"

namespace dn {

HostStore& Session::store() {
    if (!store_) {
        StoreOptions options;
        // The status line is the window's: only the thread that opened the
        // store shows that it waits.
        options.waiting = [this, opener = std::this_thread::get_id()] {
            if (std::this_thread::get_id() == opener)
                ui.SetInfo("Die Datenbank ist von einem anderen Programm belegt; warte ...");
        };
        store_ = openSqliteStore(storeFile(), options);
    }
    return *store_;
}

void Session::closeStore() {
    store_.reset();
}

}  // namespace dn
