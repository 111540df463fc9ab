#pragma once
// The subcommands of the command-line program.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "cli/console_host.h"

namespace dn {
struct Session;
}
namespace CLI {
class App;
}

namespace dn::cli {

struct CliRequest {
    int number = 0;
    ConsoleOptions console;
    std::vector<std::pair<int, std::string>> supplierFields;  // tag, value
    std::vector<std::string> assignments;                     // settings NAME=VALUE
    bool deleteLog = false;
    std::string prefix;
    std::string format = "csv";
    std::string programPath;
};

// "--name" -> field tag of the supplier dialog, in the order of the dialog.
const std::vector<std::pair<std::string, int>>& supplierEditOptions();
// Turns `supplier edit` into a script for the supplier dialog.
void prepareSupplierEdit(CliRequest& req);

// The user-rights check for subcommands that change something outside a
// menu command: prints the refusal and returns true when command N is
// denied to the user.
bool deniedRight(Session& s, int number);

int listCommands(Session& s);
int runCommand(Session& s, ConsoleHost& host, const CliRequest& req);
int listSuppliers(Session& s);
int showSupplier(Session& s, int number);
int editSupplier(Session& s, const CliRequest& req);
int currentSupplier(Session& s, const CliRequest& req);
int changeSettings(Session& s, const CliRequest& req);
int showLog(Session& s, const CliRequest& req);
int showInfo(Session& s, const CliRequest& req);
int exportArticleList(Session& s, const CliRequest& req);
// `groups ...` (cli_groups.cpp): registers the subcommand; the function runs it.
std::function<int(Session&)> addGroupsSubcommand(CLI::App& app);

}  // namespace dn::cli
