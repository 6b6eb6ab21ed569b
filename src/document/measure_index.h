#pragma once

#include "document/note_size.h"
#include "document/xml_access.h"

#include <optional>
#include <string_view>
#include <unordered_map>
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
    // VoiceSlot of a Voice element of the part, by its H and Type; the element itself answers
    // whether the part has a voice of that number, so no other voice is looked at.
    int SlotOfVoice(XmlNode part, XmlNode voice);
    bool HasVoiceSlot(int voice, std::string_view type) const;
    // The slot of a slot identity, without creating anything.
    std::optional<int> FindSlot(int id) const;
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
    // Written by VoiceSlot only, which keeps the lookup of FindSlot beside it.
    std::vector<int> VoiceIds;
    // Per slot, the index of the last note of each measure, rising: the records of the last voice
    // of the slot that has notes.
    std::vector<std::vector<int>> TactEnd;
    int RowCount = 0;
    std::vector<bool> TactLineEnd;

private:
    void resizeMeasures(int n);
    int addSlot(int id);

    // Slot by identity, over the first m_indexed entries of VoiceIds.
    mutable std::unordered_map<int, int> m_slotOfId;
    mutable std::size_t m_indexed = 0;
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

// The Voice elements of a part and the notes of each slot by index, read once for one pass over
// the part (the analysis of its chords, the count of its errors, a repaint, an explanation)
// instead of walking the sibling lists from the start for every note. A slot's notes are read when
// first asked for; a pass that appends notes or changes lengths tells it (Appended,
// LengthsChanged). Voices appended to the part are found. It lives for one pass only: an edit,
// an undo or a load between passes is read afresh by the next one.
class PartNotes
{
public:
    explicit PartNotes(XmlNode part);
    PartNotes(const PartNotes &) = delete;
    PartNotes &operator=(const PartNotes &) = delete;

    XmlNode Part() const { return m_part; }
    // VoiceOfSlot: the slot-th Voice child of the part, or no node.
    XmlNode Voice(int slot);
    // The Note children of Voice(slot) in order (none without a voice).
    const std::vector<XmlNode> &Notes(int slot);
    // The note of that index, or no node.
    XmlNode Note(int slot, int index);
    // The index of a note among the notes of the slot, -1 when it is none of them.
    int IndexOf(int slot, XmlNode note);

    // The pass appended note to the slot's voice, or changed the length or dot of its notes.
    void Appended(int slot, XmlNode note);
    void LengthsChanged(int slot);

    // The duration of the slot's notes first through first + pos (indices past the last note add
    // nothing), summed note by note as AlignedNote sums them and kept for the next, longer sum.
    NSize DurationThrough(int slot, int first, int pos);

private:
    struct SlotNotes
    {
        bool read = false;
        XmlNode voice;
        std::vector<XmlNode> notes;
        bool indexed = false;
        std::unordered_map<const void *, int> index;
        // Running sums from a first note, by that note's index.
        std::unordered_map<int, std::vector<NSize>> sums;
    };
    SlotNotes *readSlot(int slot);

    XmlNode m_part;
    std::vector<XmlNode> m_voices;
    bool m_voicesStarted = false;
    std::vector<SlotNotes> m_slots;
    std::vector<XmlNode> m_none;
};

// The measure ends BuildTacts records for one voice that alone fills its slot, kept current while
// the voice grows note by note: after a change only the notes from the first changed one are
// summed again, so a pass that appends a note at a time pays for that note alone.
class VoiceMeasureEnds
{
public:
    // The part's time signature and upbeat, as BuildTacts reads them.
    explicit VoiceMeasureEnds(XmlNode part);
    // Makes ends (the slot's TactEnd) what BuildTacts would record for notes, of which those before
    // index from are as at the last call (from 0: all are read).
    void Update(const std::vector<XmlNode> &notes, int from, std::vector<int> &ends);

private:
    struct State
    {
        NSize measure;
        NSize sum;
        int tact = 0;
    };
    State m_start;
    int m_chi = 0;
    int m_zna = 0;
    // The state after each note read so far, and how the ends stand.
    std::vector<State> m_after;
    std::size_t m_complete = 0;
    bool m_partial = false;
};

// The index of the note of slot x that sounds at the end of the reference slot's note at (tact,
// pos), pos counted from the measure's first note; nothing when x has no such note.
std::optional<int> AlignedNote(XmlNode part, const Tacts &tacts, int refSlot, int tact, int pos, int slotX);
// The same over the notes of a pass.
std::optional<int> AlignedNote(PartNotes &notes, const Tacts &tacts, int refSlot, int tact, int pos,
                               int slotX);

} // namespace pw
