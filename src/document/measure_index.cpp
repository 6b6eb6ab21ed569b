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

int Tacts::VoiceSlot(XmlNode part, int voice, std::string_view type)
{
    const int id = SlotIdentity(voice, type);
    const auto found = std::find(VoiceIds.begin(), VoiceIds.end(), id);
    if (found != VoiceIds.end())
        return static_cast<int>(found - VoiceIds.begin());
    VoiceIds.push_back(id);
    TactEnd.emplace_back();
    if (id >= 0 && !SelectNode(part, "Voice[@H=" + std::to_string(id) + "]"))
        AddChild(part, "Voice", {"H", std::to_string(id)});
    return static_cast<int>(VoiceIds.size()) - 1;
}

bool Tacts::HasVoiceSlot(int voice, std::string_view type) const
{
    return std::find(VoiceIds.begin(), VoiceIds.end(), SlotIdentity(voice, type)) != VoiceIds.end();
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
        const int slot = tacts.VoiceSlot(part, GetAttrInt(voice, "H", 0), GetAttr(voice, "Type"));
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

namespace {

// The Note children of a voice, for index access.
std::vector<XmlNode> notesOf(XmlNode voice)
{
    std::vector<XmlNode> notes;
    for (XmlNode note : voice.children("Note"))
        notes.push_back(note);
    return notes;
}

} // namespace

std::optional<int> AlignedNote(XmlNode part, const Tacts &tacts, int refSlot, int tact, int pos, int slotX)
{
    const int slots = static_cast<int>(tacts.TactEnd.size());
    if (refSlot < 0 || refSlot >= slots || slotX < 0 || slotX >= slots || tact < 0)
        return std::nullopt;

    const std::vector<XmlNode> refNotes = notesOf(VoiceOfSlot(part, refSlot));
    const int refFirst = tacts.FirstNoteOf(refSlot, tact);
    NSize target;
    for (int i = refFirst; i <= refFirst + pos; ++i) {
        if (i >= 0 && i < static_cast<int>(refNotes.size()))
            target.AddNote(refNotes[static_cast<std::size_t>(i)]);
    }

    const auto &endsX = tacts.TactEnd[static_cast<std::size_t>(slotX)];
    if (static_cast<std::size_t>(tact) >= endsX.size())
        return std::nullopt;
    const std::vector<XmlNode> notesX = notesOf(VoiceOfSlot(part, slotX));
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
