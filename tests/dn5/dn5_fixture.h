#pragma once
// A session with a scripted host and the DATANORM 5 data module on it.

#include <gtest/gtest.h>

#include <string>

#include "common/session.h"
#include "formats/dn5/tdatanorm5.h"
#include "host/scripted_host.h"

namespace dn::test {

class Dn5Test : public ::testing::Test {
  protected:
    ScriptedHost host;
    Session session{host};
    tdatanorm5 dn5{session};

    // Makes the CP850 line the current one.
    void line(std::string text) { dn5.CurrentLine5 = std::move(text); }

    // The message of the edatanormfehler the call raises, or "" when none.
    template <class F>
    static std::string errorOf(F&& call) {
        try {
            call();
        } catch (const edatanormfehler& e) {
            return e.what();
        }
        return "";
    }
};

}  // namespace dn::test
