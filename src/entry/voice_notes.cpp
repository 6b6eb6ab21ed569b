#include "entry/voice_notes.h"

#include "document/exercise_nodes.h"

namespace pw {

VoiceNotes::VoiceNotes(HarExercis &ex, int part, int voice)
    : m_tacts(ex.part(part).Tacts)
{
    XmlNode partNode = ex.part(part).Node;
    m_slot = ex.part(part).Tacts.VoiceSlot(partNode, voice, "");
    m_voice = NoteVoice(partNode, voice);
    if (!m_voice)
        m_voice = AppendNoteVoice(partNode, voice);
    for (XmlNode note : NotesOf(m_voice))
        m_notes.push_back(note);
}

XmlNode VoiceNotes::at(int index) const
{
    return index >= 0 && index < count() ? m_notes[static_cast<std::size_t>(index)] : XmlNode();
}

int VoiceNotes::measuresWithNotes() const
{
    return static_cast<int>(m_tacts.TactEnd[static_cast<std::size_t>(m_slot)].size());
}

int VoiceNotes::firstOf(int tact) const
{
    return m_tacts.FirstNoteOf(m_slot, tact);
}

int VoiceNotes::countIn(int tact) const
{
    const auto &ends = m_tacts.TactEnd[static_cast<std::size_t>(m_slot)];
    if (tact < 0 || tact >= static_cast<int>(ends.size()))
        return 0;
    return ends[static_cast<std::size_t>(tact)] - firstOf(tact) + 1;
}

NSize VoiceNotes::sumThrough(int tact, int pos) const
{
    NSize sum;
    const int first = firstOf(tact);
    for (int i = first; i <= first + pos; ++i) {
        if (XmlNode note = at(i))
            sum.AddNote(note);
    }
    return sum;
}

} // namespace pw
