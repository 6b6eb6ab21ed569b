#pragma once

#include "harmony/definitor.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"

#include <pugixml.hpp>

#include <array>
#include <filesystem>
#include <memory>
#include <string>

namespace pw {

// Everything the staff drawing needs that is not music: distances, colours and glyph bitmaps, read
// once from sys.xml in the program's folder, plus the metrics recomputed from the drawing area
// before every repaint. The shell reads its own keys from the same document.
class MParms
{
public:
    // Reads programDir/sys.xml, loads every bitmap it names from programDir/BITMAP_DIRECTORY and
    // creates the chord definitor on programDir/xml/definitor.xml. A bad colour component
    // (RangeError), a non-numeric distance (ConversionError) or a bitmap that cannot be loaded
    // (Error naming file and key) abandons the creation.
    MParms(const std::filesystem::path &programDir, BitmapLoader &loader, Ui &ui);
    MParms(const MParms &) = delete;
    MParms &operator=(const MParms &) = delete;
    ~MParms();

    void SetViewport(int left, int right, int top, int bottom);
    // Height of a two-staff system with the space below it, the unit of RowsFit.
    int SystemHeight() const { return 2 * STEP_LINE * STEP_STAN_LINE + STEP_BETWEEN_STANS; }

    const pugi::xml_document &Document() const { return m_doc; }
    // Queries select groups, so even a drawing that only reads labels needs it mutable.
    TMusDefinitor &Definitor() const { return *m_definitor; }

    // The shell's keys.
    std::string MenuName() const;
    std::string MenuFont() const;
    int MenuFontSize() const;
    int MidiTemp() const;
    bool AlwaysBass() const;

    // Metrics of the drawing area.
    int Width = 0;
    int RightEdge = 0;
    int RowsFit = 0;
    int Height = 0; // 0 until a viewport is set: only RowsFit limits the scrolling then

    Color ColorLine = Black;
    Color ColorTonality = Black;
    Color ColorSize = Black;
    Color ColorAccordDefinition = Black;
    Color ColorMovement = Black;
    Color ColorFixedNote = Black;
    Color ColorError = Black;
    std::array<Color, 4> VoiceColor {}; // Color0..Color3, the cursor per current voice

    int STEP_LINE = 0;
    int Y_BEGIN_LINE = 0;
    int STEP_NOTE = 0;
    int STEP_SIGN = 0;
    int STEP_STAN_LINE = 0;
    int STEP_BETWEEN_STANS = 0;
    int FREE_LEFT = 0;
    int LEFT_LECALA_START = 0;
    int FREE_RIGHT = 0;
    int ADDITION_LEFT_OFFSET = 0;
    int OFFSET_NOTE_CONSTANT = 0;
    int OFFSET_SIZE_CONSTANT = 0;
    int BITMAP_NOTE_HEIGHT = 0;

    std::string BITMAP_DIRECTORY; // with the separator appended
    std::string CURSOR_FILE;
    std::string DefaultLanguage;

    // Clefs by clef code 1..4 (index 0 unused).
    std::array<std::unique_ptr<Bitmap>, 5> Clef;
    std::unique_ptr<Bitmap> BraceUp, BraceDown;
    // Signs by sign code 1 flat, 2 natural, 3 sharp, 4 double sharp, 5 double flat (index 0 unused).
    std::array<std::unique_ptr<Bitmap>, 6> Sign;
    std::unique_ptr<Bitmap> Point;
    // N8_up, N8_down, N4_up, ... NN_down: index 2i + (1 for stem down).
    std::array<std::unique_ptr<Bitmap>, 12> NoteTable;
    // P8, P4, P2, P1.
    std::array<std::unique_ptr<Bitmap>, 4> RestTable;

private:
    void readColors(pugi::xml_node root);
    void readDistances(pugi::xml_node root);
    void loadBitmaps(pugi::xml_node root, BitmapLoader &loader);

    std::filesystem::path m_programDir;
    pugi::xml_document m_doc;
    std::unique_ptr<TMusDefinitor> m_definitor;
};

// The bitmap names sys.xml gives, as (key, file name suffix) pairs: the glyph generator renders
// exactly these.
struct BitmapKey
{
    const char *key;
    const char *suffix;
};
const std::array<BitmapKey, 28> &BitmapKeys();

} // namespace pw
