// The QPainter canvas against reference renders of bundled exercises. Set
// PARTWRITER_UPDATE_GOLDENS=1 to rewrite the references after a deliberate change of the artwork.

#include "document/har_exercis.h"
#include "document/timer_area.h"
#include "platform/qpainter_canvas.h"
#include "platform/random.h"
#include "platform/recording_ui.h"
#include "staff/mparms.h"
#include "staff/staff_paint.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace pw {
namespace {

QImage render(const std::filesystem::path &exercise, int width, int height)
{
    RecordingUi ui;
    StdRandom random(1);
    TimerArea task;
    task.Iterations = -1;
    const std::filesystem::path scratch = std::filesystem::temp_directory_path() / "pw_staff_golden";
    HarExercis ex(ui, random, scratch);
    EXPECT_TRUE(ex.LoadExercise(exercise.string(), &task, false));
    QtBitmapLoader loader;
    MParms parms(PARTWRITER_PROGRAM_DIR, loader, ui);
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainterCanvas canvas(image);
        parms.SetViewport(0, width, 0, height);
        PaintAll(ex, canvas, parms, ui, 0);
    }
    std::filesystem::remove_all(scratch);
    return image;
}

// Pixels whose colour differs by more than an antialiasing step.
int differingPixels(const QImage &a, const QImage &b)
{
    int differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > 40 || std::abs(qGreen(p) - qGreen(q)) > 40
                || std::abs(qBlue(p) - qBlue(q)) > 40)
                ++differing;
        }
    }
    return differing;
}

// A note head moved by one pixel changes some twenty pixels; a few stray text pixels pass.
constexpr int AllowedPixels = 60;

void compareWithGolden(const std::filesystem::path &exercise, const std::string &golden, int width,
                       int height)
{
    const QImage image = render(exercise, width, height);
    const QString file = QString::fromStdString(std::string(PARTWRITER_TEST_DATA) + "/" + golden);
    if (std::getenv("PARTWRITER_UPDATE_GOLDENS")) {
        ASSERT_TRUE(image.save(file, "PNG"));
        return;
    }
    const QImage expected = QImage(file).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(expected.isNull()) << "no golden image " << file.toStdString();
    ASSERT_EQ(expected.size(), image.size());
    const int differing = differingPixels(image, expected);
    if (differing > AllowedPixels)
        image.save(QString::fromStdString((std::filesystem::temp_directory_path() / golden).string()), "PNG");
    EXPECT_LE(differing, AllowedPixels) << golden << ": " << differing << " pixels differ; the render is in "
                                        << std::filesystem::temp_directory_path();
}

TEST(GoldenTest, CadenceAt1280x800)
{
    compareWithGolden(std::filesystem::path(PARTWRITER_BUNDLED_DATA) / "xml" / "Cadence-example.xml",
                      "golden_cadence.png", 1280, 800);
}

TEST(GoldenTest, EngravingSamplerAt1024x700)
{
    compareWithGolden(std::filesystem::path(PARTWRITER_TEST_DATA) / "engraving.xml", "golden_engraving.png",
                      1024, 700);
}

} // namespace
} // namespace pw
