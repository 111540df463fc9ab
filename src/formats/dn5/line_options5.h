#pragma once
// How DATANORM 5 files are read line by line: the line reader
// (common/line_reader.h) with the version 5 record layouts for cut-off last
// lines, the version 5 texts of read errors and edatanormfehler for an
// over-long line.
//
//     LineReader lines(path, dn5::kLineOptions);

#include "common/line_reader.h"

namespace dn::dn5 {

extern const LineReaderOptions kLineOptions;

}  // namespace dn::dn5
