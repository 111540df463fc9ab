#pragma once
// The DATANORM 5 commands of the article files and free texts.

#include "common/dispatch.h"

namespace dn {

struct Session;

// Command 33 for a DATANORM 5 supplier. Mode 0 asks for the files; mode 1
// reads the files in `OnlineImportFiles` and marks each file read to its
// end in `OnlineImportStatus`.
CommandOutcome ImportArticles5(Session& s, int mode);

// Command 32: lists the articles of one file on the printer.
CommandOutcome ShowArticles5(Session& s);

// Command 36: free texts ("ungebundene/freie Langtexte"), modes as above.
CommandOutcome ImportFreeTexts5(Session& s, int mode);

}  // namespace dn
