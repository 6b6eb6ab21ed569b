// Start-up, the MIDI road and exit of the main window.

#include "shell/main_window.h"
#include "platform/qt_text.h"

#include "entry/exercise_player.h"
#include "entry/note_entry.h"
#include "harmony/definitor.h"
#include "harmony/exercise_check.h"
#include "midi/device_selection.h"
#include "midi/midi_message.h"
#include "midi/shared_midi.h"
#include "midi/soft_synth.h"
#include "panels/bottom_notes.h"
#include "panels/bottom_piano.h"
#include "panels/bottom_quest.h"
#include "platform/error.h"
#include "platform/file_paths.h"
#include "platform/program_ui.h"
#include "progress/progress_log.h"
#include "quest/quest_list.h"
#include "shell/course_trees.h"
#include "shell/dialog_placement.h"
#include "shell/midi_bridge.h"
#include "shell/midi_select_dialog.h"
#include "shell/no_midi_notice.h"
#include "shell/page_pane.h"
#include "shell/qt_tick_timer.h"
#include "shell/quest_view.h"
#include "shell/result_panel.h"
#include "shell/results_page.h"
#include "shell/staff_box.h"
#include "shell/video_pane.h"
#include "staff/mparms.h"
#include "staff/staff_cursor.h"

#include <QApplication>
#include <QCloseEvent>
#include <QScrollBar>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

namespace pw {

namespace {

constexpr const char *StartLesson = "xml\\Chromo-major-bemol.xml";
constexpr int LowerAreaHeight = 150;
constexpr int MenuMinimumWidth = 240;

} // namespace

// Note entry's view of the staff box: scrolling, the cursor and new layouts are repaints here.
class TForm1::StaffEntryView : public EntryView
{
public:
    StaffEntryView(HarExercis &exercise, MParms &parms, TStaffBox &box)
        : m_exercise(exercise)
        , m_parms(parms)
        , m_box(box)
    {
    }
    int CursorScrollRows() override { return pw::CursorScrollRows(m_exercise, m_parms); }
    void DrawCursor(bool) override { m_box.update(); }
    void RelayoutPart(int) override { m_box.update(); }

private:
    HarExercis &m_exercise;
    MParms &m_parms;
    TStaffBox &m_box;
};

TForm1::TForm1(Tdm tdm)
    : m_tdm(std::move(tdm))
    , m_ui(this)
{
    setObjectName("Form1");
    SetProgramUi(&m_ui);
}

TForm1::~TForm1()
{
    qApp->removeEventFilter(this);
    if (m_player)
        m_player->Stop();
    SharedMidiInput().OnShortMessage = nullptr;
    SharedMidiInput().OnSysEx = nullptr;
    // The lower panel listens to the exercise document, which the members own: it goes first,
    // before the members are destroyed and long before QWidget deletes the children.
    freeLowerPanel();
    // The 3D window's engine speaks through the window's Ui and draws with its Random.
    freeScene();
    SetProgramUi(nullptr);
}

bool TForm1::Start(const std::vector<std::string> &arguments)
{
    // The notation parameters come from the program's folder, before the command line is read.
    const std::filesystem::path programDir(m_tdm.ExeDir);
    try {
        m_parms = std::make_unique<MParms>(programDir, m_bitmaps, m_ui);
    } catch (const Error &e) {
        m_ui.message("Fatal error", e.what());
        return false;
    }
    if (!m_parms->DefaultLanguage.empty())
        m_tdm.Language = m_parms->DefaultLanguage;
    m_tdm.MenuName = m_parms->MenuName();

    const CommandLineResult line = ReadCommandLine(arguments, m_tdm);
    if (!line.ok) {
        m_ui.message("Fatal error", "Unknown parameter:" + line.unknownArgument);
        return false;
    }

    m_settings = std::make_unique<SettingsFile>(m_tdm.DataDir, m_ui, m_texts);
    m_texts.Load(m_tdm.DataDir, m_tdm.Language);
    // Chord labels, step names and key names on the staff speak the interface language.
    m_parms->Definitor().SetLanguage(m_tdm.Language);
    m_questMessage = m_texts.Text("Messages", "QuestMessage");
    for (const auto &[button, id] :
         {std::pair {UiButton::Ok, "ButtonOk"}, std::pair {UiButton::Cancel, "ButtonCancel"},
          std::pair {UiButton::Yes, "ButtonYes"}, std::pair {UiButton::No, "ButtonNo"},
          std::pair {UiButton::Save, "ButtonSave"}, std::pair {UiButton::Discard, "ButtonDiscard"}})
        m_ui.setButtonText(button, m_texts.Text("Messages", id));
    m_ui.setTranslation([this](const std::string &text) { return m_texts.Phrase(text); });
    m_questHeader = m_texts.Text("Messages", "QuestHeader");
    // Opened when first needed: a damaged file is told once it matters, not at start.
    m_progress = std::make_unique<ProgressLog>(UserDataFolder() / "progress.sqlite", m_ui);
    m_settings->LoadAtStart(SoftSynth::DeviceName);

    m_exercise = std::make_unique<HarExercis>(m_ui, m_random, m_tdm.DataDir);
    m_exercise->AlwaysBass = m_parms->AlwaysBass();
    auto timer1 = std::make_unique<QtTickTimer>(this, "Timer1", 1000, [this] { CountdownTick(); });
    m_timer1 = timer1.get();
    m_task.Timer = std::move(timer1);
    TaskFlowView &flowView = *this;
    m_flow = std::make_unique<TaskFlow>(*m_exercise, m_task, flowView);
    m_checker = std::make_unique<ExerciseChecker>(
        *m_exercise, [this](ExerciseChange kind, int) { exerciseChecked(kind); });
    buildWindow();

    m_trees->SetCourseFont(m_parms->MenuFont(), m_parms->MenuFontSize());
    m_trees->SetLocalized(m_texts.InUse());
    m_trees->SetCallbacks({[this] {
                               m_paused = false;
                               m_lesson = LessonKind::None;
                               m_lessonFile.clear();
                               m_lessonTitle.clear();
                               m_lessonParm = {};
                           },
                           [this](const TCourseLesson &lesson) { OpenCourseLesson(lesson); },
                           [this](const std::string &page) { ShowPage(page); }, [this] { RefreshState(); },
                           [this] { return mayLeaveLesson(); }});
    m_trees->Load(MenuFilePath(m_tdm), m_tdm.Language, m_tdm.DataDir);

    m_entryView = std::make_unique<StaffEntryView>(*m_exercise, *m_parms, *m_staff);
    m_entry = std::make_unique<NoteEntry>(*m_exercise, m_parms->Definitor(), m_ui, *m_entryView);
    m_router = std::make_unique<NoteRouter>(SharedMidiOutput(), m_trace, m_noteLock, *m_exercise);
    m_router->state = [this] { return routingState(); };
    m_router->harmonyNote = [this](int note) { harmonyNote(note); };
    m_router->drillNote = [this](int note) {
        if (m_notes)
            m_notes->MidiNote(note);
    };
    m_playTimer = std::make_unique<QtTickTimer>(this, "tiplay", m_parms->MidiTemp(), [this] {
        m_player->PlayTick();
        if (!m_player->IsPlaying())
            RefreshState();
    });
    m_playSink = std::make_unique<SelectedOutputs>(SharedMidiOutput(), m_router->OutputSelected, m_soundOn);
    m_player
        = std::make_unique<ExercisePlayer>(*m_exercise, m_ui, *m_playTimer, *m_playSink, m_parms->MidiTemp());

    m_bridge = new MidiInputBridge(this);
    m_bridge->attach(
        SharedMidiInput(), [this](int d, int s, int k, int v) { NoteHandler(d, s, k, v); },
        [this] { std::lock_guard discard(m_noteLock); });
    reportError("MIDI", [this] { OpenSelectedDevices(); });
    m_soundOn = m_hasOutput && !m_settings->PlayOff();
    m_exercise->SpecialMoveType = m_settings->SpecialMoveType();
    m_exercise->OctOffset = m_settings->OctaveOffsets();

    m_needsLayout = true;
    m_keysActive = -1;
    // The start lesson is chosen in the tree as the student would choose it, with its node, its
    // caption and its pause page; a lesson the course does not list opens by itself.
    const auto &debug = m_trees->Menu().DebugItem;
    const std::string startType
        = debug ? debug->Type : std::string(LessonTypeName(LessonKind::HarmonyExercise));
    const std::string startFile = debug ? debug->File : std::string(StartLesson);
    // A new user is welcomed first; a course being debugged opens its lesson all the same.
    if (!debug && !m_settings->Welcomed())
        ShowWelcome();
    else if (!m_trees->ActivateLesson(startType, startFile))
        OpenLesson(LessonKindOf(startType), startFile, debug ? debug->Text : std::string());
    m_keysActive = 1;
    qApp->installEventFilter(this);
    return true;
}

void TForm1::buildWindow()
{
    setWindowTitle(ToQString(m_texts.Text("Messages", "Caption")));
    setMinimumSize(800, 600);
    buildToolbar();
    buildShortcuts();

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName("sSplitter2");
    m_menuPanel = new QWidget;
    m_menuPanel->setObjectName("pMenu");
    m_menuPanel->setMinimumWidth(MenuMinimumWidth);
    auto *menuLayout = new QVBoxLayout(m_menuPanel);
    menuLayout->setContentsMargins(0, 0, 0, 0);
    m_trees = new TCourseTrees(m_ui);
    menuLayout->addWidget(m_trees);

    // The main area's panes are placed by hand (FormResize): they overlap, and which one shows
    // depends on the lesson.
    m_mainArea = new QWidget;
    m_mainArea->setObjectName("pMainArea");
    m_staff = new TStaffBox(*m_exercise, *m_parms, m_ui, m_mainArea);
    m_scroll = new QScrollBar(Qt::Vertical, m_mainArea);
    m_scroll->setObjectName("sb");
    m_scroll->setMinimum(1);
    m_scroll->setMaximum(1);
    m_scroll->setFocusPolicy(Qt::NoFocus);
    connect(m_scroll, &QScrollBar::valueChanged, this, [this](int position) {
        if (questShown())
            scrollQuest();
        else
            m_staff->setScrollRow(std::max(0, 2 * (position - 1)));
    });
    m_questBar = new QScrollBar(Qt::Horizontal, m_mainArea);
    m_questBar->setObjectName("sbquest");
    m_questBar->setFocusPolicy(Qt::NoFocus);
    m_questBar->hide();
    connect(m_questBar, &QScrollBar::valueChanged, this, [this] { scrollQuest(); });
    m_p3d = new QWidget(m_mainArea);
    m_p3d->setObjectName("p3d");
    m_p3d->hide();
    m_lowerArea = new QWidget(m_mainArea);
    m_lowerArea->setObjectName("hlp");
    m_lowerArea->setFixedHeight(LowerAreaHeight);
    m_page = new TPagePane(m_mainArea);
    m_page->Localize(m_texts);
    m_page->SetProgramLinks([this](const QString &what) { programLink(what); });
    m_page->hide();
    m_result = new TResultPanel(m_mainArea);
    m_result->SetTexts(m_texts);
    m_video = new TVideoPane(m_lowerArea, m_p3d);
    m_video->Controls()->hide();
    m_video->Localize(m_texts);
    m_video->VolumeChanged = [this](int volume) { m_videoVolume = volume; };

    m_splitter->addWidget(m_menuPanel);
    m_splitter->addWidget(m_mainArea);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setChildrenCollapsible(false);
    setCentralWidget(m_splitter);
    setFocusPolicy(Qt::StrongFocus);

    connect(m_staff, &TStaffBox::painted, this, &TForm1::afterStaffPaint);
    m_staff->setExplainer([this](int part, XmlNode note) { return reasonsOf(part, note, "\n"); });
}

void TForm1::reportError(const std::string &caption, const std::function<void()> &action)
{
    try {
        action();
    } catch (const Error &e) {
        m_ui.message(caption, e.what());
    }
}

void TForm1::OpenSelectedDevices()
{
    // The devices change under a playing clip only after it is stopped and its player replaced.
    if (m_video->HasVideo())
        m_video->Reset();
    TMidiInput &inputs = SharedMidiInput();
    TMidiOutput &outputs = SharedMidiOutput();
    if (inputs.Count() > 0)
        m_inputSelected = pw::OpenSelectedDevices(inputs, m_settings->SelectedDevices("MidiInput"));
    m_hasOutput = false;
    if (outputs.Count() > 0) {
        m_router->OutputSelected
            = pw::OpenSelectedDevices(outputs, m_settings->SelectedDevices("MidiOutput"));
        for (bool selected : m_router->OutputSelected)
            m_hasOutput = m_hasOutput || selected;
    }
}

void TForm1::MidiDialog()
{
    TMidiSelect dialog(SharedMidiInput(), SharedMidiOutput(), *m_settings, m_exercise->SpecialMoveType,
                       m_texts, this);
    PlaceCentredOver(dialog, *m_mainArea);
    dialog.exec();
    if (dialog.saved()) {
        saveSettings();
        m_exercise->SpecialMoveType = dialog.voiceOrder();
        reportError("MIDI", [this] { OpenSelectedDevices(); });
        m_soundOn = m_hasOutput && !m_settings->PlayOff();
    }
    RefreshState();
}

// Told once a run, in a notice that leaves the window usable: the student may go on with the
// computer keys or the on-screen piano while it is up.
void TForm1::NoMidiCheck()
{
    if (m_noMidiNoticeShown)
        return;
    for (bool selected : m_inputSelected) {
        if (selected)
            return;
    }
    if (m_settings->NoMidiMessage())
        return;
    m_noMidiNoticeShown = true;
    const bool noDevices = SharedMidiInput().Count() == 0;
    auto *notice = new TMidiNotice(noDevices ? TMidiNotice::Kind::NoDevices : TMidiNotice::Kind::NoneSelected,
                                   m_texts, this);
    notice->setAttribute(Qt::WA_DeleteOnClose);
    if (noDevices && !SharedMidiBackend()->problem().empty())
        notice->setToolTip(ToQString(SharedMidiBackend()->problem()));
    connect(notice, &QDialog::finished, this, [this, notice](int) {
        m_settings->SetNoMidiMessage(notice->neverAgain());
        saveSettings();
        if (notice->setupChosen()) {
            // The notice is gone before the device dialog comes up.
            QTimer::singleShot(0, this, [this] {
                MidiDialog();
                reportError("MIDI", [this] { OpenSelectedDevices(); });
            });
        }
    });
    PlaceCentredOver(*notice, *m_mainArea);
    notice->show();
}

void TForm1::ToggleTrace()
{
    try {
        const bool on = m_trace.Toggle(std::filesystem::path(m_tdm.DataDir) / "midi.log");
        m_ui.message(on ? "включена" : "выключена", "Трассировка MIDI:");
    } catch (const Error &e) {
        m_ui.message("Ошибка", e.what());
    }
}

RoutingState TForm1::routingState() const
{
    RoutingState state;
    state.harmonyShown = harmonyShown();
    state.drillShown = m_lesson == LessonKind::NoteDrill;
    // A video lesson's sound is the clip's: played notes are not echoed, and the outputs it closed
    // stay closed.
    state.videoActive = m_lesson == LessonKind::Video && m_video->HasVideo();
    state.paused = m_paused;
    state.drillPaused = m_notes && m_notes->Drill().ResultShown();
    state.soundOn = m_soundOn;
    return state;
}

void TForm1::NoteHandler(int device, int status, int data1, int data2)
{
    reportError("Ошибка", [&] { m_router->NoteHandler(device, status, data1, data2); });
    // The on-screen piano shows what sounds, whichever keyboard played it.
    const int kind = midi::KindOf(status);
    if (m_piano && (kind == midi::NoteOn || kind == midi::NoteOff))
        m_piano->SetSounding(data1, midi::IsNoteOn(status, data2));
}

void TForm1::harmonyNote(int note)
{
    // A finished attempt on review takes no more notes.
    if (m_flow->Reviewing())
        return;
    if (m_entry->InsertFromMidi(note) == 0)
        ScrollBy(m_entry->AdvanceAfterInsert());
    m_staff->update();
    RefreshState();
}

void TForm1::toggleSound()
{
    m_soundOn = !m_soundOn;
    m_settings->SetPlayOff(!m_soundOn);
    saveSettings();
    RefreshState();
}

void TForm1::saveSettings()
{
    // A failure is told by the settings themselves, once; the program goes on without them saved.
    m_settings->Save();
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (!mayLeaveLesson()) {
        event->ignore();
        return;
    }
    if (m_settings && m_exercise) {
        m_settings->SetOctaveOffsets(m_exercise->OctOffset);
        saveSettings();
    }
    event->accept();
}

} // namespace pw
