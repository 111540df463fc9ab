#include "support/cli_runner.h"

#include <sys/wait.h>

#include <cstdlib>

#include "support/temp_dir.h"

namespace dn::test {
namespace {

std::string quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

}  // namespace

CliResult runDatanorm(const std::string& home, const std::vector<std::string>& args,
                      const std::string& stdoutTo) {
    TempDir io;
    std::string cmd = quote(DATANORM_CLI_PATH) + " --home " + quote(home);
    for (const auto& a : args) cmd += " " + quote(a);
    cmd += " </dev/null >" + quote(stdoutTo.empty() ? (io / "out").string() : stdoutTo) + " 2>" +
           quote((io / "err").string());
    const int status = std::system(cmd.c_str());
    CliResult r;
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (stdoutTo.empty()) r.out = readFile(io / "out");
    r.err = readFile(io / "err");
    return r;
}

}  // namespace dn::test
