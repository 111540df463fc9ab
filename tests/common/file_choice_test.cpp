// The file choice and its source directory: no chooser opens outside it,
// a missing one ends the choice with its message, and files named
// beforehand need none.

#include "common/file_choice.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "common/session.h"
#include "support/session_fixture.h"

namespace dn::test {
namespace {

constexpr char kAllKinds[] = "atjpxrw";

std::string pathNotFound(const std::string& dir) {
    return "Pfad nicht gefunden!\n" + dir +
           "\nBitte prüfen Sie die Angaben unter Diverses/Laufwerk,\noder den beim Lieferanten "
           "angegebenem Pfad!";
}

using FileChoiceTest = SessionFixture;

// The general source path "a:" of a supplier without a path, a supplier's
// own path that is gone: the message names the directory, no chooser opens
// (it would start in a folder of its own choosing), the command gets no
// file, with and without the multiple selection.
TEST_F(FileChoiceTest, MissingSourceDirectoryFailsBeforeAnyChooser) {
    const struct {
        const char* name;
        std::string sourcePath, supplierPath, shown;
    } cases[] = {
        {"general path", "a:", "", "a:/"},
        {"supplier path", (home / "quelle").string(), (home / "lief3").string() + "/",
         (home / "lief3").string() + "/"},
    };
    std::filesystem::create_directories(home / "quelle");
    for (const auto& c : cases)
        for (const bool multiple : {false, true})
            for (const char* kind = kAllKinds; *kind; ++kind) {
                SCOPED_TRACE(std::string(c.name) + " " + *kind + (multiple ? " multi" : ""));
                session->settings.SourcePath = c.sourcePath;
                session->CurrentSupplierPath = c.supplierPath;
                session->settings.MultiSelectDialog = multiple;
                session->OnlineImportFiles = {"/vorher/datanorm.001"};
                host.files = {{(home / "quelle/datanorm.001").string()}};
                host.messages.clear();
                EXPECT_FALSE(ChooseImportFiles(*session, *kind));
                EXPECT_TRUE(host.fileRequests.empty());
                EXPECT_EQ(host.messages, (std::vector<std::string>{pathNotFound(c.shown)}));
                if (*kind != 'r' && *kind != 'w') {
                    EXPECT_TRUE(session->OnlineImportFiles.empty());
                }
            }
}

// The chooser opens in the source directory of the current supplier.
TEST_F(FileChoiceTest, ChooserOpensInTheSourceDirectory) {
    std::filesystem::create_directories(home / "lief7");
    std::filesystem::create_directories(home / "lief3");
    session->settings.SourcePath = (home / "lief7").string();
    session->CurrentSupplierPath = (home / "lief3").string();
    for (const bool multiple : {false, true})
        for (const char kind : {'a', 't', 'j', 'p', 'x'}) {
            SCOPED_TRACE(std::string(1, kind) + (multiple ? " multi" : ""));
            session->settings.MultiSelectDialog = multiple;
            EXPECT_FALSE(ChooseImportFiles(*session, kind));  // the scripted user cancels
            ASSERT_FALSE(host.fileRequests.empty());
            EXPECT_EQ(host.fileRequests.back().directory, (home / "lief3").string() + "/");
        }
    EXPECT_TRUE(host.messages.empty());
}

// The command line's --file: a host that names the files before the command.
class NamedFilesHost : public ScriptedHost {
  public:
    std::vector<std::string> named;
    std::vector<std::string> presetFiles(const FileRequest&) override {
        return std::exchange(named, {});
    }
};

TEST(FileChoiceNamedFiles, NeedNoSourceDirectory) {
    TempDir home;
    writeFile(home / "DATANORM.001", "V");
    writeFile(home / "eigene.rab", "R");
    NamedFilesHost host;
    Session session(host);
    ASSERT_EQ(session.settings.SourcePath, "a:");
    for (const char kind : {'a', 'p', 'r'}) {
        SCOPED_TRACE(kind);
        const std::string file = (home / (kind == 'r' ? "eigene.rab" : "DATANORM.001")).string();
        host.named = {file};
        ASSERT_TRUE(ChooseImportFiles(session, kind));
        EXPECT_EQ(session.OnlineImportFiles, (std::vector<std::string>{file}));
    }
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(host.fileRequests.empty());
}

}  // namespace
}  // namespace dn::test
