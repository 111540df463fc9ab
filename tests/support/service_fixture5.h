#pragma once
// The service fixture with the DATANORM 5 data module of its session, for
// the version 5 set and number-change commands.

#include <memory>

#include "formats/dn5/tdatanorm5.h"
#include "support/service_fixture.h"

namespace dn::test {

class ServiceTest5 : public ServiceTest {
  protected:
    // The data module on the fixture's session, made on first use.
    tdatanorm5& dn5() {
        if (!module_) module_ = std::make_unique<tdatanorm5>(*session);
        return *module_;
    }

  private:
    std::unique_ptr<tdatanorm5> module_;
};

}  // namespace dn::test
