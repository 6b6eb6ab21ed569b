// glyph_gen: renders every bitmap sys.xml names from the Noto Music font, sized and placed so that
// the staff drawing's fixed offsets put heads, clefs, signs and rests where engraving wants them.
//
// Usage: glyph_gen SYS_XML OUT_DIR [FONT]. The bitmaps are written under OUT_DIR/BITMAP_DIRECTORY
// as BMP files on white, the colour the transparent drawing leaves out.

#include "document/xml_access.h"
#include "document/xml_file.h"
#include "staff/mparms.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

namespace {

constexpr const char *DefaultFont = "/usr/share/fonts/truetype/noto/NotoMusic-Regular.ttf";

// The sys.xml values the artwork has to agree with.
struct Metrics
{
    int line = 8; // STEP_LINE: one staff space in pixels
    int note = 28; // STEP_NOTE
    int noteOffset = 0; // OFFSET_NOTE_CONSTANT
    int noteHeight = 0; // BITMAP_NOTE_HEIGHT
    int staffPitch = 13; // STEP_STAN_LINE

    // Continuous coordinates inside a note bitmap: the head's centre.
    double headX() const { return 12.0; } // the ledger lines run from x + 1 to x + 25
    double headY() const { return 3 * line - noteOffset + 0.5; }
    // Row of the reference line in sign and dot bitmaps, drawn BITMAP_NOTE_HEIGHT / 3 lower.
    double signY() const { return headY() - noteHeight / 3; }
};

class Glyphs
{
public:
    Glyphs(const QString &file, double spacePixels)
        : m_font(file, 4 * spacePixels)
    {
    }
    bool valid() const { return m_font.isValid(); }

    // The glyph's outline with its origin on the baseline (the bottom staff line for clefs).
    QPainterPath path(char32_t cp) const
    {
        const auto glyphs = m_font.glyphIndexesForString(QString::fromUcs4(&cp, 1));
        if (glyphs.isEmpty() || glyphs[0] == 0)
            return {};
        return m_font.pathForGlyph(glyphs[0]);
    }

private:
    QRawFont m_font;
};

QImage blank(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// Light antialiasing fringes become background, so that a transparent drawing leaves no pale halo
// over staff lines.
void dropFringe(QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(row[x]) > 225)
                row[x] = qRgb(255, 255, 255);
        }
    }
}

void fill(QImage &image, const QPainterPath &path)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(path, Qt::black);
}

// The path moved so that the point at fractions (fx, fy) of its bounding box lands on (x, y).
QPainterPath placed(QPainterPath path, double fx, double fy, double x, double y)
{
    const QRectF box = path.boundingRect();
    path.translate(x - (box.left() + fx * box.width()), y - (box.top() + fy * box.height()));
    return path;
}

QPainterPath scaled(const QPainterPath &path, double sx, double sy)
{
    return QTransform::fromScale(sx, sy).map(path);
}

enum class Head { Black, Void, Whole, Breve };

// A note: head centred where the ledger lines and the staff position put it, a one-pixel stem of
// three and a half spaces, a flag for eighths.
QImage noteBitmap(const Glyphs &g, const Metrics &m, Head head, bool stem, bool flag, bool down)
{
    const double space = m.line;
    QImage image = blank(28, m.noteHeight);
    const char32_t headGlyph = head == Head::Black ? U'\U0001D158'
        : head == Head::Void                       ? U'\U0001D157'
        : head == Head::Whole                      ? U'\U0001D15D'
                                                   : U'\U0001D15C';
    QPainterPath headPath = g.path(headGlyph);
    if (down && (head == Head::Black || head == Head::Void))
        headPath = QTransform().rotate(180).map(headPath);
    headPath = placed(headPath, 0.5, 0.5, m.headX(), m.headY());
    fill(image, headPath);
    if (stem) {
        const QRectF box = headPath.boundingRect();
        const int column = down ? static_cast<int>(std::floor(box.left() + 0.3))
                                : static_cast<int>(std::ceil(box.right() - 0.3)) - 1;
        const int length = static_cast<int>(std::lround(3.5 * space));
        const int from = down ? static_cast<int>(m.headY() + 0.5) : static_cast<int>(m.headY() - length);
        QPainter painter(&image);
        painter.fillRect(column, from, 1, length, Qt::black);
        if (flag) {
            QPainterPath flagPath = g.path(U'\U0001D16E');
            if (down) {
                flagPath = scaled(flagPath, 1, -1);
                flagPath = placed(flagPath, 0, 1, column + 0.5, from + length);
            } else {
                flagPath = placed(flagPath, 0, 0, column + 0.5, from);
            }
            painter.setRenderHint(QPainter::Antialiasing);
            painter.fillPath(flagPath, Qt::black);
        }
    }
    dropFringe(image);
    return image;
}

// Signs: the reference line on the sign row, the glyph ending a little left of the head.
QImage signBitmap(const Glyphs &g, const Metrics &m, char32_t cp, double fy, double sx, double sy)
{
    const double right = m.note / 3 + m.headX() - 0.6 * m.line - 0.4 * m.line;
    QImage image = blank(static_cast<int>(std::ceil(right)) + 1, static_cast<int>(m.signY()) + 2 * m.line);
    QPainterPath path = scaled(g.path(cp), sx, sy);
    fill(image, placed(path, 1.0, fy, right, m.signY()));
    dropFringe(image);
    return image;
}

QImage dotBitmap(const Glyphs &g, const Metrics &m)
{
    const double headRight = m.headX() - m.note / 2 + 0.6 * m.line;
    QImage image = blank(static_cast<int>(headRight + m.line), static_cast<int>(m.signY()) + m.line);
    fill(image, placed(g.path(U'\U0001D16D'), 0, 0.5, headRight + 0.3 * m.line, m.signY() - 0.25 * m.line));
    dropFringe(image);
    return image;
}

// Clefs: bitmap top at StaffTop - 5L/2 - 3 + shift; the glyph's baseline on the staff's bottom
// line, or one line lower for the French violin clef.
QImage clefBitmap(const Glyphs &g, const Metrics &m, char32_t cp, int shift, int baselineLines)
{
    const double top = (-5 * m.line) / 2 - 3 + shift;
    const double baseline = baselineLines * m.line + 0.5 - top;
    QPainterPath path = g.path(cp);
    const QRectF box = path.boundingRect();
    path.translate(0.5 - box.left(), baseline);
    QImage image = blank(static_cast<int>(std::ceil(box.width())) + 2,
                         static_cast<int>(std::ceil(baseline + box.bottom())) + 2);
    fill(image, path);
    dropFringe(image);
    return image;
}

// Rests: bitmap top at StaffTop + 3L + OFFSET_NOTE_CONSTANT + L for the lower voice of a staff
// (and four spaces higher for the upper one); target is where the glyph's (fx, fy) point goes,
// counted from the staff's top line for the lower voice.
QImage restBitmap(const Glyphs &g, const Metrics &m, char32_t cp, double fy, double target)
{
    const double top = 3 * m.line + m.noteOffset + m.line;
    QImage image = blank(28, static_cast<int>(target - top) + 3 * m.line);
    fill(image, placed(g.path(cp), 0.5, fy, m.headX(), target - top + 0.5));
    dropFringe(image);
    return image;
}

// The brace over both staves of a system, cut into its upper and lower half.
QImage braceHalf(const Glyphs &g, const Metrics &m, bool upper)
{
    const int height = m.line * m.staffPitch + 4 * m.line + 6;
    const int upperHeight = height / 2;
    QImage whole = blank(static_cast<int>(1.3 * m.line), height);
    QPainterPath path = g.path(U'\U0001D114');
    const QRectF box = path.boundingRect();
    path = scaled(path, (1.2 * m.line) / box.width(), height / box.height());
    fill(whole, placed(path, 0, 0, 0.5, 0));
    dropFringe(whole);
    return upper ? whole.copy(0, 0, whole.width(), upperHeight)
                 : whole.copy(0, upperHeight - 1, whole.width(), height - upperHeight + 1);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: glyph_gen SYS_XML OUT_DIR [FONT]\n");
        return 2;
    }
    pugi::xml_document doc;
    if (!pw::LoadXmlFile(doc, argv[1])) {
        std::fprintf(stderr, "glyph_gen: cannot read %s\n", argv[1]);
        return 1;
    }
    const pugi::xml_node root = doc.document_element();
    Metrics m;
    m.line = pw::GetAttrInt(root, "STEP_LINE", m.line);
    m.note = pw::GetAttrInt(root, "STEP_NOTE", m.note);
    m.noteOffset = pw::GetAttrInt(root, "OFFSET_NOTE_CONSTANT", 0);
    m.noteHeight = pw::GetAttrInt(root, "BITMAP_NOTE_HEIGHT", 8 * m.line);
    m.staffPitch = pw::GetAttrInt(root, "STEP_STAN_LINE", m.staffPitch);

    const QString fontFile = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString(DefaultFont);
    const Glyphs g(fontFile, m.line);
    if (!g.valid()) {
        std::fprintf(stderr, "glyph_gen: cannot read the font %s\n", fontFile.toLocal8Bit().constData());
        return 1;
    }

    const int L = m.line;
    const std::map<std::string, std::function<QImage()>> artwork {
        {"KEY_BASS_FILE", [&] { return clefBitmap(g, m, U'\U0001D122', L, 4); }},
        {"KEY_ALT_FILE", [&] { return clefBitmap(g, m, U'\U0001D121', 0, 4); }},
        {"KEY_VIOLIN_FILE", [&] { return clefBitmap(g, m, U'\U0001D11E', 0, 5); }},
        {"KEY_STRING_FILE", [&] { return clefBitmap(g, m, U'\U0001D11E', L / 2, 4); }},
        {"LECAL_UP_FILE", [&] { return braceHalf(g, m, true); }},
        {"LECAL_DOWN_FILE", [&] { return braceHalf(g, m, false); }},
        // The flat's reference is its bowl, a little above the glyph's bottom.
        {"SIGN_BEMOL_FILE", [&] { return signBitmap(g, m, U'\u266D', 0.79, 1, 1); }},
        {"SIGN_BEKAR_FILE", [&] { return signBitmap(g, m, U'\u266E', 0.5, 1, 0.85); }},
        // Noto's sharp is nearly two spaces wide; narrowed to the usual proportions.
        {"SIGN_DIEZ_FILE", [&] { return signBitmap(g, m, U'\u266F', 0.5, 0.62, 0.85); }},
        {"SIGN_BBEMOL_FILE", [&] { return signBitmap(g, m, U'\U0001D12B', 0.82, 1, 1); }},
        {"SIGN_DDIEZ_FILE", [&] { return signBitmap(g, m, U'\U0001D12A', 0.5, 1, 1); }},
        {"SIGN_POINT_FILE", [&] { return dotBitmap(g, m); }},
        {"N8_up", [&] { return noteBitmap(g, m, Head::Black, true, true, false); }},
        {"N8_down", [&] { return noteBitmap(g, m, Head::Black, true, true, true); }},
        {"N4_up", [&] { return noteBitmap(g, m, Head::Black, true, false, false); }},
        {"N4_down", [&] { return noteBitmap(g, m, Head::Black, true, false, true); }},
        {"N2_up", [&] { return noteBitmap(g, m, Head::Void, true, false, false); }},
        {"N2_down", [&] { return noteBitmap(g, m, Head::Void, true, false, true); }},
        {"N1_up", [&] { return noteBitmap(g, m, Head::Whole, false, false, false); }},
        {"N1_down", [&] { return noteBitmap(g, m, Head::Whole, false, false, true); }},
        {"N0_up", [&] { return noteBitmap(g, m, Head::Breve, false, false, false); }},
        {"N0_down", [&] { return noteBitmap(g, m, Head::Breve, false, false, true); }},
        {"NN_up", [&] { return noteBitmap(g, m, Head::Black, false, false, false); }},
        {"NN_down", [&] { return noteBitmap(g, m, Head::Black, false, false, true); }},
        // The lower voice's rests lie one space under the staff, the upper voice's on its top line
        // (the drawing puts them five spaces apart). P4 serves whole and half rests.
        {"P8", [&] { return restBitmap(g, m, U'\U0001D13B', 0.0, 4 * L); }},
        {"P4", [&] { return restBitmap(g, m, U'\U0001D13C', 1.0, 5 * L); }},
        {"P2", [&] { return restBitmap(g, m, U'\U0001D13D', 0.5, 5 * L); }},
        {"P1", [&] { return restBitmap(g, m, U'\U0001D13E', 0.5, 5 * L); }},
    };

    std::string folder = pw::GetAttr(root, "BITMAP_DIRECTORY");
    for (char &c : folder) {
        if (c == '\\')
            c = '/';
    }
    const std::filesystem::path out = std::filesystem::path(argv[2]) / folder;
    std::filesystem::create_directories(out);
    for (const pw::BitmapKey &key : pw::BitmapKeys()) {
        const std::string name = pw::GetAttr(root, key.key) + key.suffix;
        const QImage image = artwork.at(key.key)();
        const std::filesystem::path file = out / name;
        if (!image.save(QString::fromStdString(file.string()), "BMP")) {
            std::fprintf(stderr, "glyph_gen: cannot write %s\n", file.string().c_str());
            return 1;
        }
    }
    return 0;
}
