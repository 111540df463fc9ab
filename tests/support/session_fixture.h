#pragma once
// A session on a fresh TORVALO home with the scripted host, as the tests of
// the frame and of every importer need it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/session.h"
#include "features/setup/startup.h"
#include "host/scripted_host.h"
#include "support/temp_dir.h"

namespace dn::test {

class SessionFixture : public ::testing::Test {
  protected:
    void SetUp() override { start(); }

    // (Re)starts the session on the same home, e.g. after changing files.
    void start(const std::vector<std::string>& args = {}) {
        session = std::make_unique<Session>(host);
        dn::Setup(*session, home.path().string(), args);
    }

    std::filesystem::path masterDir() const { return session->masterDataDir(); }

    TempDir home;
    ScriptedHost host;
    std::unique_ptr<Session> session;
};

}  // namespace dn::test
