#include "document/har_exercis.h"

#include "platform/file_paths.h"

namespace pw {

HarExercis::HarExercis(Ui &ui, Random &random, std::filesystem::path dataDir)
    : Doc(std::make_unique<pugi::xml_document>())
    , m_ui(ui)
    , m_random(random)
    , m_dataDir(std::move(dataDir))
{
    m_undoFolder = m_dataDir / "xml" / "undo";
    if (!IsWritableFolder(m_undoFolder))
        m_undoFolder = UserDataFolder() / "xml" / "undo";
}

int HarExercis::CurrentVoice() const
{
    if (PartCount <= 0 || CurPart < 0 || CurPart >= static_cast<int>(PartCurVoice.size()))
        return -1;
    return PartCurVoice[static_cast<std::size_t>(CurPart)];
}

void HarExercis::SetLength(int length, int dot)
{
    CurLength = length;
    CurDot = dot;
}

void HarExercis::UpdateCurrentLength()
{
    if (HasDefaultLength && CurPart >= 0 && CurPart < PartCount) {
        const auto p = static_cast<std::size_t>(CurPart);
        XmlNode part = PartNodes[p];
        Tacts &tacts = PartTacts[p];
        const int slot = tacts.VoiceSlot(part, PartLengthVoice[p], "");
        const int tact = PartCurTact[p];
        const int first = tact > 0
                && static_cast<std::size_t>(tact - 1) < tacts.TactEnd[static_cast<std::size_t>(slot)].size()
            ? tacts.TactEnd[static_cast<std::size_t>(slot)][static_cast<std::size_t>(tact - 1)] + 1
            : (tact > 0 ? -1 : 0);
        if (first >= 0) {
            const int n = first + PartCurPos[p];
            int i = 0;
            for (XmlNode note : VoiceOfSlot(part, slot).children("Note")) {
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
    if (CurPart < 0 || CurPart >= PartCount)
        return std::nullopt;
    const auto p = static_cast<std::size_t>(CurPart);
    return pw::AlignedNote(PartNodes[p], PartTacts[p], refSlot, tact, pos, slotX);
}

} // namespace pw
