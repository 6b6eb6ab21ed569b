#include "document/har_exercis.h"

#include "platform/error.h"
#include "platform/file_paths.h"

#include <algorithm>

namespace pw {

namespace {

std::filesystem::path undoParent(const std::filesystem::path &dataDir)
{
    const std::filesystem::path inData = dataDir / "xml" / "undo";
    return IsWritableCourse(dataDir) && IsWritableFolder(inData) ? inData : UserDataFolder() / "xml" / "undo";
}

} // namespace

HarExercis::HarExercis(Ui &ui, Random &random, std::filesystem::path dataDir)
    : Doc(std::make_unique<pugi::xml_document>())
    , m_ui(ui)
    , m_random(random)
    , m_dataDir(std::move(dataDir))
    , m_undoFolder(undoParent(m_dataDir))
{
}

ExercisePart &HarExercis::part(int index)
{
    if (index < 0 || index >= PartCount())
        throw RangeError("Part index " + std::to_string(index) + " is outside 0.."
                         + std::to_string(PartCount() - 1));
    return Parts[static_cast<std::size_t>(index)];
}

const ExercisePart &HarExercis::part(int index) const
{
    return const_cast<HarExercis *>(this)->part(index);
}

ExercisePart &HarExercis::AppendPart(XmlNode node, int order)
{
    ExercisePart &added = Parts.emplace_back();
    added.Node = node;
    added.Order = order;
    return added;
}

int HarExercis::CurrentVoice() const
{
    return HasCurrentPart() ? current().CurVoice : -1;
}

void HarExercis::SetLength(int length, int dot)
{
    CurLength = length;
    CurDot = dot;
}

void HarExercis::UpdateCurrentLength()
{
    if (HasDefaultLength && HasCurrentPart()) {
        ExercisePart &p = current();
        const int slot = p.Tacts.VoiceSlot(p.Node, p.LengthVoice, "");
        const auto &ends = p.Tacts.TactEnd[static_cast<std::size_t>(slot)];
        const int tact = p.CurTact;
        const int first = tact > 0 && static_cast<std::size_t>(tact - 1) < ends.size()
            ? ends[static_cast<std::size_t>(tact - 1)] + 1
            : (tact > 0 ? -1 : 0);
        if (first >= 0) {
            const int n = first + p.CurPos;
            int i = 0;
            for (XmlNode note : VoiceOfSlot(p.Node, slot).children("Note")) {
                if (i++ == n) {
                    CurLength = GetAttrInt(note, "Long", 0);
                    CurDot = GetAttrInt(note, "P", 0);
                    break;
                }
            }
        }
    }
    if (CurLength == 0)
        CurLength = 8;
}

std::optional<int> HarExercis::AlignedNote(int refSlot, int tact, int pos, int slotX) const
{
    if (!HasCurrentPart())
        return std::nullopt;
    const ExercisePart &p = current();
    return pw::AlignedNote(p.Node, p.Tacts, refSlot, tact, pos, slotX);
}

void HarExercis::AddListener(ExerciseListener &listener)
{
    m_listeners.push_back(&listener);
}

void HarExercis::RemoveListener(ExerciseListener &listener)
{
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), &listener), m_listeners.end());
}

void HarExercis::NotifyChanged(ExerciseChange kind, int part)
{
    // A listener may add or remove listeners (a panel made or freed): walk a copy.
    const std::vector<ExerciseListener *> listeners = m_listeners;
    for (ExerciseListener *listener : listeners) {
        if (std::find(m_listeners.begin(), m_listeners.end(), listener) != m_listeners.end())
            listener->ExerciseChanged(kind, part);
    }
}

} // namespace pw
