#include "document/measure_index.h"

#include <algorithm>
#include <string>

namespace pw {

bool IsNoteVoiceType(std::string_view type)
{
    return type.empty() || type == "Notes";
}

bool IsNoteVoice(XmlNode voice)
{
    return IsNoteVoiceType(GetAttr(voice, "Type"));
}

XmlNode NoteVoice(XmlNode part, int voice)
{
    for (XmlNode v : part.children("Voice")) {
        if (IsNoteVoice(v) && GetAttrInt(v, "H", 0) == voice)
            return v;
    }
    return {};
}

int Tacts::SlotIdentity(int voice, std::string_view type)
{
    if (IsNoteVoiceType(type))
        return voice;
    return type == "Def" ? AnalysisSlotId : TextSlotId;
}

void Tacts::ResetTacts()
{
    TactCount = 0;
    RowCount = 0;
    for (auto &ends : TactEnd)
        ends.clear();
}

namespace {

// Whether the voice answers the path "Voice[@H=id]" by itself: its H, read as XPath reads a
// number, equals id.
bool numberedAs(XmlNode voice, int id)
{
    struct Query
    {
        pugi::xpath_variable_set variables;
        pugi::xpath_query query;
        Query()
            : query((variables.add("id", pugi::xpath_type_number), "@H = $id"), &variables)
        {
        }
    };
    thread_local Query numbered;
    numbered.variables.set("id", static_cast<double>(id));
    return numbered.query.evaluate_boolean(voice);
}

} // namespace

int Tacts::addSlot(int id)
{
    VoiceIds.push_back(id);
    TactEnd.emplace_back();
    return static_cast<int>(VoiceIds.size()) - 1;
}

std::optional<int> Tacts::FindSlot(int id) const
{
    if (m_indexed > VoiceIds.size()) {
        m_slotOfId.clear();
        m_indexed = 0;
    }
    for (; m_indexed < VoiceIds.size(); ++m_indexed)
        m_slotOfId.emplace(VoiceIds[m_indexed], static_cast<int>(m_indexed));
    const auto found = m_slotOfId.find(id);
    if (found == m_slotOfId.end())
        return std::nullopt;
    if (VoiceIds[static_cast<std::size_t>(found->second)] == id)
        return found->second;
    // VoiceIds was written behind VoiceSlot's back: look it up from the start again.
    m_slotOfId.clear();
    m_indexed = 0;
    const auto at = std::find(VoiceIds.begin(), VoiceIds.end(), id);
    if (at == VoiceIds.end())
        return std::nullopt;
    return static_cast<int>(at - VoiceIds.begin());
}

int Tacts::VoiceSlot(XmlNode part, int voice, std::string_view type)
{
    const int id = SlotIdentity(voice, type);
    if (const std::optional<int> found = FindSlot(id))
        return *found;
    const int slot = addSlot(id);
    if (id >= 0 && !SelectNode(part, "Voice[@H=" + std::to_string(id) + "]"))
        AddChild(part, "Voice", {"H", std::to_string(id)});
    return slot;
}

int Tacts::SlotOfVoice(XmlNode part, XmlNode voice)
{
    const int id = SlotIdentity(GetAttrInt(voice, "H", 0), GetAttr(voice, "Type"));
    if (const std::optional<int> found = FindSlot(id))
        return *found;
    const int slot = addSlot(id);
    const bool witness = voice && voice.parent() == part && std::string_view(voice.name()) == "Voice";
    if (id >= 0 && !(witness && numberedAs(voice, id))
        && !SelectNode(part, "Voice[@H=" + std::to_string(id) + "]"))
        AddChild(part, "Voice", {"H", std::to_string(id)});
    return slot;
}

bool Tacts::HasVoiceSlot(int voice, std::string_view type) const
{
    return FindSlot(SlotIdentity(voice, type)).has_value();
}

void Tacts::resizeMeasures(int n)
{
    const auto size = static_cast<std::size_t>(n);
    TactX.resize(size);
    TactRow.resize(size);
    TactStep.resize(size);
    TactSize.resize(size);
    TactLineEnd.resize(size);
}

void Tacts::SetTactCount(int n)
{
    resizeMeasures(n);
    TactCount = n;
    if (n > 0) {
        const auto last = static_cast<std::size_t>(n - 1);
        TactX[last] = TactRow[last] = TactStep[last] = 0;
        TactLineEnd[last] = false;
        TactSize[last] = NSize();
    }
}

void Tacts::RecordTactEnd(int tact, const NSize &sum, int noteIndex, int slot)
{
    auto &ends = TactEnd[static_cast<std::size_t>(slot)];
    ends.resize(static_cast<std::size_t>(tact) + 1);
    const auto t = static_cast<std::size_t>(tact);
    if (TactCount < tact + 1) {
        resizeMeasures(tact + 1);
        TactSize[t] = sum;
        TactX[t] = TactRow[t] = TactStep[t] = 0;
        TactLineEnd[t] = false;
        TactCount = tact + 1;
    }
    NSize &size = TactSize[t];
    if (size.Unit < sum.Unit) {
        size.Count = size.Unit == 0
            ? 0
            : static_cast<int>(static_cast<long long>(sum.Unit) * size.Count / size.Unit);
        size.Unit = sum.Unit;
    }
    if (size.Unit == sum.Unit)
        size.Count = std::max(size.Count, sum.Count);
    ends[t] = noteIndex;
}

int Tacts::FirstNoteOf(int slot, int tact) const
{
    if (tact <= 0)
        return 0;
    const auto &ends = TactEnd[static_cast<std::size_t>(slot)];
    const auto previous = static_cast<std::size_t>(tact - 1);
    return previous < ends.size() ? ends[previous] + 1 : (ends.empty() ? 0 : ends.back() + 1);
}

void BuildTacts(XmlNode part, Tacts &tacts)
{
    XmlNode size = part.child("Size");
    const int chi = GetAttrInt(size, "chi", 0);
    const int zna = GetAttrInt(size, "zna", 0);
    int firstChi = GetAttrInt(part, "FirstTactChi", 0);
    int firstZna = GetAttrInt(part, "FirstTactZna", 0);
    if (firstZna == 0) {
        firstChi = chi;
        firstZna = zna;
    }

    tacts.ResetTacts();
    for (XmlNode voice : part.children("Voice")) {
        NSize measure(firstChi, firstZna);
        NSize sum(0, firstZna);
        int tact = 0;
        const int slot = tacts.SlotOfVoice(part, voice);
        int index = 0;
        for (XmlNode note : voice.children("Note")) {
            sum.AddNote(note);
            if (sum.CompareTo(measure) == 0) {
                tacts.RecordTactEnd(tact, sum, index, slot);
                ++tact;
                sum = NSize(0, zna);
                measure = NSize(chi, zna);
            }
            ++index;
        }
        if (sum.Count > 0)
            tacts.RecordTactEnd(tact, sum, index - 1, slot);
    }
    if (tacts.TactCount == 0) {
        tacts.SetTactCount(1);
        tacts.TactLineEnd[0] = true;
        tacts.TactSize[0] = NSize(chi, zna);
    }
}

NSize NominalTactSize(XmlNode part, int tact)
{
    if (tact == 0 && GetAttrInt(part, "FirstTactZna", 0) != 0)
        return NSize(GetAttrInt(part, "FirstTactChi", 0), GetAttrInt(part, "FirstTactZna", 0));
    XmlNode size = part.child("Size");
    return NSize(GetAttrInt(size, "chi", 0), GetAttrInt(size, "zna", 0));
}

XmlNode VoiceOfSlot(XmlNode part, int slot)
{
    int i = 0;
    for (XmlNode voice : part.children("Voice")) {
        if (i++ == slot)
            return voice;
    }
    return {};
}

PartNotes::PartNotes(XmlNode part)
    : m_part(part)
{
}

XmlNode PartNotes::Voice(int slot)
{
    if (slot < 0 || !m_part)
        return {};
    const auto wanted = static_cast<std::size_t>(slot);
    // Voices are read up to the one asked for; a voice appended since the last read is found
    // after the last one read.
    while (m_voices.size() <= wanted) {
        XmlNode next;
        if (!m_voicesStarted) {
            next = m_part.child("Voice");
            m_voicesStarted = true;
        } else if (!m_voices.empty()) {
            next = m_voices.back().next_sibling("Voice");
        } else {
            next = m_part.child("Voice");
        }
        if (!next)
            return {};
        m_voices.push_back(next);
    }
    return m_voices[wanted];
}

PartNotes::SlotNotes *PartNotes::readSlot(int slot)
{
    const XmlNode voice = Voice(slot);
    if (!voice)
        return nullptr;
    const auto s = static_cast<std::size_t>(slot);
    if (m_slots.size() <= s)
        m_slots.resize(s + 1);
    SlotNotes &entry = m_slots[s];
    if (!entry.read || entry.voice != voice) {
        entry = SlotNotes();
        entry.read = true;
        entry.voice = voice;
        for (XmlNode note : voice.children("Note"))
            entry.notes.push_back(note);
    }
    return &entry;
}

const std::vector<XmlNode> &PartNotes::Notes(int slot)
{
    const SlotNotes *entry = readSlot(slot);
    return entry ? entry->notes : m_none;
}

XmlNode PartNotes::Note(int slot, int index)
{
    const std::vector<XmlNode> &notes = Notes(slot);
    return index >= 0 && index < static_cast<int>(notes.size()) ? notes[static_cast<std::size_t>(index)]
                                                                : XmlNode();
}

int PartNotes::IndexOf(int slot, XmlNode note)
{
    SlotNotes *entry = readSlot(slot);
    if (!entry || !note)
        return -1;
    if (!entry->indexed) {
        for (std::size_t i = 0; i < entry->notes.size(); ++i)
            entry->index.emplace(entry->notes[i].internal_object(), static_cast<int>(i));
        entry->indexed = true;
    }
    const auto found = entry->index.find(note.internal_object());
    return found == entry->index.end() ? -1 : found->second;
}

void PartNotes::Appended(int slot, XmlNode note)
{
    if (slot < 0 || static_cast<std::size_t>(slot) >= m_slots.size())
        return;
    SlotNotes &entry = m_slots[static_cast<std::size_t>(slot)];
    if (!entry.read)
        return;
    if (entry.indexed)
        entry.index.emplace(note.internal_object(), static_cast<int>(entry.notes.size()));
    entry.notes.push_back(note);
    entry.sums.clear();
}

void PartNotes::LengthsChanged(int slot)
{
    if (slot >= 0 && static_cast<std::size_t>(slot) < m_slots.size())
        m_slots[static_cast<std::size_t>(slot)].sums.clear();
}

NSize PartNotes::DurationThrough(int slot, int first, int pos)
{
    SlotNotes *entry = readSlot(slot);
    if (!entry || pos < 0 || first < 0)
        return NSize();
    const int count = static_cast<int>(entry->notes.size());
    // Indices past the last note add nothing.
    const int last = std::min(pos, count - 1 - first);
    if (last < 0)
        return NSize();
    std::vector<NSize> &sums = entry->sums[first];
    while (static_cast<int>(sums.size()) <= last) {
        NSize sum = sums.empty() ? NSize() : sums.back();
        sum.AddNote(entry->notes[static_cast<std::size_t>(first) + sums.size()]);
        sums.push_back(sum);
    }
    return sums[static_cast<std::size_t>(last)];
}

VoiceMeasureEnds::VoiceMeasureEnds(XmlNode part)
{
    XmlNode size = part.child("Size");
    m_chi = GetAttrInt(size, "chi", 0);
    m_zna = GetAttrInt(size, "zna", 0);
    int firstChi = GetAttrInt(part, "FirstTactChi", 0);
    int firstZna = GetAttrInt(part, "FirstTactZna", 0);
    if (firstZna == 0) {
        firstChi = m_chi;
        firstZna = m_zna;
    }
    m_start.measure = NSize(firstChi, firstZna);
    m_start.sum = NSize(0, firstZna);
}

void VoiceMeasureEnds::Update(const std::vector<XmlNode> &notes, int from, std::vector<int> &ends)
{
    auto kept = static_cast<std::size_t>(std::clamp(from, 0, static_cast<int>(m_after.size())));
    if (kept == 0) {
        ends.clear();
        m_complete = 0;
        m_partial = false;
    }
    m_after.resize(kept);
    // The unfinished last measure is recorded again below, and measures closed by a note that
    // changed are closed again or not.
    if (m_partial) {
        ends.pop_back();
        m_partial = false;
    }
    while (m_complete > 0 && ends[m_complete - 1] >= static_cast<int>(kept)) {
        ends.pop_back();
        --m_complete;
    }
    State state = kept > 0 ? m_after.back() : m_start;
    for (std::size_t i = kept; i < notes.size(); ++i) {
        state.sum.AddNote(notes[i]);
        if (state.sum.CompareTo(state.measure) == 0) {
            ends.push_back(static_cast<int>(i));
            ++m_complete;
            ++state.tact;
            state.sum = NSize(0, m_zna);
            state.measure = NSize(m_chi, m_zna);
        }
        m_after.push_back(state);
    }
    if (state.sum.Count > 0) {
        ends.push_back(static_cast<int>(notes.size()) - 1);
        m_partial = true;
    }
}

std::optional<int> AlignedNote(XmlNode part, const Tacts &tacts, int refSlot, int tact, int pos, int slotX)
{
    PartNotes notes(part);
    return AlignedNote(notes, tacts, refSlot, tact, pos, slotX);
}

std::optional<int> AlignedNote(PartNotes &notes, const Tacts &tacts, int refSlot, int tact, int pos,
                               int slotX)
{
    const int slots = static_cast<int>(tacts.TactEnd.size());
    if (refSlot < 0 || refSlot >= slots || slotX < 0 || slotX >= slots || tact < 0)
        return std::nullopt;

    const NSize target = notes.DurationThrough(refSlot, tacts.FirstNoteOf(refSlot, tact), pos);

    const auto &endsX = tacts.TactEnd[static_cast<std::size_t>(slotX)];
    if (static_cast<std::size_t>(tact) >= endsX.size())
        return std::nullopt;
    const std::vector<XmlNode> &notesX = notes.Notes(slotX);
    const int lastX = std::min(endsX[static_cast<std::size_t>(tact)], static_cast<int>(notesX.size()) - 1);

    NSize total;
    int aligned = -1;
    for (int i = tacts.FirstNoteOf(slotX, tact), scanned = 0; total.CompareTo(target) == 1; ++i, ++scanned) {
        if (i > lastX || scanned >= 33)
            return std::nullopt;
        total.AddNote(notesX[static_cast<std::size_t>(i)]);
        aligned = i;
    }
    if (aligned < 0)
        return std::nullopt;
    return aligned;
}

} // namespace pw
