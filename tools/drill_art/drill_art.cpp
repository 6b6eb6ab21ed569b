// drill_art: draws the note drill's pictures into OUT_DIR/html: drill-keyboard.jpg (two octaves
// from C4) and drill-staff.jpg (a treble staff, C4 to B5 as whole notes). The drill answers clicks
// by the geometry of drill_geometry.h, so the pictures are drawn from it and nowhere else.
//
// Usage: drill_art OUT_DIR [MUSIC_FONT]. Clef and heads are Noto Music's, as on the exercise staff.

#include "drill_geometry.h"
#include "drill_pictures.h"

#include "platform/text_fonts.h"

#include <QGuiApplication>
#include <QRawFont>

#include <cstdio>
#include <filesystem>

namespace {

constexpr const char *DefaultMusicFont = "/usr/share/fonts/truetype/noto/NotoMusic-Regular.ttf";

QPainterPath outline(const QRawFont &font, char32_t cp)
{
    const auto glyphs = font.glyphIndexesForString(QString::fromUcs4(&cp, 1));
    return glyphs.isEmpty() || glyphs[0] == 0 ? QPainterPath() : font.pathForGlyph(glyphs[0]);
}

bool save(const QImage &image, const std::filesystem::path &file)
{
    if (image.save(QString::fromStdString(file.string()), "JPG", 92))
        return true;
    std::fprintf(stderr, "drill_art: cannot write %s\n", file.c_str());
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: drill_art OUT_DIR [MUSIC_FONT]\n");
        return 2;
    }
    // Drawing text needs a GUI application, never a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QString fontFile = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString(DefaultMusicFont);
    // The glyphs of the exercise staff, so that both staves look alike.
    const QRawFont font(fontFile, 4 * drill_art::staff::Space);
    const drill_art::StaffGlyphs glyphs {outline(font, U'\U0001D11E'), outline(font, U'\U0001D15D')};
    if (glyphs.trebleClef.isEmpty() || glyphs.wholeNote.isEmpty()) {
        std::fprintf(stderr, "drill_art: no clef or whole note in the font %s\n",
                     fontFile.toLocal8Bit().constData());
        return 1;
    }
    const QImage staff = drill_art::DrawStaffPicture(glyphs);
    if (staff.isNull()) {
        std::fprintf(stderr, "drill_art: the clef does not fit left of x = %d\n",
                     drill_art::staff::ClefRight);
        return 1;
    }

    const std::filesystem::path folder = std::filesystem::path(argv[1]) / "html";
    std::filesystem::create_directories(folder);
    const QImage keyboard = drill_art::DrawKeyboardPicture(pw::TextFontFamily("Liberation Sans"));
    return save(keyboard, folder / "drill-keyboard.jpg") && save(staff, folder / "drill-staff.jpg") ? 0 : 1;
}
