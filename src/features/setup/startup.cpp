#include "features/setup/startup.h"

#include <filesystem>
#include <fstream>

#include "common/current_supplier.h"
#include "common/session.h"
#include "features/setup/settings_dialogs.h"
#include "host/amounts.h"
#include "host/codepage.h"
#include "host/errors.h"

namespace dn {

void evaluateCommandLine(Session& s, const std::vector<std::string>& args) {
    for (const auto& arg : args) {
        const std::string upper = utf8Upper(arg);
        if (upper == "/KA") s.AllowOverlongFields = true;
        if (upper == "/CU") {
            s.CopperSurcharge = true;
            const std::filesystem::path file = s.masterDataDir() / s.host.edel_dat_name;
            if (s.host.f_edel) {
                // A file of 6-byte records; the first of at least two is the
                // current copper quotation.
                std::ifstream in(file, std::ios::binary);
                Real48 first{}, second{};
                in.read(reinterpret_cast<char*>(first.data()), 6);
                in.read(reinterpret_cast<char*>(second.data()), 6);
                if (!in) throw IoError("Fehler beim Lesen der Datei " + file.string());
                s.CopperQuotation = real48ToDouble(first);
            }
        }
    }
    // The article imports also react to a single parameter.
    s.ParamEgema = args.size() == 1 && utf8Upper(args[0]) == "EGEMA";
    s.ParamOk = args.size() == 1 && args[0] == "ok";
}

void Setup(Session& s, const std::string& home, const std::vector<std::string>& args) {
    s.host = HostConfig::load(HostConfig::resolveHome(home));
    s.TodayDate = s.host.today;
    s.settings.SourcePath = "a:";
    readSettings(s.masterDataDir() / "datanorm.ini", s.settings);
    bindDn3Files(s);
    s.suppliers.load(s.masterDataDir());
    ReadCurrentSupplier(s);
    evaluateCommandLine(s, args);
    s.helpfilename = utf8Left(s.host.konf[kSystemDir] + "Wdatanor.hlp", 80);
    s.OnlineImportFiles.clear();
}

}  // namespace dn
