#include "frame/change_log.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "frame/dispatch.h"
#include "frame/session.h"
#include "host/codepage.h"
#include "host/control_chars.h"
#include "host/entry_form.h"
#include "host/errors.h"
#include "suppliers/current_supplier.h"

namespace dn {
namespace fs = std::filesystem;

namespace {

fs::path logFile(const Session& s) {
    return s.masterDataDir() / "datanorm.log";
}

std::string readBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    if (!in) throw IoError("Fehler beim Lesen von " + p.string());
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

std::string changeLogLine(const std::string& date, const std::string& importKind,
                          const std::string& data, const std::string& supplierLine) {
    const auto oneLine = [](const std::string& part) {
        return EscapeControls(part, LineBreaks::Escape);
    };
    std::string kind = oneLine(importKind);
    const std::size_t len = utf8Length(kind);
    if (len < 30) kind.append(30 - len, ' ');
    return oneLine(date) + " " + kind + " " + oneLine(data) + " " + oneLine(supplierLine);
}

void AppendChangeLog(Session& s, const std::string& importKind, const std::string& data) {
    ReadCurrentSupplier(s);
    const std::string line =
        changeLogLine(formatDotted(today()), importKind, data, CurrentSupplierDisplayLine(s));
    std::string old;
    std::error_code ec;
    if (fs::exists(logFile(s), ec)) old = readBytes(logFile(s));
    const std::string bytes = utf8ToWin1252(line) + "\r\n" + old;
    // Written beside and renamed, so that a failure never loses the log.
    const fs::path tmp = logFile(s).string() + ".neu";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) throw IoError("Fehler beim Schreiben von " + tmp.string());
    }
    fs::rename(tmp, logFile(s), ec);
    if (ec) throw IoError("Fehler beim Schreiben von " + logFile(s).string() + ": " + ec.message());
}

void AppendChangeLogFile(Session& s, const std::string& importKind, const fs::path& file) {
    std::error_code ec;
    fs::path full = fs::absolute(file, ec);
    if (ec) full = file;
    AppendChangeLog(s, importKind, full.lexically_normal().string());
}

std::optional<std::string> ReadChangeLog(const Session& s) {
    std::error_code ec;
    if (!fs::exists(logFile(s), ec)) return std::nullopt;
    return win1252ToUtf8(readBytes(logFile(s)));
}

void DeleteChangeLog(const Session& s) {
    std::error_code ec;
    fs::remove(logFile(s), ec);
    if (ec) throw IoError("Protokolldatei kann nicht gelöscht werden: " + ec.message());
}

namespace {

class ChangeLogForm : public EntryForm {
  public:
    explicit ChangeLogForm(Session& s) : EntryForm("TFPROTOKOLL", "Protokoll"), s_(s) {
        AddDisplay(100, "", [this] { return text_; });
        AddDisplay(101, "Satzaufbau", [] {
            return std::string(
                "Importdatum-Version-Importart-Datei-Lieferantnummer-Lieferantname ");
        });
        AddButton(20, "&Löschen");
        AddButton(kCancel, "&Beenden");
        defaultButton = kCancel;
        helpContext = 64;
    }

  protected:
    void SetupWindow() override { refresh(); }
    bool ButtonPressed(int tag) override {
        if (tag == 20 && host()->janein("Wollen Sie die gesamte Protokolldatei löschen?")) {
            DeleteChangeLog(s_);
            refresh();
            TransferData(2);
        }
        return false;
    }

  private:
    void refresh() {
        auto log = ReadChangeLog(s_);
        text_ = log ? *log : "Keine Protokolldatei gefunden!";
        EnableButton(20, log.has_value());
    }
    Session& s_;
    std::string text_;
};

}  // namespace

CommandOutcome ShowChangeLog(Session& s) {
    ChangeLogForm form(s);
    form.Execute(s.ui);
    return CommandOutcome::Done;
}

}  // namespace dn
