#pragma once

#include "document/note_size.h"
#include "document/xml_access.h"

#include <optional>
#include <string_view>
#include <vector>

namespace pw {

// Slot identities of voices that hold no notes of their own.
inline constexpr int AnalysisSlotId = -2; // Type "Def"
inline constexpr int TextSlotId = -1; // any other Type, in practice "TextNote"

// The measure index of one part: where each voice's measures end, each measure's duration, and
// (filled by the staff layout) where each measure sits on screen.
class Tacts
{
public:
    void ResetTacts();
    // The slot of (voice number, Type); a new slot is appended when missing, and a note voice that
    // the part lacks is created in the document.
    int VoiceSlot(XmlNode part, int voice, std::string_view type);
    bool HasVoiceSlot(int voice, std::string_view type) const;
    void SetTactCount(int n);
    void RecordTactEnd(int tact, const NSize &sum, int noteIndex, int slot);

    // Index of the first note of measure tact in slot, counted over the voice's notes.
    int FirstNoteOf(int slot, int tact) const;

    static int SlotIdentity(int voice, std::string_view type);

    int TactCount = 0;
    std::vector<int> TactX;
    std::vector<int> TactRow;
    std::vector<int> TactStep;
    std::vector<NSize> TactSize;
    std::vector<int> VoiceIds;
    std::vector<std::vector<int>> TactEnd;
    int RowCount = 0;
    std::vector<bool> TactLineEnd;

private:
    void resizeMeasures(int n);
};

// Rebuilds the index of a part from its notes: a measure closes when a voice fills it exactly.
void BuildTacts(XmlNode part, Tacts &tacts);

// The measure size the time signature gives measure tact (an upbeat for measure 0).
NSize NominalTactSize(XmlNode part, int tact);

// Voices of Type "" or "Notes" hold notes; "Def", "Text" and "TextNote" hold labels.
bool IsNoteVoiceType(std::string_view type);
bool IsNoteVoice(XmlNode voice);
// The part's first note voice with the given H, or no node.
XmlNode NoteVoice(XmlNode part, int voice);

// The Voice element of a slot: the slot-th Voice child of the part.
XmlNode VoiceOfSlot(XmlNode part, int slot);

// The index of the note of slot x that sounds at the end of the reference slot's note at (tact,
// pos), pos counted from the measure's first note; nothing when x has no such note.
std::optional<int> AlignedNote(XmlNode part, const Tacts &tacts, int refSlot, int tact, int pos, int slotX);

} // namespace pw
