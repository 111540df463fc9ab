#include "features/services/record_file130.h"

#include "host/errors.h"
#include "host/host_services.h"

namespace dn {

RecordFile130::RecordFile130(const std::filesystem::path& file) : in_(file, std::ios::binary) {
    if (!in_) throw IoError("Datei " + file.string() + " kann nicht geöffnet werden!");
    std::error_code ec;
    const auto size = std::filesystem::file_size(file, ec);
    count_ = ec ? 0 : static_cast<std::size_t>(size / kRecordSize);
}

bool RecordFile130::read(std::size_t n, SetRecordBuffer& record) {
    if (n < 1) return false;
    record.clear();
    std::string bytes(kRecordSize, '\0');
    in_.clear();
    in_.seekg(static_cast<std::streamoff>((n - 1) * kRecordSize));
    in_.read(bytes.data(), static_cast<std::streamsize>(kRecordSize));
    if (in_.gcount() != static_cast<std::streamsize>(kRecordSize)) return false;
    record.put(1, bytes);
    return true;
}

bool RecordFile130::endMarkOk(const SetRecordBuffer& record) {
    return record.at(129, 2) == "\r\n";
}

PanelScope::PanelScope(HostServices& ui, const std::string& title) : ui_(ui) {
    ui_.PanelOn(title);
}

PanelScope::~PanelScope() {
    try {
        ui_.PanelOff();
    } catch (...) {
    }
}

}  // namespace dn
