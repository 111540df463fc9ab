#pragma once
// The libraries the front ends link, each with the version it was built
// against and the one found at run time, for the start-up check and the
// system configuration page.

#include <vector>

#include "features/setup/startup.h"

namespace dn {

// libsqlite3, libcurl, libxml2, libz, libzip, in this order.
std::vector<LibraryVersion> linkedLibraryVersions();

}  // namespace dn
