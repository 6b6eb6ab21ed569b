#pragma once

#include "entry/play_table.h"
#include "midi/midi_message.h"
#include "platform/tick_timer.h"

#include <array>
#include <vector>

namespace pw {

class HarExercis;
class TMidiOutput;
class Ui;

// Where playback sounds.
class PlaySink
{
public:
    virtual ~PlaySink() = default;
    // The sound switch; while it is off the table is walked silently.
    virtual bool SoundOn() const = 0;
    virtual void Send(int status, int data1, int data2) = 0;
};

// The selected MIDI outputs under the sound switch: the same outputs the note handler echoes to.
// The flags are read at every send, so a change of selection takes effect at once.
class SelectedOutputs : public PlaySink
{
public:
    SelectedOutputs(TMidiOutput &outputs, const std::vector<bool> &selected, const bool &soundOn)
        : m_outputs(outputs)
        , m_selected(selected)
        , m_soundOn(soundOn)
    {
    }
    bool SoundOn() const override { return m_soundOn; }
    void Send(int status, int data1, int data2) override;

private:
    TMidiOutput &m_outputs;
    const std::vector<bool> &m_selected;
    const bool &m_soundOn;
};

// The playback timer; the shell puts a QTimer behind it that calls PlayTick on every tick.
class PlayTimer : public TickTimer
{
public:
    virtual void setInterval(int ms) { m_interval = ms; }
    int interval() const { return m_interval; }

private:
    int m_interval = 0;
};

// Plays the current part of the exercise, all four voices in time, one play-table row per tick.
class ExercisePlayer
{
public:
    static constexpr int NoteOff = midi::NoteOff, NoteOn = midi::NoteOn, Velocity = 50;

    // tickMs is the interval of one row (MidiTemp of the notation parameters).
    ExercisePlayer(const HarExercis &ex, Ui &ui, PlayTimer &timer, PlaySink &sink, int tickMs);

    // The play button: stops a running playback, or starts the current part.
    void PlayToggle();
    // The timer's action: sends the next row, or stops after the last.
    void PlayTick();
    // Stops and switches off the notes still sounding; nothing happens when idle.
    void Stop();

    bool IsPlaying() const { return m_position >= 0; }
    // The index of the next row, -1 while idle.
    int Position() const { return m_position; }
    const PlayTable &Table() const { return m_table; }

private:
    void sendRow(const PlayRow &row);

    const HarExercis &m_ex;
    Ui &m_ui;
    PlayTimer &m_timer;
    PlaySink &m_sink;
    int m_tickMs;
    PlayTable m_table;
    int m_position = -1;
    // Per voice, the note sent on and not yet off.
    std::array<int, 4> m_sounding {NoPlayNote, NoPlayNote, NoPlayNote, NoPlayNote};
};

} // namespace pw
