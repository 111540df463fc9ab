// The preparation of an input file: the local copy, its errors and removal,
// and the drive-letter note.

#include "common/input_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "host/errors.h"
#include "support/session_fixture.h"

namespace dn::test {
namespace {

constexpr InputFileTexts kTexts{
    .noDriveLetter = "ohne Laufwerk",
    .emptyHasNoDriveLetter = false,
    .lowSpaceQuestion = "Zu wenig Platz?",
    .copyCaptionWithPath = false,
    .unknownSize = 0,
};

using InputFileTest = SessionFixture;

TEST_F(InputFileTest, LocalCopyHoldsTheWholeFileAndIsRemoved) {
    // More than one copy block, and a last block that is not full.
    std::string bytes;
    for (int i = 0; bytes.size() < 150000; ++i) bytes += "A;N;" + std::to_string(i) + ";\r\n";
    const auto file = home / "DATANORM.001";
    writeFile(file, bytes);

    auto input = PrepareInputFile(*session, file, kTexts);
    ASSERT_TRUE(input);
    EXPECT_EQ(*input, file);  // without CopyToLocalDisk the file is read where it is

    session->settings.CopyToLocalDisk = true;
    input = PrepareInputFile(*session, file, kTexts);
    ASSERT_TRUE(input);
    EXPECT_EQ(*input, LocalCopyPath(*session));
    EXPECT_EQ(FileSize(*input), bytes.size());
    EXPECT_EQ(TotalSize({file.string(), input->string(), (home / "fehlt").string()}),
              2 * bytes.size());
    std::ifstream in(*input, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), bytes);
    EXPECT_TRUE(host.questions.empty());

    RemoveLocalCopy(*session);
    EXPECT_FALSE(std::filesystem::exists(LocalCopyPath(*session)));
}

// A source that cannot be read whole is refused, never copied in part.
TEST_F(InputFileTest, CopyOfAnUnreadableFileIsAnIoError) {
    session->settings.CopyToLocalDisk = true;
    std::filesystem::create_directory(home / "ordner.001");
    for (const auto& source : {home / "fehlt.001", home / "ordner.001"}) {
        SCOPED_TRACE(source.string());
        try {
            PrepareInputFile(*session, source, kTexts);
            FAIL() << "no error";
        } catch (const IoError& e) {
            EXPECT_EQ(std::string(e.what()),
                      "Datei " + source.string() + " kann nicht gelesen werden");
        }
    }
}

TEST_F(InputFileTest, DriveLetterNote) {
    const struct {
        std::string dir;
        bool emptyHasNoDriveLetter;
        bool noted;
    } cases[] = {
        {"C:\\TORVALO\\STAMM", false, false},
        {"/srv/torvalo", false, false},
        {".\\stamm", false, true},
        {"\\\\server\\stamm", false, true},
        {"", false, false},
        {"", true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("\"" + c.dir + "\"");
        host.messages.clear();
        session->host.konf[kMasterDataDir] = c.dir;
        InputFileTexts texts = kTexts;
        texts.emptyHasNoDriveLetter = c.emptyHasNoDriveLetter;
        CheckMasterDataDrive(*session, texts);
        EXPECT_EQ(host.messages,
                  c.noted ? std::vector<std::string>{"ohne Laufwerk"} : std::vector<std::string>{});
    }
}

}  // namespace
}  // namespace dn::test
