// The offer and measurement documents of 82-byte records: which records
// carry a key, how it is replaced, and documents that must stay untouched.

#include "features/services/documents.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "features/services/number_change.h"
#include "support/service_fixture.h"

namespace dn {
namespace {

// An 82-byte record: the leading bytes, then the key as a short string
// (length byte and 18 characters), the rest filled with 'x'.
std::string record(std::string head, const std::string& key) {
    std::string r = std::move(head);
    r += static_cast<char>(key.size());
    r += key + std::string(18 - key.size(), '\0');
    r.resize(kDocumentRecordSize, 'x');
    return r;
}

const std::string kOffer1{"\xC9\x07\x02", 3};  // 201, any, 2: key from byte 4
const std::string kOffer2{"\xFF", 1};          // 255: key from byte 2
const std::string kMeasure{"\xC9\x02", 2};     // 201, 2: key from byte 3

NumberChangeTable table() {
    return {{"A-1", "A-2"}, {"A-7", "A-77"}};
}
KeyMapper mapper() {
    return [](const std::string& k) { return mapNumber(table(), k); };
}

TEST(DocumentRecords, RecognisedKindsGetTheNewKey) {
    const struct {
        const char* name;
        DocumentKind kind;
        std::string head;
        std::string key;
        std::string expected;  // empty = unchanged
    } cases[] = {
        {"offer 201/2", DocumentKind::Offer, kOffer1, "A-1", "A-2"},
        {"offer 201/2 starred", DocumentKind::Offer, kOffer1, "*A-1", "*A-2"},
        {"offer 255", DocumentKind::Offer, kOffer2, "A-1", "A-2"},
        {"offer 255 starred", DocumentKind::Offer, kOffer2, "*A-1", "*A-2"},
        {"offer 255 not in index", DocumentKind::Offer, kOffer2, "A-5", ""},
        {"offer 201 third byte 3", DocumentKind::Offer, std::string("\xC9\x07\x03", 3), "A-1", ""},
        {"measurement 201/2", DocumentKind::Measurement, kMeasure, "A-1", "A-2"},
        {"measurement 201/2 starred", DocumentKind::Measurement, kMeasure, "*A-7", "*A-77"},
        {"measurement 255", DocumentKind::Measurement, kOffer2, "A-1", ""},
    };
    test::TempDir dir;
    for (const auto& c : cases) {
        const auto file = dir / "doc.ang";
        const std::string before = record(c.head, c.key) + record("\x01", "A-1");
        test::writeFile(file, before);
        const int changed = rewriteDocument(file, c.kind, mapper()).changed;
        const std::string after = test::readFile(file);
        ASSERT_EQ(after.size(), before.size()) << c.name;
        if (c.expected.empty()) {
            EXPECT_EQ(changed, 0) << c.name;
            EXPECT_EQ(after, before) << c.name;
        } else {
            EXPECT_EQ(changed, 1) << c.name;
            EXPECT_EQ(after, record(c.head, c.expected) + record("\x01", "A-1")) << c.name;
        }
    }
}

class DocumentFiles : public test::ServiceTest {};

// A document that does not end on a whole record: its whole records are
// rewritten, the bytes after them kept as they are, and the user told.
TEST_F(DocumentFiles, ATailAfterTheLastRecordIsKeptAndNamed) {
    const auto dir = session->dir(kOfferDir);
    const std::string good = record(kOffer2, "A-1");
    const std::string tail = good.substr(0, 40);
    test::writeFile(dir / "a_kurz.ang", good + tail);
    test::writeFile(dir / "b_gut.ANG", good);
    test::writeFile(dir / "c_andere.txt", good);
    EXPECT_EQ(rewriteDocuments(*session, DocumentKind::Offer, mapper()), 2);
    EXPECT_EQ(test::readFile(dir / "a_kurz.ang"), record(kOffer2, "A-2") + tail);
    EXPECT_EQ(test::readFile(dir / "b_gut.ANG"), record(kOffer2, "A-2"));
    EXPECT_EQ(test::readFile(dir / "c_andere.txt"), good);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(
        host.messages[0],
        "Hinweis bei Angebot \"a_kurz.ang\"!\nDie Dateilänge ist kein Vielfaches von 82 Bytes: die "
        "letzten 40 Bytes gehören zu keinem ganzen Satz und bleiben, wie sie sind.");
    EXPECT_EQ(host.panelInfo,
              (std::vector<std::string>{"Projekt: a_kurz.ang", "Projekt: b_gut.ANG"}));
    // No temporary file is left behind.
    for (const auto& e : std::filesystem::directory_iterator(dir))
        EXPECT_FALSE(e.path().filename().string().starts_with(".dn")) << e.path();

    // A measurement with a tail and no key to change is named too and left as it is.
    host.messages.clear();
    const auto mdir = session->dir(kMeasurementDir);
    std::filesystem::create_directory(mdir / "ordner.auf");  // not a document
    test::writeFile(mdir / "m.auf", std::string(83, '\0'));
    EXPECT_EQ(rewriteDocuments(*session, DocumentKind::Measurement, mapper()), 0);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(host.messages[0].starts_with("Hinweis bei Aufmaß \"m.auf\"!\n"))
        << host.messages[0];
    EXPECT_EQ(test::readFile(mdir / "m.auf"), std::string(83, '\0'));
}

// The rewrite writes nothing but the document: not through a link that
// stands where the old fixed temporary name was, not a copy in place of a
// linked document, and a name near the file system's limit still works.
TEST_F(DocumentFiles, OnlyTheRealDocumentIsWritten) {
    namespace fs = std::filesystem;
    const auto dir = session->dir(kOfferDir);
    const auto elsewhere = home / "anderswo";
    fs::create_directories(elsewhere);
    const std::string before = record(kOffer2, "A-1") + record("\x01", "A-1");
    const std::string after = record(kOffer2, "A-2") + record("\x01", "A-1");

    // A link under the old temporary name, to a file outside the offers.
    test::writeFile(dir / "p.ang", before);
    test::writeFile(elsewhere / "fremd.txt", "fremd");
    fs::create_symlink(elsewhere / "fremd.txt", dir / "p.ang.dntmp");
    // A document that is a link to the real one elsewhere.
    test::writeFile(elsewhere / "echt.ang", before);
    fs::create_symlink(elsewhere / "echt.ang", dir / "q.ang");
    // A name of 250 characters.
    const std::string longName = std::string(246, 'l') + ".ang";
    test::writeFile(dir / longName, before);

    EXPECT_EQ(rewriteDocuments(*session, DocumentKind::Offer, mapper()), 3);
    EXPECT_TRUE(host.messages.empty()) << host.messages.front();
    EXPECT_EQ(test::readFile(dir / "p.ang"), after);
    EXPECT_FALSE(fs::is_symlink(dir / "p.ang"));
    EXPECT_EQ(test::readFile(elsewhere / "fremd.txt"), "fremd");
    EXPECT_TRUE(fs::is_symlink(dir / "p.ang.dntmp"));
    EXPECT_TRUE(fs::is_symlink(dir / "q.ang"));
    EXPECT_EQ(test::readFile(elsewhere / "echt.ang"), after);
    EXPECT_EQ(test::readFile(dir / longName), after);
    for (const auto& d : {dir, elsewhere})
        for (const auto& e : fs::directory_iterator(d))
            EXPECT_FALSE(e.path().filename().string().starts_with(".dn")) << e.path();
}

}  // namespace
}  // namespace dn
