#include "staff/staff_frame.h"

#include "document/exercise_nodes.h"

#include <array>

namespace pw {

namespace {

// The key name stands this far above the first staff line of a part.
constexpr int KeyNameRise = 28;
// The separator between parts: light, so that it is not read as a staff or ledger line.
constexpr Color SeparatorColor = MakeColor(170, 170, 170);

constexpr std::array<int, 7> FlatOffsets {1, 3, -4, 3, -4, 3, -4};
constexpr std::array<int, 7> SharpOffsets {6, -3, 4, -3, 4, -3, 4};

struct KeyLetter
{
    const char *flat;
    const char *sharp;
    bool marked;
};

constexpr std::array<KeyLetter, 12> KeyLetters {{
    {"A ", "A ", false},
    {"B ", "B ", false},
    {"H ", "H ", false},
    {"C ", "C ", false},
    {"D ", "C ", true},
    {"D ", "D ", false},
    {"E ", "D ", true},
    {"E ", "E ", false},
    {"F ", "F ", false},
    {"G ", "F ", true},
    {"G ", "G ", false},
    {"A ", "G ", true},
}};

int clefOf(const HarExercis &ex, int part, int staff)
{
    return ClefOf(ex.part(part).Node, staff);
}

void drawClef(StaffDrawing &d, int clef, int x, int top)
{
    const int line = d.parms.STEP_LINE;
    int shift = 0;
    if (clef == 1)
        shift = line;
    else if (clef == 4)
        shift = line / 2;
    int shown = clef;
    if (clef < 1 || clef > 4) {
        d.ui.message("Undified Key", "Key:Paint");
        shown = 2;
    }
    d.canvas.bitmap(x, top + (-5 * line) / 2 - 3 + shift, *d.parms.Clef[static_cast<std::size_t>(shown)],
                    true);
}

// Draws the key signature from x and returns the x after it.
int drawKeySignature(StaffDrawing &d, int clef, const Tonality &tonality, int x, int top)
{
    int base = 0;
    if (clef == 1)
        base = 2;
    else if (clef == 4)
        base = 4;
    else
        d.ui.message("Undified Key", "Key:GetHigh");
    const bool flats = tonality.val >= 1;
    const int count = flats ? tonality.val : -tonality.val;
    const auto &offsets = flats ? FlatOffsets : SharpOffsets;
    const Bitmap &glyph = *d.parms.Sign[flats ? 1 : 3];
    const int extra = flats ? 0 : 2;
    const int line = d.parms.STEP_LINE;
    for (int j = 0; j < count && j < 7; ++j) {
        base += offsets[static_cast<std::size_t>(j)];
        d.canvas.bitmap(x, top + 3 * line + extra - base * line / 2 + 2, glyph, true);
        x += d.parms.STEP_SIGN;
    }
    return x;
}

void drawKeyName(StaffDrawing &d, const Tonality &tonality, int top)
{
    const CanvasFont saved = d.canvas.font();
    CanvasFont font = saved;
    font.color = d.parms.ColorTonality;
    font.bold = true;
    font.underline = true;
    font.size = 10;
    d.canvas.setFont(font);
    d.canvas.text(15, top - KeyNameRise, KeyName(tonality, d.parms.Definitor().Language() != "Russian"));
    d.canvas.setFont(saved);
}

void drawTimeSignature(StaffDrawing &d, int part, int x, int top)
{
    const NSize signature = TimeSignature(d.ex.part(part).Node);
    const int chi = signature.Count;
    const int zna = signature.Unit;
    const CanvasFont saved = d.canvas.font();
    d.canvas.setFont(CanvasFont {"Times New Roman", 12, true, false, d.parms.ColorSize});
    const int tx = x + 2 * d.parms.STEP_SIGN;
    d.canvas.text(tx, top + d.parms.OFFSET_SIZE_CONSTANT, std::to_string(chi));
    d.canvas.text(tx, top + d.parms.OFFSET_SIZE_CONSTANT + 14, std::to_string(zna / 2));
    d.canvas.setFont(saved);
}

} // namespace

std::string KeyName(const Tonality &tonality, bool english)
{
    const int major = tonality.type == 1 ? 3 : 0;
    const bool flats = tonality.val >= 1;
    const int raw = flats ? 5 * tonality.val + major : -7 * tonality.val + major;
    const KeyLetter &letter = KeyLetters[static_cast<std::size_t>(((raw % 12) + 12) % 12)];
    std::string name = flats ? letter.flat : letter.sharp;
    if (english) {
        // The German letters of the built-in names: B is B flat, H is B.
        std::string note(1, name[0]);
        if (note == "B")
            note = "B\u266D";
        else if (note == "H")
            note = "B";
        if (letter.marked)
            note += flats ? "\u266D" : "\u266F";
        return note + (tonality.type == 1 ? " major" : " minor");
    }
    if (letter.marked)
        name += flats ? " bemol " : " diez ";
    return name + (tonality.type == 1 ? "dur" : "moll");
}

void DrawRowHeader(StaffDrawing &d, int part, int row, bool firstSystem)
{
    const MParms &p = d.parms;
    const int system = SystemOfRow(row);
    const int indent = firstSystem ? p.ADDITION_LEFT_OFFSET : 0;
    const int x0 = p.FREE_LEFT + indent;
    const int top = StaffTop(d, system, 0);

    d.canvas.bitmap(p.LEFT_LECALA_START + indent, top - 3, *p.BraceUp, false);
    d.canvas.bitmap(p.LEFT_LECALA_START + indent, top - 3 + p.BraceUp->height() - 1, *p.BraceDown, false);

    d.canvas.setPen(p.ColorLine, 1);
    for (int k = 0; k <= d.ex.LastStaff; ++k) {
        for (int i = 0; i < 5; ++i) {
            const int y = StaffTop(d, system, k) + i * p.STEP_LINE;
            d.canvas.line(x0, y, p.RightEdge, y);
        }
    }
    DrawBarLine(d, x0, row, 1);

    const Tonality &tonality = d.ex.part(part).Tonality;
    for (int k = 0; k <= d.ex.LastStaff; ++k) {
        const int staffTop = StaffTop(d, system, k);
        const int clef = clefOf(d.ex, part, k);
        drawClef(d, clef, x0 + p.STEP_NOTE / 4, staffTop);
        int x = x0 + p.STEP_NOTE / 4 + 20;
        x = drawKeySignature(d, clef, tonality, x, staffTop);
        if (firstSystem && k == 0)
            drawKeyName(d, tonality, staffTop);
        if (firstSystem)
            drawTimeSignature(d, part, x, staffTop);
    }
}

void DrawPartSeparator(StaffDrawing &d, int row)
{
    const MParms &p = d.parms;
    // Halfway between the stems of the text row above, which end some STEP_LINE above the gap,
    // and the key name.
    const int nameTop = StaffTop(d, SystemOfRow(row), 0) - KeyNameRise;
    const int y = nameTop - (PartGap(p) - KeyNameRise + p.STEP_LINE) / 2;
    d.canvas.setPen(SeparatorColor, 1);
    d.canvas.line(15, y, p.RightEdge, y);
}

void DrawBarLine(StaffDrawing &d, int x, int row, int width)
{
    const int system = SystemOfRow(row);
    const int top = StaffTop(d, system, 0);
    const int bottom = StaffTop(d, system, d.ex.LastStaff) + 4 * d.parms.STEP_LINE;
    d.canvas.setPen(d.parms.ColorLine, 1);
    for (int i = 0; i < width; ++i)
        d.canvas.line(x + i, top, x + i, bottom + 1);
}

} // namespace pw
