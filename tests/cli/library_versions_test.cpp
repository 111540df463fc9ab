#include "shared/library_versions.h"

#include <gtest/gtest.h>

#include "support/cli_runner.h"
#include "support/temp_dir.h"

namespace dn {
namespace {

TEST(LibraryVersions, AllLinkedLibrariesPass) {
    EXPECT_FALSE(RuntimeVersionCheck(linkedLibraryVersions()).has_value());
    EXPECT_EQ(linkedLibraryVersions().size(), 5u);
}

TEST(LibraryVersions, InfoPageListsThemWithTheirRunningVersions) {
    test::TempDir home;
    const auto r = test::runDatanorm(home.path().string(), {"info"});
    ASSERT_EQ(r.code, 0) << r.err;
    for (const auto& lib : linkedLibraryVersions())
        EXPECT_NE(r.out.find("Bibliothek  : " + lib.name + " " + lib.running + "\n"),
                  std::string::npos)
            << r.out;
}

}  // namespace
}  // namespace dn
