#pragma once
// The command line's own texts in German: the help layout and the parse
// errors of the argument library, translated by a table of its messages.

#include <string>

namespace CLI {
class App;
class Error;
}  // namespace CLI

namespace dn::cli {

// Sets the German help flag, help labels and failure message on the
// program's App; call before adding the subcommands, which inherit them.
void useGermanTexts(CLI::App& app);

// The German text of a parse error.
std::string germanParseError(const CLI::Error& e);

}  // namespace dn::cli
