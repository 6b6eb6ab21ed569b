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
    return m_undoFolder.path() / ("mus" + std::to_string(slot));
}

void HarExercis::SaveSnapshot()
{
    const int k = (UndoTop + 1) % UndoSlotCount;
    UndoStep &step = UndoSteps[static_cast<std::size_t>(k)];
    const bool hasPart = HasCurrentPart();
    step.Tact = hasPart ? current().CurTact : 0;
    step.Pos = hasPart ? current().CurPos : 0;
    step.Voice = hasPart ? current().CurVoice : -1;
    step.Part = CurPart;
    SaveXmlFile(*Doc, SnapshotPath(k));
    step.State = 2;
}

void HarExercis::PushUndoStep(const std::string &name)
{
    UndoTop = (UndoTop + 1) % UndoSlotCount;
    UndoStep &step = UndoSteps[static_cast<std::size_t>(UndoTop)];
    step.Message = name;
    step.State = 0;
}

bool HarExercis::CanUndo() const
{
    return UndoTop >= 0 && UndoSteps[static_cast<std::size_t>(UndoTop)].State == 0;
}

void HarExercis::Undo()
{
    bool restored = false;
    if (CanUndo()) {
        UndoStep &step = UndoSteps[static_cast<std::size_t>(UndoTop)];
        // A snapshot that cannot be read is kept registered, so nothing is lost by trying.
        if (!LoadExercise(SnapshotPath(UndoTop).string(), nullptr, true))
            return;
        CurPart = step.Part;
        if (HasCurrentPart()) {
            ExercisePart &p = current();
            p.CurTact = step.Tact;
            p.CurPos = step.Pos;
            p.CurVoice = step.Voice;
        }
        UpdateCurrentLength();
        step.State = 1;
        --UndoTop;
        restored = true;
    }
    const UndoStep &last = UndoSteps.back();
    if (UndoTop == -1 && !last.Message.empty() && last.State == 0)
        UndoTop = UndoSlotCount - 1;
    if (restored)
        NotifyChanged(ExerciseChange::Restored, CurPart);
}

// Slots registered for an earlier exercise must never be restored: their snapshots need not
// hold the parts drawn now. A working-mode load therefore empties every slot, so the wrap of
// Undo only ever reaches steps of the exercise in hand.
void HarExercis::forgetUndoSteps()
{
    for (UndoStep &step : UndoSteps) {
        step.Message.clear();
        step.State = 0;
    }
}

} // namespace pw
