#include "entry/exercise_player.h"

#include "document/har_exercis.h"
#include "midi/device_selection.h"

namespace pw {

void SelectedOutputs::Send(int status, int data1, int data2)
{
    EchoToOutputs(m_outputs, m_selected, status, data1, data2);
}

ExercisePlayer::ExercisePlayer(const HarExercis &ex, Ui &ui, PlayTimer &timer, PlaySink &sink, int tickMs)
    : m_ex(ex)
    , m_ui(ui)
    , m_timer(timer)
    , m_sink(sink)
    , m_tickMs(tickMs)
{
}

void ExercisePlayer::PlayToggle()
{
    if (IsPlaying()) {
        Stop();
        return;
    }
    std::optional<PlayTable> table = BuildPlayTable(m_ex, m_ex.CurPart, m_ui);
    if (!table)
        return;
    m_table = std::move(*table);
    m_position = 0;
    m_timer.setInterval(m_tickMs);
    m_timer.setEnabled(true);
}

void ExercisePlayer::PlayTick()
{
    if (!IsPlaying())
        return;
    if (m_position >= static_cast<int>(m_table.size())) {
        Stop();
        return;
    }
    if (m_sink.SoundOn())
        sendRow(m_table[static_cast<std::size_t>(m_position)]);
    ++m_position;
}

void ExercisePlayer::Stop()
{
    if (!IsPlaying())
        return;
    m_position = -1;
    m_timer.setEnabled(false);
    // Sent even when the sound switch went off meanwhile: nothing may hang on from a stopped
    // playback, whether stopped early or left with a note that ran past the table's end.
    for (int &note : m_sounding) {
        if (note != NoPlayNote)
            m_sink.Send(NoteOff, note, Velocity);
        note = NoPlayNote;
    }
}

void ExercisePlayer::sendRow(const PlayRow &row)
{
    for (std::size_t h = 0; h < 4; ++h) {
        const int note = row[h + 4];
        if (note == NoPlayNote)
            continue;
        m_sink.Send(NoteOff, note, Velocity);
        if (m_sounding[h] == note)
            m_sounding[h] = NoPlayNote;
    }
    for (std::size_t h = 0; h < 4; ++h) {
        const int note = row[h];
        if (note == NoPlayNote)
            continue;
        m_sink.Send(NoteOn, note, Velocity);
        m_sounding[h] = note;
    }
}

} // namespace pw
