#pragma once
// The program's global settings and state for one run, owned by the frame
// and handed to every command by reference.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/settings.h"
#include "host/day_number.h"
#include "host/host_config.h"
#include "host/host_services.h"
#include "suppliers/supplier_table.h"

namespace dn {

class HostStore;
class tdatanorm5;

struct Session {
    explicit Session(HostServices& ui) : ui(ui) {}
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    HostServices& ui;
    HostConfig host;
    Settings settings;
    SupplierTable suppliers;

    // Current supplier.
    int CurrentSupplier = 1;
    int DnVersion = 1;  // 0 = DATANORM 3, 1 = DATANORM 4, 2 = DATANORM 5
    std::string ArticlePrefix = "1-";
    std::string CurrentSupplierPath;
    bool CurrentUseSubdirs = false;
    bool CurrentCaseConversion = false;
    std::string caption;

    DayNumber TodayDate = 0;

    // Directory of the fixed DATANORM 3 files "datpreis", "datasets",
    // "minuten" (source-directory rule without sub-directory).
    std::string Dn3Directory;
    // The help file: slot 0 + "Wdatanor.hlp".
    std::string helpfilename;

    // Command-line switches and single parameters.
    bool AllowOverlongFields = false;  // "/KA"
    bool CopperSurcharge = false;      // "/CU"
    double CopperQuotation = 0.0;
    bool ParamEgema = false;  // "EGEMA"
    bool ParamOk = false;     // "ok"

    // Hand-over between file choice, online import and the importers.
    std::vector<std::string> OnlineImportFiles;
    std::string OnlineImportStatus;  // one character per file, "0" pending, "1" done
    std::string PriceFilePath;
    bool PrintProtocol = false;
    // Help context of the dialogs the running command opens.
    int DialogHelpId = 0;

    // The DATANORM 5 data module, created by the set-up, kept between
    // commands.
    std::shared_ptr<tdatanorm5> dn5;

    std::filesystem::path dir(int slot) const { return host.dir(slot); }
    std::filesystem::path masterDataDir() const { return host.dir(kMasterDataDir); }
    std::filesystem::path storeFile() const { return masterDataDir() / "stamm.db"; }

    // The host store (`stamm.db` in the master-data directory), opened on
    // first use and kept open for the run.
    HostStore& store();
    void closeStore();

  private:
    std::shared_ptr<HostStore> store_;
};

}  // namespace dn
