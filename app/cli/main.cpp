#include "cli/cli_app.h"

int main(int argc, char** argv) {
    return dn::cli::runCli(argc, argv);
}
