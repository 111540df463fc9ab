#include "features/setup/startup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/file_choice.h"
#include "features/setup/settings_dialogs.h"
#include "host/amounts.h"
#include "host/errors.h"
#include "host/scripted_host.h"
#include "support/session_fixture.h"

namespace dn {
namespace {

using test::readFile;
using test::writeFile;

class StartupTest : public test::SessionFixture {};

TEST_F(StartupTest, FirstRunCreatesTheHostFiles) {
    EXPECT_TRUE(std::filesystem::exists(home / "torvalo.ini"));
    for (const auto& dir : session->host.konf)
        EXPECT_TRUE(std::filesystem::is_directory(dir)) << dir;
    EXPECT_EQ(readFile(masterDir() / "lieferan.dat").size(), 101u * 318u);
    EXPECT_EQ(readFile(masterDir() / "aktuell.dat"), "1\r\n");
    EXPECT_EQ(session->CurrentSupplier, 1);
    EXPECT_EQ(session->ArticlePrefix, "1-");
    EXPECT_EQ(session->settings.SourcePath, "a:");
    EXPECT_EQ(session->helpfilename, session->host.konf[0] + "Wdatanor.hlp");
}

TEST_F(StartupTest, CommandLineSwitches) {
    const struct {
        std::vector<std::string> args;
        bool ka, cu, egema, ok;
    } cases[] = {
        {{"/ka"}, true, false, false, false},          {{"/Ka", "/cU"}, true, true, false, false},
        {{"/KAX"}, false, false, false, false},        {{"egema"}, false, false, true, false},
        {{"EGEMA", "/KA"}, true, false, false, false},  // only as the single parameter
        {{"ok"}, false, false, false, true},           {{"OK"}, false, false, false, false},
    };
    for (const auto& c : cases) {
        start(c.args);
        EXPECT_EQ(session->AllowOverlongFields, c.ka) << c.args[0];
        EXPECT_EQ(session->CopperSurcharge, c.cu) << c.args[0];
        EXPECT_EQ(session->ParamEgema, c.egema) << c.args[0];
        EXPECT_EQ(session->ParamOk, c.ok) << c.args[0];
        EXPECT_EQ(session->CopperQuotation, 0.0);  // f_edel is off: no quotation read
    }
}

TEST_F(StartupTest, CopperQuotationFromTheMetalFile) {
    session->host.f_edel = true;
    session->host.save();
    std::string bytes;
    for (double v : {812.5, 700.0}) {
        Real48 r = doubleToReal48(v);
        bytes.append(reinterpret_cast<const char*>(r.data()), 6);
    }
    writeFile(masterDir() / "edel.dat", bytes);
    start({"/CU"});
    EXPECT_TRUE(session->CopperSurcharge);
    EXPECT_DOUBLE_EQ(session->CopperQuotation, 812.5);
    writeFile(masterDir() / "edel.dat", bytes.substr(0, 6));  // fewer than two records
    EXPECT_THROW(start({"/CU"}), IoError);
}

TEST_F(StartupTest, DriveDialogAppendsTheSlashAndSaves) {
    host.forms.push_back({"TLAUFWERK", {{100, "/daten/lief"}, {101, "1"}}, {}});
    EXPECT_EQ(DriveDialog(*session), CommandOutcome::Done);
    EXPECT_EQ(session->settings.SourcePath, "/daten/lief/");
    EXPECT_TRUE(session->settings.MultiSelectDialog);
    EXPECT_EQ(readFile(masterDir() / "datanorm.ini").substr(0, 14), "/daten/lief/\r\n");
    EXPECT_EQ(session->Dn3Directory, "/daten/lief/");
    host.forms.push_back({"TLAUFWERK", {{100, ""}}, {}});
    DriveDialog(*session);
    EXPECT_EQ(readFile(masterDir() / "datanorm.ini").substr(0, 2), "\r\n");
    host.forms.push_back({"TLAUFWERK", {{100, "/anders/"}}, {kCancel}});
    EXPECT_EQ(DriveDialog(*session), CommandOutcome::Cancelled);
    EXPECT_EQ(session->settings.SourcePath, "");
}

TEST_F(StartupTest, ParameterDialogShowsInvalidModeAsDelete) {
    writeFile(masterDir() / "datanorm.ini", "a:\r\n1\r\n1\r\n0\r\n0\r\n0\r\n5\r\n1\r\n0\r\n");
    start();
    std::string shown;
    host.forms.push_back(
        {"TPARAMETER", {{102, "1"}}, {}, [&](EntryForm& f) { shown = f.value(105); }});
    EXPECT_EQ(ParameterDialog(*session), CommandOutcome::Done);
    EXPECT_EQ(shown, "0");
    EXPECT_TRUE(session->settings.TakeListPrice);
    EXPECT_EQ(readFile(masterDir() / "datanorm.ini"),
              "a:\r\n1\r\n1\r\n1\r\n0\r\n0\r\n0\r\n1\r\n0\r\n");
}

TEST_F(StartupTest, FileChoiceByKind) {
    session->settings.SourcePath = (home / "quelle").string();
    std::filesystem::create_directories(home / "quelle");
    // Single file: only the first of several is taken.
    host.files.push_back({"/x/datanorm.001", "/x/datanorm.002"});
    ASSERT_TRUE(ChooseImportFiles(*session, 'a'));
    EXPECT_EQ(session->OnlineImportFiles, (std::vector<std::string>{"/x/datanorm.001"}));
    EXPECT_EQ(host.fileRequests.back().patterns, (std::vector<std::string>{"datanorm.*"}));
    EXPECT_EQ(host.fileRequests.back().title, "Datanorm-Datei auswählen");
    // Several files in the list's order with the multiple selection.
    session->settings.MultiSelectDialog = true;
    host.files.push_back({"/x/datanorm.003", "/x/datanorm.001", "/x/datanorm.002"});
    ASSERT_TRUE(ChooseImportFiles(*session, 'a'));
    EXPECT_EQ(session->OnlineImportFiles.size(), 3u);
    EXPECT_EQ(host.fileRequests.back().title, "Dateiauswahl");
    host.files.push_back({"/p/datpreis.001"});
    ASSERT_TRUE(ChooseImportFiles(*session, 'p'));
    EXPECT_EQ(session->PriceFilePath, "/p/datpreis.001");
    // Cancelled.
    EXPECT_FALSE(ChooseImportFiles(*session, 't'));
    // The "Dateiauswahl" dialog needs an existing directory.
    session->settings.SourcePath = "/gibt/es/nicht/";
    EXPECT_FALSE(ChooseImportFiles(*session, 'a'));
    EXPECT_TRUE(host.saidSomething("Pfad nicht gefunden!\n/gibt/es/nicht/\nBitte prüfen Sie"));
}

TEST_F(StartupTest, FixedGroupFilesAndTheirFallback) {
    session->settings.SourcePath = (home / "quelle/").string();
    writeFile(home / "quelle/datanorm.rab", "R;...");
    ASSERT_TRUE(ChooseImportFiles(*session, 'r'));
    EXPECT_EQ(session->OnlineImportFiles.front(), (home / "quelle/datanorm.rab").string());
    // Missing product-group file: message, then a chooser in the system directory.
    host.files.push_back({(home / "quelle/datanorm.rab").string()});
    ASSERT_TRUE(ChooseImportFiles(*session, 'w'));
    EXPECT_TRUE(host.saidSomething("datanorm.wrg nicht vorhanden!"));
    EXPECT_EQ(host.fileRequests.back().title, "Warengruppendatei auswählen");
    EXPECT_EQ(host.fileRequests.back().directory, session->host.konf[0]);
    host.files.push_back({"/gibt/es/nicht.wrg"});
    EXPECT_FALSE(ChooseImportFiles(*session, 'w'));
}

// Runs the scope in another working directory.
class WorkingDirectory {
  public:
    explicit WorkingDirectory(const std::filesystem::path& dir)
        : saved_(std::filesystem::current_path()) {
        std::filesystem::current_path(dir);
    }
    ~WorkingDirectory() { std::filesystem::current_path(saved_); }
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

  private:
    std::filesystem::path saved_;
};

// A home below a plain file cannot be created: the start-up fails, and a
// session it left without a master-data directory saves no settings, not
// into the working directory either.
TEST(FailedStartup, LeavesNoDirectoryForTheSettings) {
    test::TempDir dir;
    writeFile(dir / "datei", "kein Verzeichnis");
    const WorkingDirectory here(dir.path());
    ScriptedHost host;
    Session session(host);
    const std::string home = (dir / "datei" / "torvalo").string();
    try {
        dn::Setup(session, home, {});
        ADD_FAILURE() << "the start-up went through";
    } catch (const IoError& e) {
        EXPECT_EQ(
            std::string(e.what()).rfind("Verzeichnis " + home + " kann nicht angelegt werden: ", 0),
            0u)
            << e.what();
    }
    host.forms.push_back({"TPARAMETER", {{102, "1"}}, {}});
    host.forms.push_back({"TLAUFWERK", {{100, "/daten/lief"}}, {}});
    for (auto dialog : {&ParameterDialog, &DriveDialog}) {
        try {
            dialog(session);
            ADD_FAILURE() << "the settings were saved";
        } catch (const IoError& e) {
            EXPECT_STREQ(e.what(),
                         "Fehler beim Schreiben von datanorm.ini: das Stammdatenverzeichnis ist "
                         "nicht bekannt");
        }
    }
    EXPECT_FALSE(session.settings.TakeListPrice);
    EXPECT_EQ(session.settings.SourcePath, "a:");
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        left.push_back(entry.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"datei"});
}

TEST(RuntimeVersionCheck, FirstFailingLibraryNamed) {
    const struct {
        std::string built, running;
        std::optional<std::string> message;
    } cases[] = {
        {"3.40.1", "3.40.1", std::nullopt},
        {"3.40.1", "3.45.0", std::nullopt},  // newer minor version
        {"3.40.1", "3.40.2", std::nullopt},
        {"3.40.1", "", "Datei \"libtest\" nicht gefunden!"},
        {"unbekannt", "3.40.1", "Fehler bei Versionsprüfung \"libtest\"!\nFehler: 0"},
        {"3.40.1", "4.40.1", "Falsche Version der Datei: libtest"},
        {"3.40.1", "2.41.0", "Falsche Version der Datei: libtest"},
        {"3.40.1", "3.39.9", "Falsche Version der Datei: libtest"},
        {"3.40.1", "3.40.0", "Falsche Version der Datei: libtest"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RuntimeVersionCheck({{"libtest", c.built, c.running}}), c.message)
            << c.built << " / " << c.running;
        // The first library that fails is the one named.
        EXPECT_EQ(
            RuntimeVersionCheck(
                {{"libgut", "1.2.3", "1.2.3"}, {"libtest", c.built, c.running}, {"libz", "", ""}}),
            c.message ? c.message : "Datei \"libz\" nicht gefunden!");
    }
    EXPECT_FALSE(RuntimeVersionCheck({}).has_value());
}

}  // namespace
}  // namespace dn
