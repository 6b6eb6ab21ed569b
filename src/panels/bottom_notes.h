#pragma once

// The lower panel of the note-naming drill: the task counters, the countdown and the instrument
// families, and the drill itself, which draws into the main window's drawing area.

#include "panels/drill_painting.h"
#include "panels/drill_pictures.h"
#include "panels/note_drill.h"

#include <QTimer>
#include <QWidget>

#include <array>
#include <filesystem>
#include <functional>

class QCheckBox;
class QLabel;

namespace pw {

class Localization;
class Random;
class TimerArea;

// What the panel asks of the main window.
struct NotesCallbacks
{
    // Every selected output, traced.
    std::function<void(int, int, int)> SendToOutputs;
    // The main window's MIDI-input handler (device, status, data1, data2).
    std::function<void(int, int, int, int)> NoteHandler;
    // The drawing area is to be painted anew (it calls Paint).
    std::function<void()> RepaintArea;
    // The last task is done.
    std::function<void()> ShowDrillResult;
};

class TBottomNotes : public QWidget, private DrillHost
{
public:
    TBottomNotes(TimerArea &task, Random &random, NotesCallbacks callbacks, QWidget *parent = nullptr);
    ~TBottomNotes() override;

    // Captions of the counters from "BottomQuest", of the check boxes, list and messages from
    // "NoteDrill". The texts must outlive the panel.
    void SetTexts(const Localization &texts);
    // The lesson's Parm element; pictures are read from dataDir/html. Raises the loader's error for
    // a picture that cannot be read.
    void SetUp(XmlNode parm, const std::filesystem::path &dataDir, BitmapLoader &loader, int areaWidth,
               int areaHeight);
    void SetAreaSize(int width, int height);

    void NextTask() { m_drill.NextTask(); }
    void MidiNote(int note) { m_drill.MidiNote(note); }
    void Click(int x, int y) { m_drill.Click(x, y); }
    void Continue() { m_drill.Continue(); }
    // One second of Timer1.
    void Tick() { m_drill.Tick(); }
    void RefreshCounters();
    // The drawing area's contents.
    void Paint(Canvas &canvas) const;
    bool Clickable(int x, int y) const { return m_drill.Clickable(x, y); }

    const NoteDrill &Drill() const { return m_drill; }

private:
    // DrillHost
    void SendToOutputs(int status, int data1, int data2) override;
    void SendThroughNoteHandler(int status, int data1, int data2) override;
    void PlayStepLater() override;
    void Redraw() override;
    void CountersChanged() override;
    void SeriesEnded() override;
    void Busy() override;

    void createCounters();
    void createFamilies();
    void familyToggled(bool on);
    void pianoOnlyToggled(bool on);
    void layoutControls();

    TimerArea &m_task;
    NotesCallbacks m_callbacks;
    NoteDrill m_drill;
    DrillTexts m_texts;
    LoadedDrillPictures m_pictures;
    QTimer m_stepTimer;
    QTimer m_hintTimer;
    int m_stepSerial = 0;
    // The task whose hint is due or shown.
    int m_hintSerial = -1;
    bool m_hintShown = false;

    struct Counter
    {
        QLabel *caption;
        QLabel *value;
    };
    std::array<Counter, 5> m_counters {};
    QLabel *m_time = nullptr;
    QLabel *m_soundsCaption = nullptr;
    std::array<QCheckBox *, FamilyCount> m_families {};
    QCheckBox *m_pianoOnly = nullptr;
    bool m_settingBoxes = false;
};

} // namespace pw
