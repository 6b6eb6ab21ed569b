// The overlay kinds of the bundled sys.xml, with the bitmaps quest_art drew beside the programs,
// and their blending on a real picture.

#include "config/localization.h"
#include "document/xml_file.h"
#include "platform/qpainter_canvas.h"
#include "platform/recording_ui.h"
#include "quest/quest_overlays.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

namespace pw::test {

namespace {

const std::filesystem::path kProgramDir(PARTWRITER_PROGRAM_DIR);

struct BundledKinds : ::testing::Test
{
    void SetUp() override
    {
        ASSERT_TRUE(ReadXmlFile(sys, kProgramDir / "sys.xml"));
        grafs.LoadKinds(SelectNode(sys, "//Parameters/QParms"), kProgramDir, loader);
    }
    pugi::xml_document sys;
    RecordingUi ui;
    QtBitmapLoader loader;
    AddGrafs grafs {ui};
};

// A picture of one colour, as a question's picture is loaded (32 bits per pixel).
QImage plain(QColor color)
{
    QImage image(40, 30, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

// A bitmap of opaque red with a transparent right half.
QtBitmap halfRed()
{
    QImage image(4, 2, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < 2; ++y) {
        image.setPixelColor(0, y, Qt::red);
        image.setPixelColor(1, y, Qt::red);
    }
    return QtBitmap("half.png", image);
}

} // namespace

TEST_F(BundledKinds, EveryKindHasItsBitmapsDrawnWithATransparentBackground)
{
    std::set<std::string> names;
    for (const OneAddGraf &kind : grafs.Kinds()) {
        names.insert(kind.N);
        ASSERT_FALSE(kind.bitmaps.empty()) << kind.N;
        for (const OverlayBitmap &b : kind.bitmaps) {
            SCOPED_TRACE(kind.N + ": " + b.picture->name());
            EXPECT_GT(b.TRA, 0);
            // Drawn at the size sys.xml gives, so that nothing is stretched unless a box asks.
            EXPECT_EQ(b.picture->width(), b.XS);
            EXPECT_EQ(b.picture->height(), b.YS);
            // The file itself, as quest_art wrote it.
            const QImage image(QString::fromStdString((kProgramDir / "res" / b.picture->name()).string()));
            ASSERT_FALSE(image.isNull());
            ASSERT_TRUE(image.hasAlphaChannel());
            const int w = image.width() - 1, h = image.height() - 1;
            for (const QPoint corner : {QPoint(0, 0), QPoint(w, 0), QPoint(0, h), QPoint(w, h)})
                EXPECT_EQ(qAlpha(image.pixel(corner)), 0) << corner.x() << ", " << corner.y();
            int opaque = 0;
            for (int y = 0; y <= h; ++y) {
                for (int x = 0; x <= w; ++x)
                    opaque += qAlpha(image.pixel(x, y)) > 200;
            }
            // A mark, not a filled block.
            EXPECT_GT(opaque, 10);
            EXPECT_LT(opaque, image.width() * image.height() / 2);
        }
    }
    EXPECT_EQ(names, (std::set<std::string> {"arrow", "bracket", "cross", "ring"}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(BundledKinds, EveryHintHasAnEnglishText)
{
    Localization english;
    english.Load(PARTWRITER_BUNDLED_DATA, "English");
    ASSERT_TRUE(english.InUse());
    grafs.SetTranslation([&english](const std::string &text) { return english.Phrase(text); });
    for (const OneAddGraf &kind : grafs.Kinds()) {
        ASSERT_FALSE(kind.Hint.empty()) << kind.N;
        EXPECT_NE(grafs.KindHint(kind.N), kind.Hint) << kind.N;
        const std::string hint = grafs.KindHint(kind.N);
        EXPECT_TRUE(std::all_of(hint.begin(), hint.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x80;
        })) << hint;
    }
}

TEST(OverlayBlending, OpacityScalesTheBitmapsOwnAlpha)
{
    const QtBitmap bitmap = halfRed();
    for (const int opacity : {0, 128, 255}) {
        SCOPED_TRACE(opacity);
        QImage picture = plain(Qt::white);
        {
            QPainterCanvas canvas(picture);
            // Stretched twice as wide and five times as high: red over x 10..17, y 5..14.
            canvas.bitmap(10, 5, 16, 10, bitmap, opacity);
        }
        const QColor red = picture.pixelColor(12, 8);
        EXPECT_EQ(red.red(), 255);
        EXPECT_NEAR(red.green(), 255 - opacity, 2);
        EXPECT_NEAR(red.blue(), 255 - opacity, 2);
        // The bitmap's transparent half, and what lies outside it, stay white.
        EXPECT_EQ(picture.pixelColor(22, 8), QColor(Qt::white));
        EXPECT_EQ(picture.pixelColor(12, 20), QColor(Qt::white));
        EXPECT_EQ(picture.pixelColor(5, 8), QColor(Qt::white));
    }
    // An opaque bitmap at full opacity replaces the picture; at 0 it leaves every pixel as it was.
    QImage dark = plain(QColor(10, 20, 30));
    const QImage before = dark.copy();
    {
        QPainterCanvas canvas(dark);
        canvas.bitmap(0, 0, 40, 30, bitmap, 0);
    }
    EXPECT_EQ(dark, before);
    {
        QPainterCanvas canvas(dark);
        canvas.bitmap(0, 0, 40, 30, bitmap, 255);
    }
    EXPECT_EQ(dark.pixelColor(3, 3), QColor(Qt::red));
    EXPECT_EQ(dark.pixelColor(30, 3), QColor(10, 20, 30));
}

} // namespace pw::test
