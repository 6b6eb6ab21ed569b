#include "entry/play_table.h"

#include "document/exercise_nodes.h"

#include "document/measure_index.h"
#include "document/xml_access.h"
#include "platform/text_format.h"
#include "platform/ui.h"

#include <algorithm>

namespace pw {

namespace {

// The slots the part's measures fill: the time signature times the number of measures, or, for a
// part without a usable time signature, the measures' own durations.
long long measureSlots(XmlNode part, const Tacts &tacts, int unit)
{
    const NSize signature = TimeSignature(part);
    const long long chi = signature.Count;
    const long long zna = signature.Unit;
    if (zna > 0)
        return unit * chi * tacts.TactCount / zna;
    long long slots = 0;
    for (int t = 0; t < tacts.TactCount; ++t) {
        const NSize &measure = tacts.TactSize[static_cast<std::size_t>(t)];
        if (measure.Unit > 0)
            slots += static_cast<long long>(measure.Count) * unit / measure.Unit;
    }
    return slots;
}

// The note's length in slots of 1/unit.
int slotsOf(XmlNode note, int unit)
{
    const int length = NoteLength(note);
    int slots = length == 0 ? 2 * unit : unit / length;
    // Dotted as everywhere else (P above 0), so the sound keeps to the measures drawn.
    if (IsDotted(note))
        slots += slots / 2;
    // A malformed length (finer than the unit, negative) still takes a slot: the voice never stands
    // still or runs back.
    return std::max(slots, 1);
}

} // namespace

int MidiFromPitch(int high, Tonality key)
{
    if (high < 0)
        return NoPlayNote;
    int shift = 5 * key.val - 12 * (5 * key.val / 12);
    if (key.val < 0)
        shift += 12;
    const int midi = high + (key.type == 1 ? 3 : 0) + shift + 21;
    return midi <= 127 ? midi : NoPlayNote;
}

std::optional<PlayTable> BuildPlayTable(const HarExercis &ex, int part, Ui &ui)
{
    if (part < 0 || part >= ex.PartCount())
        return std::nullopt;
    const ExercisePart &shown = ex.part(part);
    const Tacts &tacts = shown.Tacts;
    if (tacts.TactCount <= 0)
        return std::nullopt;

    XmlNode partNode = shown.Node;
    int unit = TimeSignature(partNode).Unit;
    for (int t = 0; t < tacts.TactCount; ++t)
        unit = std::max(unit, tacts.TactSize[static_cast<std::size_t>(t)].Unit);
    PlayRow empty;
    empty.fill(NoPlayNote);
    const long long rows = std::max(measureSlots(partNode, tacts, unit), 0LL) + 1;
    PlayTable table(static_cast<std::size_t>(rows), empty);

    for (int h = 0; h < 4; ++h) {
        XmlNode voice = NoteVoice(partNode, h);
        long long slot = 0;
        int index = 0;
        for (XmlNode note : NotesOf(voice)) {
            ++index;
            const int midi = MidiFromPitch(NotePitch(note), shown.Tonality);
            table[static_cast<std::size_t>(slot)][static_cast<std::size_t>(h)] = midi;
            slot += slotsOf(note, unit);
            if (slot >= rows) {
                ui.message("Ошибка",
                           FormatText("часть %1, голос H=%2, нота %3: звучит после конца части",
                                      {std::to_string(part + 1), std::to_string(h), std::to_string(index)}));
                break;
            }
            table[static_cast<std::size_t>(slot)][static_cast<std::size_t>(h) + 4] = midi;
        }
    }
    return table;
}

} // namespace pw
