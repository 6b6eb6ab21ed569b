#include "shell/note_router.h"

#include "document/har_exercis.h"
#include "midi/device_selection.h"
#include "midi/midi_message.h"

namespace pw {

NoteRouter::NoteRouter(TMidiOutput &outputs, MidiTrace &trace, std::mutex &lock, HarExercis &exercise)
    : m_outputs(outputs)
    , m_trace(trace)
    , m_lock(lock)
    , m_exercise(exercise)
{
}

void NoteRouter::NoteHandler(int device, int status, int data1, int data2)
{
    if (status == midi::ActiveSensing)
        return;
    const RoutingState now = state ? state() : RoutingState {};
    const bool noteOn = midi::IsNoteOn(status, data2);
    // A finished examination takes no more notes.
    if (now.harmonyShown && noteOn && !now.paused && m_exercise.IsExam && m_exercise.ExamState >= 0)
        return;

    std::lock_guard guard(m_lock);
    m_trace.Write(device, status, data1, data2);
    if (now.soundOn && !now.videoActive && !(now.drillShown && now.drillPaused))
        EchoToOutputs(m_outputs, OutputSelected, status, data1, data2);
    if (!noteOn || now.paused)
        return;
    if (now.harmonyShown && harmonyNote)
        harmonyNote(data1);
    else if (now.drillShown && drillNote)
        drillNote(data1);
}

} // namespace pw
