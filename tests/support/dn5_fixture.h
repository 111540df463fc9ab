#pragma once
// A session with a scripted host and the DATANORM 5 data module on it.

#include <gtest/gtest.h>

#include <optional>
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

    // Makes the CP850 line the record under test (line 1), read with the
    // field policy of the session as it is now.
    void line(std::string text) {
        record_.emplace(std::move(text), 1, dn5::FieldPolicy(session.AllowOverlongFields, host));
    }
    const dn5::Record& rec() const { return *record_; }

    // The line through the record frame of the data module.
    bool handleLine(const dn5::RecordTable& table, std::string text) {
        return dn5.HandleRecord5(table, text, 1);
    }

  private:
    std::optional<dn5::Record> record_;

  protected:
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
