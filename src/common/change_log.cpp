#include "common/change_log.h"

#include <filesystem>

#include "common/current_supplier.h"
#include "common/dispatch.h"
#include "common/session.h"
#include "host/codepage.h"
#include "host/control_chars.h"
#include "host/entry_form.h"
#include "host/errors.h"
#include "host/file_bytes.h"
#include "host/replacement_file.h"

namespace dn {
namespace fs = std::filesystem;

namespace {

fs::path logFile(const Session& s) {
    return s.masterDataDir() / "datanorm.log";
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
    // A new log is readable by the other programs of the suite; an old one
    // keeps its permissions.
    fs::perms perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                      fs::perms::others_read;
    if (fs::exists(logFile(s), ec)) {
        old = readFileBytes(logFile(s));
        perms = fs::status(logFile(s), ec).permissions();
    }
    const std::string bytes = utf8ToWin1252(line) + "\r\n" + old;
    // Written beside and renamed, so that a failure never loses the log.
    ReplacementFile out(s.masterDataDir());
    out.write(bytes);
    out.replace(logFile(s), perms);
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
    return win1252ToUtf8(readFileBytes(logFile(s)));
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
        AddTextView(100, "", [this] { return text_; });
        AddDisplay(101, "Satzaufbau", [] {
            return std::string(
                "Importdatum-Version-Importart-Datei-Lieferantnummer-Lieferantname ");
        });
        AddButton(20, "&Löschen");
        AddButton(kCancel, "&Beenden");
        defaultButton = kCancel;
        helpContext = 64;
        maximised = true;
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
