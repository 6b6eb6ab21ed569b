#include "panels/note_drill.h"

#include "document/timer_area.h"
#include "midi/midi_message.h"

#include <cstdlib>

namespace pw {

namespace {

constexpr int DrillVelocity = 50;
constexpr int AllNotesOff = 123;
// Clicks left of the keyboard but this close to the area's edge are not on the interval list.
constexpr int ListMargin = 9;
// Program numbers of the upper families pass 127; a MIDI data byte holds seven bits.
constexpr int ProgramMask = 0x7f;

} // namespace

NoteDrill::NoteDrill(TimerArea &task, Random &random, DrillHost &host)
    : m_task(task)
    , m_random(random)
    , m_host(host)
{
}

void NoteDrill::SetUp(const DrillSettings &settings)
{
    m_settings = settings;
    m_task.Iterations = settings.countNotes;
    m_task.Attempts = 0;
    m_task.Successes = 0;
    m_task.SecondsUsed = settings.countSeconds > 0 ? std::optional<int>(0) : std::nullopt;
    resetCountdown();
    m_waiting = false;
    m_started = false;
    m_message = DrillMessage::None;
    m_outcome = DrillOutcome::Open;
    m_marks.clear();
    m_played.clear();
}

void NoteDrill::SetArea(int width, int height)
{
    m_areaWidth = width;
    m_areaHeight = height;
}

void NoteDrill::SetPictureSizes(int keyboardWidth, int keyboardHeight, int staffWidth, int staffHeight)
{
    m_keyboardWidth = keyboardWidth;
    m_keyboardHeight = keyboardHeight;
    m_staffWidth = staffWidth;
    m_staffHeight = staffHeight;
}

bool NoteDrill::Ended() const
{
    return m_task.Iterations > 0 && m_task.Attempts >= m_task.Iterations;
}

void NoteDrill::resetCountdown()
{
    m_task.LimitMin = 0;
    m_task.LimitSec = m_settings.countSeconds;
    m_task.NormalizeTime();
}

void NoteDrill::silence()
{
    if (m_lastClicked)
        m_host.SendToOutputs(midi::NoteOff, *m_lastClicked + KeyIndexToMidi, DrillVelocity);
    m_host.SendToOutputs(midi::ControlChange, AllNotesOff, 0);
}

void NoteDrill::NextTask()
{
    // The series is over once every task is done.
    if (Ended())
        return;
    silence();
    m_host.Busy();
    m_taskNotes = MakeDrillTask(m_settings, m_instruments, m_random);
    m_found = {};
    m_wrong = 0;
    m_marks.clear();
    m_played.clear();
    m_nextStep = 0;
    m_outcome = DrillOutcome::Open;
    resetCountdown();
    m_task.Timer->setEnabled(true);
    m_started = true;
    ++m_serial;
    m_message = DrillMessage::Neutral;
    m_host.CountersChanged();
    m_host.Redraw();
    PlayNextStep();
    if (m_nextStep < m_taskNotes.steps.size())
        m_host.PlayStepLater();
    m_waiting = false;
}

void NoteDrill::PlayNextStep()
{
    if (m_nextStep >= m_taskNotes.steps.size())
        return;
    const std::vector<int> &step = m_taskNotes.steps[m_nextStep++];
    m_host.SendToOutputs(midi::ProgramChange, m_taskNotes.program & ProgramMask, 0);
    std::vector<int> sent;
    for (int key : step) {
        m_host.SendToOutputs(midi::NoteOn, key + KeyIndexToMidi, DrillVelocity);
        sent.push_back(key + KeyIndexToMidi);
    }
    m_played.push_back(std::move(sent));
}

void NoteDrill::MidiNote(int midiNote)
{
    if (Waiting()) {
        NextTask();
        return;
    }
    // The interval variants are answered by the interval's name alone.
    if (IsIntervalNameType(m_settings.type))
        return;
    checkKey(midiNote - KeyIndexToMidi);
}

void NoteDrill::Click(int x, int y)
{
    if (Waiting()) {
        NextTask();
        return;
    }
    if (IsIntervalNameType(m_settings.type)) {
        const std::optional<int> row = intervalRowAt(x, y);
        if (row && m_taskNotes.second && *row == std::abs(*m_taskNotes.second - m_taskNotes.first))
            succeed();
        return;
    }
    const std::optional<PictureHit> hit = hitAt(x, y);
    if (!hit)
        return;
    // A key clicked on the keyboard stops the one clicked before; the staff only adds its note.
    if (hit->onKeyboard)
        silence();
    m_lastClicked = hit->key;
    m_host.SendThroughNoteHandler(midi::NoteOn, hit->key + KeyIndexToMidi, DrillVelocity);
    checkKey(hit->key);
}

void NoteDrill::Continue()
{
    if (Waiting())
        NextTask();
}

void NoteDrill::Tick()
{
    if (Waiting() || !m_task.Timer->enabled())
        return;
    m_task.TickDown();
    m_host.CountersChanged();
    if (m_task.RunOut())
        TimeRunsOut();
}

void NoteDrill::TimeRunsOut()
{
    if (Waiting())
        return;
    m_task.CountAttempt(false);
    endTask(DrillMessage::TimeOut, DrillOutcome::TimeOut);
}

void NoteDrill::checkKey(int key)
{
    if (Waiting())
        return;
    if (IsBothNotesType(m_settings.type)) {
        bool matched = false;
        if (key == m_taskNotes.first)
            m_found[0] = matched = true;
        if (m_taskNotes.second && key == *m_taskNotes.second)
            m_found[1] = matched = true;
        if (!matched) {
            wrongAnswer(key);
            return;
        }
        m_marks.push_back({key, DrillGreen});
        m_host.Redraw();
        if (m_found[0] && m_found[1])
            succeed();
        return;
    }
    const bool secondAsked = m_settings.type == 13 || m_settings.type == 14;
    const int expected = secondAsked && m_taskNotes.second ? *m_taskNotes.second : m_taskNotes.first;
    if (key == expected)
        succeed();
    else
        wrongAnswer(key);
}

void NoteDrill::succeed()
{
    m_task.CountAttempt(true);
    endTask(DrillMessage::Success, DrillOutcome::Success);
}

void NoteDrill::wrongAnswer(int key)
{
    ++m_wrong;
    // A click is judged twice (through the note road and directly), a key once: half the count
    // against the attempts allowed makes three clicks or five keys use up three attempts.
    if (m_wrong <= 2 * (m_settings.countAttempts - 1)) {
        m_message = DrillMessage::Neutral;
        m_marks.push_back({key, DrillRed});
        m_host.Redraw();
        return;
    }
    // The task ends unsuccessful, and counts so: otherwise a task given up would vanish from the
    // score and the series would never reach its end.
    m_task.CountAttempt(false);
    endTask(DrillMessage::Exhausted, DrillOutcome::Exhausted);
}

void NoteDrill::endTask(DrillMessage message, DrillOutcome outcome)
{
    m_task.Timer->setEnabled(false);
    m_waiting = true;
    m_outcome = outcome;
    m_message = message;
    markTaskNotes();
    m_host.CountersChanged();
    m_host.Redraw();
    if (Ended())
        m_host.SeriesEnded();
}

void NoteDrill::markTaskNotes()
{
    const std::optional<int> hint = HintKey();
    if (hint != m_taskNotes.first)
        m_marks.push_back({m_taskNotes.first, DrillGreen});
    if (m_taskNotes.second && hint != *m_taskNotes.second)
        m_marks.push_back({*m_taskNotes.second, DrillGreen});
}

std::optional<int> NoteDrill::HintKey() const
{
    if (!IsHintedType(m_settings.type) || !m_started)
        return std::nullopt;
    if (m_settings.type <= 14)
        return m_taskNotes.first;
    return m_taskNotes.second;
}

std::optional<int> NoteDrill::CorrectRow() const
{
    if (!IsIntervalNameType(m_settings.type) || m_outcome == DrillOutcome::Open || !m_taskNotes.second)
        return std::nullopt;
    return std::abs(*m_taskNotes.second - m_taskNotes.first);
}

std::optional<PixelRect> NoteDrill::KeyboardRect() const
{
    if (m_keyboardWidth <= 0 || m_keyboardHeight <= 0)
        return std::nullopt;
    return PixelRect {PicturePosition(m_settings.keyboardLeft, m_areaWidth, m_keyboardWidth),
                      PicturePosition(m_settings.keyboardTop, m_areaHeight, m_keyboardHeight),
                      m_keyboardWidth, m_keyboardHeight};
}

std::optional<PixelRect> NoteDrill::StaffRect() const
{
    if (m_staffWidth <= 0 || m_staffHeight <= 0)
        return std::nullopt;
    return PixelRect {PicturePosition(m_settings.staffLeft, m_areaWidth, m_staffWidth),
                      PicturePosition(m_settings.staffTop, m_areaHeight, m_staffHeight), m_staffWidth,
                      m_staffHeight};
}

int NoteDrill::MessageLineY() const
{
    if (const std::optional<PixelRect> keyboard = KeyboardRect())
        return keyboard->bottom() + keyboard->height / 4;
    if (const std::optional<PixelRect> staff = StaffRect())
        return staff->bottom() + staff->height / 4;
    return m_areaHeight / 2;
}

int NoteDrill::IntervalRowHeight() const
{
    return std::max(1, m_areaHeight / m_settings.intervalCount);
}

std::optional<int> NoteDrill::intervalRowAt(int x, int y) const
{
    const std::optional<PixelRect> keyboard = KeyboardRect();
    const int listRight = keyboard ? keyboard->left : m_areaWidth;
    if (x >= listRight || x <= ListMargin || y < 0)
        return std::nullopt;
    return y / IntervalRowHeight() + 1;
}

std::optional<NoteDrill::PictureHit> NoteDrill::hitAt(int x, int y) const
{
    if (IsIntervalNameType(m_settings.type))
        return std::nullopt;
    if (const std::optional<PixelRect> keyboard = KeyboardRect(); keyboard && keyboard->contains(x, y)) {
        const std::optional<int> key
            = KeyboardGeometry(m_keyboardWidth, m_keyboardHeight, m_settings.keyboardCount)
                  .KeyAt(x - keyboard->left, y - keyboard->top);
        return key ? std::optional<PictureHit>({*key, true}) : std::nullopt;
    }
    if (const std::optional<PixelRect> staff = StaffRect(); staff && staff->contains(x, y)) {
        const StaffGeometry geometry(m_settings, m_staffWidth, m_staffHeight);
        if (const std::optional<int> column = geometry.ColumnAt(x - staff->left))
            return PictureHit {geometry.KeyOfColumn(*column), false};
    }
    return std::nullopt;
}

bool NoteDrill::Clickable(int x, int y) const
{
    if (IsIntervalNameType(m_settings.type)) {
        const std::optional<int> row = intervalRowAt(x, y);
        return row && *row <= m_settings.intervalCount;
    }
    return hitAt(x, y).has_value();
}

} // namespace pw
