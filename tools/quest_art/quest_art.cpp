// quest_art: draws the overlay bitmaps of questionnaires into OUT_DIR/res as PNG with alpha, under
// the names the overlay kinds of sys.xml give them.
//
// Usage: quest_art OUT_DIR

#include "overlay_art.h"

#include <QGuiApplication>

#include <cstdio>
#include <filesystem>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: quest_art OUT_DIR\n");
        return 2;
    }
    // Painting into images needs a GUI application, never a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const std::filesystem::path folder = std::filesystem::path(argv[1]) / "res";
    std::filesystem::create_directories(folder);
    for (const quest_art::Overlay &overlay : quest_art::DrawOverlays()) {
        const std::filesystem::path file = folder / (overlay.name + ".png");
        if (!overlay.image.convertToFormat(QImage::Format_ARGB32)
                 .save(QString::fromStdString(file.string()), "PNG")) {
            std::fprintf(stderr, "quest_art: cannot write %s\n", file.c_str());
            return 1;
        }
    }
    return 0;
}
