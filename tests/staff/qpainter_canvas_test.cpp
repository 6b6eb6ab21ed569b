#include "platform/qpainter_canvas.h"

#include <QImage>

#include <gtest/gtest.h>

namespace pw {
namespace {

class QPainterCanvasTest : public ::testing::Test
{
protected:
    QPainterCanvasTest() { image.fill(Qt::white); }

    QRgb at(int x, int y) const { return image.pixel(x, y) & 0xffffff; }

    QImage image {40, 30, QImage::Format_RGB32};
};

TEST_F(QPainterCanvasTest, LinesStopBeforeTheirEndPoint)
{
    {
        QPainterCanvas canvas(image);
        canvas.setPen(MakeColor(255, 0, 0));
        canvas.line(2, 5, 10, 5);
        canvas.line(20, 2, 20, 8);
    }
    EXPECT_EQ(at(2, 5), 0xff0000u);
    EXPECT_EQ(at(9, 5), 0xff0000u);
    EXPECT_EQ(at(10, 5), 0xffffffu);
    EXPECT_EQ(at(20, 7), 0xff0000u);
    EXPECT_EQ(at(20, 8), 0xffffffu);
}

TEST_F(QPainterCanvasTest, RectangleExcludesRightAndBottom)
{
    {
        QPainterCanvas canvas(image);
        canvas.setPen(MakeColor(0, 0, 255));
        canvas.setBrush(MakeColor(0, 255, 0));
        canvas.rectangle(5, 5, 15, 10);
    }
    EXPECT_EQ(at(5, 5), 0x0000ffu); // outline
    EXPECT_EQ(at(14, 9), 0x0000ffu);
    EXPECT_EQ(at(8, 7), 0x00ff00u); // fill
    EXPECT_EQ(at(15, 7), 0xffffffu);
    EXPECT_EQ(at(8, 10), 0xffffffu);
}

TEST_F(QPainterCanvasTest, TransparentBitmapLeavesItsBackgroundOut)
{
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(QColor(200, 200, 200));
    picture.setPixel(1, 1, qRgb(0, 0, 0));
    const QtBitmap bitmap("test.bmp", picture);
    {
        QPainterCanvas canvas(image);
        canvas.setPen(MakeColor(255, 0, 0));
        canvas.line(0, 2, 40, 2);
        canvas.bitmap(10, 0, bitmap, true);
        canvas.bitmap(20, 0, bitmap, false);
    }
    EXPECT_EQ(at(11, 1), 0x000000u);
    EXPECT_EQ(at(12, 2), 0xff0000u) << "the transparent background covered the line";
    EXPECT_EQ(at(12, 3), 0xffffffu);
    EXPECT_EQ(at(22, 2), 0xc8c8c8u) << "an opaque bitmap covers what lies under it";
    EXPECT_EQ(bitmap.width(), 4);
}

TEST_F(QPainterCanvasTest, TextCellStartsAtItsTopLeftCorner)
{
    {
        QPainterCanvas canvas(image);
        canvas.setFont({"Noto Sans", 10, true, false, MakeColor(0, 0, 0)});
        canvas.text(5, 5, "H");
    }
    int top = -1;
    for (int y = 0; y < image.height() && top < 0; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                top = y;
                break;
            }
        }
    }
    // The capital begins a little below the cell's top, never above it.
    EXPECT_GE(top, 5);
    EXPECT_LE(top, 12);
}

TEST_F(QPainterCanvasTest, FillWhiteAndTheLock)
{
    image.fill(Qt::black);
    QPainterCanvas canvas(image);
    canvas.fillWhite();
    EXPECT_TRUE(canvas.lock().try_lock());
    canvas.lock().unlock();
}

} // namespace
} // namespace pw
