// The system configuration page ("&Info"): the lines this platform has a
// meaning for, and the login name also when $USER is not set.

#include "features/setup/info_page.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "support/session_fixture.h"

namespace dn {
namespace {

// Sets or removes an environment variable for one scope.
class EnvScope {
  public:
    EnvScope(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~EnvScope() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }
    EnvScope(const EnvScope&) = delete;
    EnvScope& operator=(const EnvScope&) = delete;

  private:
    const char* name_;
    std::optional<std::string> old_;
};

class InfoPageTest : public test::SessionFixture {
  protected:
    std::vector<std::string> lines() { return infoPageLines(*session, "/opt/torvalo/x", {}); }
    bool hasLine(const std::string& line) {
        const auto l = lines();
        return std::find(l.begin(), l.end(), line) != l.end();
    }
    bool hasLineStarting(const std::string& start) {
        for (const auto& l : lines())
            if (l.rfind(start, 0) == 0) return true;
        return false;
    }
};

TEST_F(InfoPageTest, LoginNameComesFromTheAccountWhenUserIsUnset) {
    const passwd* pw = ::getpwuid(::getuid());
    ASSERT_NE(pw, nullptr);
    const std::string account = pw->pw_name;
    {
        EnvScope user("USER", nullptr);
        EXPECT_TRUE(hasLine("Anwendername : " + account));
    }
    EnvScope user("USER", "monteur");
    EXPECT_TRUE(hasLine("Anwendername : monteur"));
}

TEST_F(InfoPageTest, NoPrintModeAndTheClientOnlyInARemoteSession) {
    EnvScope client("SSH_CLIENT", nullptr);
    EnvScope connection("SSH_CONNECTION", nullptr);
    EXPECT_FALSE(hasLineStarting("Windowsdruck"));
    EXPECT_FALSE(hasLineStarting("DOS-Druck"));
    EXPECT_FALSE(hasLineStarting("Clientname"));
    EXPECT_FALSE(hasLine("Remote"));
    EXPECT_TRUE(hasLineStarting("Computername : "));

    EnvScope remoteClient("SSH_CLIENT", "192.168.10.7 51234 22");
    EnvScope remote("SSH_CONNECTION", "192.168.10.7 51234 192.168.10.2 22");
    EXPECT_TRUE(hasLine("Clientname   : 192.168.10.7"));
    EXPECT_TRUE(hasLine("Remote"));
}

}  // namespace
}  // namespace dn
