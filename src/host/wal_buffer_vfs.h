#pragma once
// A SQLite file layer over the system's default one that gathers the frames
// a commit appends to the write-ahead log and writes them with one system
// call instead of two per page. Imports commit often (a DATANORM 4 import
// every `CommitBatchSize` records), and the many small writes cost more
// than the bytes.
//
// The gathered frames reach the file within the write of the commit frame
// itself (the frame whose header carries the database size), so a failed
// write fails the commit, and no other connection can see a commit before
// its frames are in the file. Every other access to the log (read, sync,
// size, truncate, close) writes what is gathered first. Database and other
// files pass through unchanged.

namespace dn {

// The name of the layer for sqlite3_open_v2, registered on first use.
const char* BufferedWalVfs();

}  // namespace dn
