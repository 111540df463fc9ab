#pragma once
// Escape in a long loop: the question whether to stop, asked with the
// progress bar hidden. "Nein" clears the Escape flag, so that the loop goes
// on where it was and the question comes back only after the next Escape.

#include <string>

namespace dn {

class HostServices;

// True when Escape was pressed and the user wants to stop.
bool EscapeEndsLoop(HostServices& ui, const std::string& question = "Import abbrechen ?");

// The question alone, for loops that have work to do between noticing
// Escape and asking (a commit): true = stop; on "Nein" the flag is cleared
// and the bar shown again.
bool ConfirmEscape(HostServices& ui, const std::string& question = "Import abbrechen ?");

}  // namespace dn
