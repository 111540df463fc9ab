#pragma once
// Typed files of the diskette era read record by record: the DATANORM 3
// files "datanorm" and "datasets" and the minutes file "minuten", 130-byte
// records addressed by their number (from 1). Plus the status panel that
// the service commands keep open while they run.

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <string>

#include "formats/dn4/dn_record.h"

namespace dn {

class HostServices;

class RecordFile130 {
  public:
    static constexpr std::size_t kRecordSize = 130;

    // Opens the file for reading; IoError when that fails.
    explicit RecordFile130(const std::filesystem::path& file);

    // Number of whole records.
    std::size_t count() const { return count_; }
    // Reads record n (1-based) into the buffer's 130 positions. False when
    // the record is not whole (I/O result 100, end of file).
    bool read(std::size_t n, SetRecordBuffer& record);
    // True when positions 129-130 hold CR LF.
    static bool endMarkOk(const SetRecordBuffer& record);

  private:
    std::ifstream in_;
    std::size_t count_ = 0;
};

// The status panel of a command, switched off however the command ends.
class PanelScope {
  public:
    PanelScope(HostServices& ui, const std::string& title);
    ~PanelScope();
    PanelScope(const PanelScope&) = delete;
    PanelScope& operator=(const PanelScope&) = delete;

  private:
    HostServices& ui_;
};

}  // namespace dn
