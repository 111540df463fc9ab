#pragma once
// The command-line program `datanorm`: parses the arguments, sets up the
// session and runs the subcommand. Returns the exit code.

namespace dn::cli {

int runCli(int argc, char** argv);

}  // namespace dn::cli
