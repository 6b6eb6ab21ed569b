#pragma once

#include "midi/midi_devices.h"
#include "midi/midi_trace.h"

#include <functional>
#include <mutex>
#include <vector>

namespace pw {

class HarExercis;

// What the main window tells the note road about the lesson in hand.
struct RoutingState
{
    bool harmonyShown = false;
    bool drillShown = false;
    bool paused = false;
    bool soundOn = false;
    bool videoActive = false;
    bool drillPaused = false;
};

// The one road of every note event, played on a MIDI keyboard, typed on the computer keyboard or
// clicked on the on-screen piano: trace, echo to the selected outputs, then note entry or the
// drill. One message at a time, under the note lock.
class NoteRouter
{
public:
    NoteRouter(TMidiOutput &outputs, MidiTrace &trace, std::mutex &lock, HarExercis &exercise);

    void NoteHandler(int device, int status, int data1, int data2);

    // One flag per output device: echo goes to the selected ones.
    std::vector<bool> OutputSelected;
    std::function<RoutingState()> state;
    // A note-on for the harmony exercise (insert, advance, repaint) and for the note-naming drill.
    std::function<void(int note)> harmonyNote;
    std::function<void(int note)> drillNote;

private:
    TMidiOutput &m_outputs;
    MidiTrace &m_trace;
    std::mutex &m_lock;
    HarExercis &m_exercise;
};

} // namespace pw
