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

CliResult runDatanorm(const std::string& home, const std::vector<std::string>& args);

}  // namespace dn::test
