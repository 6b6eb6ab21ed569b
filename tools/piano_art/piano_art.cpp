// piano_art: draws the bitmaps of the piano panel's buttons in all their states into OUT_DIR/res.
// The keys are painted by the panel itself, at whatever size it has.
//
// Usage: piano_art OUT_DIR [--sheet FILE.png]. The sheet shows every bitmap enlarged, for review.

#include "button_art.h"

#include "panels/panel_bitmaps.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace bm = pw::panel_bitmaps;

constexpr const char *FontFile = "/usr/share/fonts/truetype/noto/NotoSans-Bold.ttf";

QString loadFont()
{
    const int id = QFontDatabase::addApplicationFont(FontFile);
    const QStringList families = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
    return families.isEmpty() ? QString("Sans Serif") : families.first();
}

using Bitmap = std::pair<std::string, QImage>;

std::vector<Bitmap> drawAll(const QString &font)
{
    std::vector<Bitmap> out;
    for (std::string_view name : bm::StateButtons) {
        const std::string symbol(name);
        out.emplace_back(symbol + std::string(bm::On), DrawButton(symbol, art::Hover, font));
        out.emplace_back(symbol + std::string(bm::Off), DrawButton(symbol, art::Off, font));
        out.emplace_back(symbol + std::string(bm::Disabled), DrawButton(symbol, art::Disabled, font));
    }
    for (std::string_view name : bm::Switches) {
        const std::string symbol(name);
        out.emplace_back(symbol + std::string(bm::Down), DrawButton(symbol, art::Pressed, font));
        out.emplace_back(symbol + std::string(bm::Up), DrawButton(symbol, art::Off, font));
    }
    return out;
}

// Every bitmap three times enlarged, in rows of six.
QImage contactSheet(const std::vector<Bitmap> &bitmaps)
{
    constexpr int Scale = 3, Cell = 48 * Scale, PerRow = 6;
    const int rows = (static_cast<int>(bitmaps.size()) + PerRow - 1) / PerRow;
    QImage sheet(PerRow * Cell, rows * Cell, QImage::Format_RGB32);
    sheet.fill(QColor::fromRgb(bm::PanelBackground));
    QPainter p(&sheet);
    for (std::size_t i = 0; i < bitmaps.size(); ++i) {
        const QImage &image = bitmaps[i].second;
        const int x = static_cast<int>(i % PerRow) * Cell + 10;
        const int y = static_cast<int>(i / PerRow) * Cell + 10;
        p.drawImage(QRect(x, y, image.width() * Scale, image.height() * Scale), image);
        p.setPen(Qt::black);
        p.drawText(x, y + Cell - 24, QString::fromStdString(bitmaps[i].first));
    }
    return sheet;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--sheet")) {
        std::fprintf(stderr, "usage: piano_art OUT_DIR [--sheet FILE.png]\n");
        return 2;
    }
    // Drawing text needs a GUI application, never a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const std::filesystem::path folder = std::filesystem::path(argv[1]) / bm::Folder;
    std::filesystem::create_directories(folder);
    const std::vector<Bitmap> bitmaps = drawAll(loadFont());
    for (const auto &[name, image] : bitmaps) {
        const std::filesystem::path file = folder / (name + std::string(bm::Extension));
        if (!image.save(QString::fromStdString(file.string()), "BMP")) {
            std::fprintf(stderr, "piano_art: cannot write %s\n", file.c_str());
            return 1;
        }
    }
    if (argc == 4 && !contactSheet(bitmaps).save(argv[3], "PNG")) {
        std::fprintf(stderr, "piano_art: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
