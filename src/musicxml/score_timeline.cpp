#include "musicxml/score_timeline.h"

#include "document/exercise_nodes.h"

#include <algorithm>
#include <array>

namespace pw {

namespace {

// Every written value, longest first: a dotted value lies between its plain one and the next.
const std::array<NoteValue, 17> &valuesLongestFirst()
{
    static const std::array<NoteValue, 17> values = [] {
        std::array<NoteValue, 17> all {};
        std::size_t i = 0;
        for (int length = 1; length <= TicksPerUnit; length *= 2) {
            if (length <= TicksPerUnit / 2)
                all[i++] = {length, true};
            all[i++] = {length, false};
        }
        return all;
    }();
    return values;
}

int ticksOf(int count, int unit)
{
    return unit > 0 && TicksPerUnit % unit == 0 ? count * (TicksPerUnit / unit) : 0;
}

} // namespace

int ValueTicks(const NoteValue &value)
{
    return NoteTicks(value.length, value.dotted);
}

int NoteTicks(int length, bool dotted)
{
    if (length <= 0 || TicksPerUnit % length != 0)
        return 0;
    const int plain = TicksPerUnit / length;
    return dotted ? plain + plain / 2 : plain;
}

std::vector<NoteValue> ValuesOf(int ticks)
{
    std::vector<NoteValue> values;
    for (const NoteValue &value : valuesLongestFirst()) {
        const int size = ValueTicks(value);
        while (size > 0 && ticks >= size) {
            values.push_back(value);
            ticks -= size;
        }
    }
    return values;
}

int MeasureGrid::StartOf(int index) const
{
    if (index <= 0)
        return 0;
    return upbeat > 0 ? upbeat + (index - 1) * measure : index * measure;
}

int MeasureGrid::IndexAt(int tick) const
{
    if (upbeat > 0)
        return tick < upbeat ? 0 : 1 + (tick - upbeat) / measure;
    return tick / measure;
}

int MeasureGrid::CountFor(int end) const
{
    return end <= 0 ? 1 : IndexAt(end - 1) + 1;
}

MeasureGrid GridOf(XmlNode part)
{
    MeasureGrid grid;
    NSize signature = TimeSignature(part);
    if (signature.Count <= 0 || ticksOf(signature.Count, signature.Unit) <= 0)
        signature = NSize(4, 8);
    grid.measure = ticksOf(signature.Count, signature.Unit);
    // The file counts in breves: its unit 8 is the quarter, so a beat type is half its unit. A
    // time signature in breves is written as twice as many wholes.
    if (signature.Unit >= 2) {
        grid.beats = signature.Count;
        grid.beatType = signature.Unit / 2;
    } else {
        grid.beats = 2 * signature.Count;
        grid.beatType = 1;
    }
    const int upbeat = ticksOf(GetAttrInt(part, exercise_attr::FirstTactChi, 0),
                               GetAttrInt(part, exercise_attr::FirstTactZna, 0));
    if (upbeat > 0 && upbeat != grid.measure)
        grid.upbeat = upbeat;
    return grid;
}

std::vector<VoicePiece> PiecesOf(XmlNode voice, const MeasureGrid &grid)
{
    std::vector<VoicePiece> pieces;
    int tick = 0;
    for (XmlNode note : NotesOf(voice)) {
        const int ticks = NoteTicks(NoteLength(note), IsDotted(note));
        if (ticks <= 0)
            continue;
        const std::size_t firstPiece = pieces.size();
        const int end = tick + ticks;
        while (tick < end) {
            const int barEnd = std::min(end, grid.EndOf(grid.IndexAt(tick)));
            for (const NoteValue &value : ValuesOf(barEnd - tick)) {
                VoicePiece piece;
                piece.note = note;
                piece.start = tick;
                piece.value = value;
                piece.high = NotePitch(note);
                piece.rest = piece.high < 0;
                piece.first = pieces.size() == firstPiece;
                pieces.push_back(piece);
                tick += ValueTicks(value);
            }
        }
        // A note is tied across its pieces; rests are simply written one after another.
        if (pieces[firstPiece].rest)
            continue;
        for (std::size_t i = firstPiece; i < pieces.size(); ++i) {
            pieces[i].tieStop = i > firstPiece;
            pieces[i].tieStart = i + 1 < pieces.size();
        }
    }
    return pieces;
}

} // namespace pw
