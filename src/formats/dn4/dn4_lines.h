#pragma once
// How DATANORM 4 files are read line by line: the line reader
// (common/line_reader.h) with the version 4 record layouts for cut-off last
// lines and the version 4 texts of read errors.
//
//     LineReader lines(path, dn4::kLineOptions);

#include "common/line_reader.h"

namespace dn::dn4 {

extern const LineReaderOptions kLineOptions;

}  // namespace dn::dn4
