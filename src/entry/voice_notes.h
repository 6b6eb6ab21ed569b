#pragma once

#include "document/har_exercis.h"
#include "document/note_size.h"

#include <vector>

namespace pw {

// The notes of one note voice of a part as note entry sees them: by absolute index and by
// measure, through the part's measure index.
class VoiceNotes
{
public:
    // The voice element is created when the part lacks it (as the measure index does).
    VoiceNotes(HarExercis &ex, int part, int voice);

    XmlNode element() const { return m_voice; }
    int slot() const { return m_slot; }
    int count() const { return static_cast<int>(m_notes.size()); }
    XmlNode at(int index) const;

    // Measures in which the voice has notes.
    int measuresWithNotes() const;
    int firstOf(int tact) const;
    int countIn(int tact) const;
    // The running length of the measure's notes through position pos (missing notes count 0).
    NSize sumThrough(int tact, int pos) const;

private:
    const Tacts &m_tacts;
    XmlNode m_voice;
    int m_slot;
    std::vector<XmlNode> m_notes;
};

} // namespace pw
