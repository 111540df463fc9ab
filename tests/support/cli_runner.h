#pragma once
// Runs the command-line program as a user's script would: no terminal,
// output and errors captured.

#include <string>
#include <vector>

namespace dn::test {

struct CliResult {
    int code = -1;
    std::string out;
    std::string err;
};

// `stdoutTo` sends standard output to that file (e.g. "/dev/full") in place
// of capturing it.
CliResult runDatanorm(const std::string& home, const std::vector<std::string>& args,
                      const std::string& stdoutTo = "");

}  // namespace dn::test
