#pragma once

// The note-naming drill without its widgets: the task in hand, the answers judged, the countdown
// and the score in the task record, and what the drawing area is to show. The panel and the
// command line both drive it; what it needs done goes through DrillHost.

#include "panels/drill_geometry.h"
#include "panels/drill_settings.h"
#include "panels/drill_task.h"
#include "platform/canvas.h"

#include <array>
#include <optional>
#include <vector>

namespace pw {

class Random;
class TimerArea;

class DrillHost
{
public:
    virtual ~DrillHost() = default;
    // A message for every selected output, the software synthesizer included.
    virtual void SendToOutputs(int status, int data1, int data2) = 0;
    // A clicked note goes the way of a MIDI key (device 1): echoed to the outputs, traced, and
    // handed back to MidiNote.
    virtual void SendThroughNoteHandler(int status, int data1, int data2) = 0;
    // PlayNextStep is due in a second.
    virtual void PlayStepLater() = 0;
    // The drawing area is to show the drill's state anew; a hint follows a little later.
    virtual void Redraw() = 0;
    virtual void CountersChanged() = 0;
    // The last task is done: the result with the mark.
    virtual void SeriesEnded() = 0;
    // The wait cursor for a moment while a task is drawn.
    virtual void Busy() { }
};

enum class DrillMessage { None, Neutral, TimeOut, Success, Exhausted };
enum class DrillOutcome { Open, Success, Exhausted, TimeOut };

inline constexpr Color DrillGreen = MakeColor(0, 160, 0);
inline constexpr Color DrillRed = MakeColor(220, 0, 0);
inline constexpr Color DrillHintColor = MakeColor(0, 90, 220);

struct NoteMark
{
    int key;
    Color color;
};

class NoteDrill
{
public:
    NoteDrill(TimerArea &task, Random &random, DrillHost &host);

    // Reads the settings, the series of countNotes tasks from nothing; the first task waits for
    // Continue (or a click, or a key).
    void SetUp(const DrillSettings &settings);
    // The drawing area and the pictures' sizes (0 x 0 for a picture left out).
    void SetArea(int width, int height);
    void SetPictureSizes(int keyboardWidth, int keyboardHeight, int staffWidth, int staffHeight);
    void SetInstruments(const InstrumentChoice &instruments) { m_instruments = instruments; }
    const InstrumentChoice &Instruments() const { return m_instruments; }

    void NextTask();
    void PlayNextStep();
    // A note-on from the note road (MIDI keyboard or a click sent that way).
    void MidiNote(int midiNote);
    // A left-button release in the drawing area.
    void Click(int x, int y);
    // Space or the play button while a result is shown, or before the first task.
    void Continue();
    // One second of the task's countdown.
    void Tick();
    // The countdown ran out: the task is counted, unsuccessful, and the time-out message shown.
    void TimeRunsOut();

    // Between tasks (a result shown, or before the first): the next input starts a task.
    bool Waiting() const { return m_waiting || !m_started; }
    // A task's result is shown: the lesson's own pause, which Space or a click ends.
    bool ResultShown() const { return m_waiting; }
    bool Ended() const;
    // Counts the tasks begun, so that what was scheduled for one task is not done in the next.
    int TaskSerial() const { return m_serial; }
    const DrillSettings &Settings() const { return m_settings; }
    const DrillTask &Task() const { return m_taskNotes; }
    int WrongCount() const { return m_wrong; }
    DrillOutcome Outcome() const { return m_outcome; }
    DrillMessage Message() const { return m_message; }
    // The marks on the pictures since the task began, in the order drawn.
    const std::vector<NoteMark> &Marks() const { return m_marks; }
    // The note given in the hinted variants.
    std::optional<int> HintKey() const;
    // The interval row drawn green once the task is over (interval variants), 1-based.
    std::optional<int> CorrectRow() const;
    // The steps as they were sent, MIDI numbers.
    const std::vector<std::vector<int>> &Played() const { return m_played; }

    // Where the pictures and the message line are in the drawing area.
    std::optional<PixelRect> KeyboardRect() const;
    std::optional<PixelRect> StaffRect() const;
    int MessageLineY() const;
    int AreaWidth() const { return m_areaWidth; }
    int IntervalRowHeight() const;
    // Whether a click at (x, y) would be taken: over a picture's keys, or over the interval list.
    bool Clickable(int x, int y) const;

private:
    struct PictureHit
    {
        int key;
        bool onKeyboard;
    };
    std::optional<PictureHit> hitAt(int x, int y) const;
    std::optional<int> intervalRowAt(int x, int y) const;
    void silence();
    void checkKey(int key);
    void succeed();
    void wrongAnswer(int key);
    void endTask(DrillMessage message, DrillOutcome outcome);
    void markTaskNotes();
    void resetCountdown();

    TimerArea &m_task;
    Random &m_random;
    DrillHost &m_host;
    DrillSettings m_settings;
    InstrumentChoice m_instruments;
    int m_areaWidth = 0;
    int m_areaHeight = 0;
    int m_keyboardWidth = 0;
    int m_keyboardHeight = 0;
    int m_staffWidth = 0;
    int m_staffHeight = 0;

    DrillTask m_taskNotes;
    bool m_started = false;
    int m_serial = 0;
    bool m_waiting = false;
    std::array<bool, 2> m_found {};
    int m_wrong = 0;
    std::optional<int> m_lastClicked;
    std::size_t m_nextStep = 0;
    DrillMessage m_message = DrillMessage::None;
    DrillOutcome m_outcome = DrillOutcome::Open;
    std::vector<NoteMark> m_marks;
    std::vector<std::vector<int>> m_played;
};

} // namespace pw
