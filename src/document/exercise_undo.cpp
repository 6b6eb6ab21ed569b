// Saving, and the undo ring of nine whole-document snapshots.

#include "document/har_exercis.h"
#include "document/xml_file.h"

namespace pw {

void HarExercis::SaveExercise(const std::filesystem::path &fileName) const
{
    SaveXmlFile(*Doc, fileName);
}

std::filesystem::path HarExercis::SnapshotPath(int slot) const
{
    return m_undoFolder / ("mus" + std::to_string(slot));
}

void HarExercis::SaveSnapshot()
{
    const int k = (UndoTop + 1) % UndoSlotCount;
    const auto slot = static_cast<std::size_t>(k);
    const bool hasPart = CurPart >= 0 && CurPart < PartCount;
    const auto p = static_cast<std::size_t>(hasPart ? CurPart : 0);
    UndoTact[slot] = hasPart ? PartCurTact[p] : 0;
    UndoPos[slot] = hasPart ? PartCurPos[p] : 0;
    UndoVoice[slot] = hasPart ? PartCurVoice[p] : -1;
    UndoPart[slot] = CurPart;
    SaveXmlFile(*Doc, SnapshotPath(k));
    UndoState[slot] = 2;
}

void HarExercis::PushUndoStep(const std::string &name)
{
    UndoTop = (UndoTop + 1) % UndoSlotCount;
    UndoMessages[static_cast<std::size_t>(UndoTop)] = name;
    UndoState[static_cast<std::size_t>(UndoTop)] = 0;
}

bool HarExercis::CanUndo() const
{
    return UndoTop >= 0 && UndoState[static_cast<std::size_t>(UndoTop)] == 0;
}

void HarExercis::Undo()
{
    if (CanUndo()) {
        const auto slot = static_cast<std::size_t>(UndoTop);
        // A snapshot that cannot be read is kept registered, so nothing is lost by trying.
        if (!LoadExercise(SnapshotPath(UndoTop).string(), nullptr, true))
            return;
        CurPart = UndoPart[slot];
        if (CurPart >= 0 && CurPart < PartCount) {
            const auto p = static_cast<std::size_t>(CurPart);
            PartCurTact[p] = UndoTact[slot];
            PartCurPos[p] = UndoPos[slot];
            PartCurVoice[p] = UndoVoice[slot];
        }
        UpdateCurrentLength();
        UndoState[slot] = 1;
        --UndoTop;
    }
    const auto last = static_cast<std::size_t>(UndoSlotCount - 1);
    if (UndoTop == -1 && !UndoMessages[last].empty() && UndoState[last] == 0)
        UndoTop = UndoSlotCount - 1;
}

// Slots registered for an earlier exercise must never be restored: their snapshots need not
// hold the parts drawn now. A working-mode load therefore empties every slot, so the wrap of
// Undo only ever reaches steps of the exercise in hand.
void HarExercis::forgetUndoSteps()
{
    UndoMessages.fill({});
    UndoState.fill(0);
}

} // namespace pw
