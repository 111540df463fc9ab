// The logo file and the logo in the client area: picture by window size,
// the default logo without the file, the message for unsupported pictures.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QtEndian>

#include "gui/gui_app.h"
#include "gui/logo_view.h"
#include "support/temp_dir.h"

namespace dn::gui {
namespace {

QByteArray picture(int type, const QByteArray& data) {
    QByteArray out(6, '\0');
    qToLittleEndian<quint16>(static_cast<quint16>(type), out.data());
    qToLittleEndian<quint32>(static_cast<quint32>(data.size()), out.data() + 2);
    return out + data;
}

QByteArray jpeg(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    return bytes;
}

void writeLogo(const std::filesystem::path& file, const QByteArray& pictures) {
    const QByteArray bytes = QByteArray("HLO1") + pictures;
    dn::test::writeFile(file, std::string_view(bytes.constData(), bytes.size()));
}

class LogoTest : public ::testing::Test {
  protected:
    void SetUp() override { dn::test::ensureGuiApp(); }
    dn::test::TempDir dir;
};

TEST_F(LogoTest, FileHoldsTypedPicturesAfterAFourByteHeader) {
    const QByteArray bytes =
        QByteArray("HLO1") + picture(2, "abc") + picture(1, "") + picture(7, "wxyz");
    const auto pictures = parseLogo(bytes);
    ASSERT_EQ(pictures.size(), 3u);
    EXPECT_EQ(pictures[0].type, 2);
    EXPECT_EQ(pictures[0].data, "abc");
    EXPECT_EQ(pictures[1].type, 1);
    EXPECT_TRUE(pictures[1].data.isEmpty());
    EXPECT_EQ(pictures[2].data, "wxyz");

    // A picture cut short ends the list.
    EXPECT_EQ(parseLogo(QByteArray("HLO1") + picture(2, "abc").chopped(1)).size(), 0u);
    EXPECT_TRUE(parseLogo("HL").empty());
    EXPECT_FALSE(readLogoFile(dir / "fehlt.hlo").has_value());
}

TEST_F(LogoTest, LargeLogoAboveTwelveHundredByNineHundred) {
    struct Case {
        QSize size;
        LogoVariant variant;
    };
    const Case cases[] = {{{1000, 700}, kSmallLogo},
                          {{1300, 700}, kLargeLogo},
                          {{1200, 900}, kSmallLogo},
                          {{1200, 901}, kLargeLogo},
                          {{1201, 100}, kLargeLogo}};
    for (const auto& c : cases) EXPECT_EQ(logoVariantFor(c.size), c.variant) << c.size.width();
}

TEST_F(LogoTest, ResizingSwitchesBetweenSmallAndLargePicture) {
    writeLogo(dir / "torvalo64.hlo", picture(2, jpeg(200, 100)) + picture(2, jpeg(400, 300)));
    LogoView view(dir / "torvalo64.hlo", nullptr);
    view.resize(1000, 700);
    view.choose({1000, 700});
    EXPECT_EQ(view.variant(), kSmallLogo);
    EXPECT_FALSE(view.usesDefaultLogo());
    EXPECT_EQ(view.pictureSize(), QSize(200, 100));
    EXPECT_EQ(view.pictureRect(), QRect(400, 295, 200, 100));

    view.choose({1300, 700});
    EXPECT_EQ(view.variant(), kLargeLogo);
    EXPECT_EQ(view.pictureSize(), QSize(400, 300));
    view.choose({1000, 700});
    EXPECT_EQ(view.pictureSize(), QSize(200, 100));
}

TEST_F(LogoTest, MissingFileGivesTheDefaultLogoArea) {
    LogoView view(dir / "torvalo64.hlo", nullptr);
    view.resize(800, 600);
    view.choose({800, 600});
    EXPECT_TRUE(view.usesDefaultLogo());
    EXPECT_EQ(view.pictureSize(), QSize(529, 345));
    EXPECT_EQ(view.pictureRect().topLeft(), QPoint((800 - 529) / 2, (600 - 345) / 2 - 5));
}

TEST_F(LogoTest, UnsupportedPictureIsReported) {
    writeLogo(dir / "torvalo64.hlo", picture(1, "bmp") + picture(9, "x"));
    std::vector<QString> messages;
    LogoView view(dir / "torvalo64.hlo", [&](const QString& m) { messages.push_back(m); });
    view.choose({640, 480});
    EXPECT_EQ(messages, std::vector<QString>{"Logo nicht unterstützt"});
    // The same variant is not read again; the other type changes nothing.
    view.choose({640, 480});
    view.choose({1300, 950});
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_TRUE(view.pictureSize().isEmpty());
}

}  // namespace
}  // namespace dn::gui
