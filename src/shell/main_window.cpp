#include "shell/main_window.h"

#include "entry/computer_keys.h"
#include "entry/note_entry.h"
#include "harmony/definitor.h"
#include "midi/device_selection.h"
#include "midi/shared_midi.h"
#include "midi/soft_synth.h"
#include "platform/error.h"
#include "platform/program_ui.h"
#include "shell/midi_bridge.h"
#include "shell/midi_select_dialog.h"
#include "shell/no_midi_notice.h"
#include "shell/staff_box.h"
#include "staff/mparms.h"
#include "staff/staff_cursor.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScrollBar>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace pw {

namespace {

QString q(const std::string &text)
{
    return QString::fromStdString(text);
}

constexpr const char *StartLesson = "xml\\Chromo-major-bemol.xml";
constexpr const char *Template = "xml\\empty.xml";

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
    SharedMidiInput().OnShortMessage = nullptr;
    SharedMidiInput().OnSysEx = nullptr;
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

    m_settings = std::make_unique<SettingsFile>(m_tdm.DataDir);
    m_texts.Load(m_tdm.DataDir, m_tdm.Language);
    m_settings->LoadAtStart(SoftSynth::DeviceName);

    m_exercise = std::make_unique<HarExercis>(m_ui, m_random, m_tdm.DataDir);
    m_exercise->AlwaysBass = m_parms->AlwaysBass();
    buildWindow();
    applyLocalisedTexts();

    m_entryView = std::make_unique<StaffEntryView>(*m_exercise, *m_parms, *m_staff);
    m_entry = std::make_unique<NoteEntry>(*m_exercise, m_parms->Definitor(), m_ui, *m_entryView);
    m_router = std::make_unique<NoteRouter>(SharedMidiOutput(), m_trace, m_noteLock, *m_exercise);
    m_router->state = [this] { return routingState(); };
    m_router->harmonyNote = [this](int note) { harmonyNote(note); };

    m_bridge = new MidiInputBridge(this);
    m_bridge->attach(
        SharedMidiInput(), [this](int d, int s, int k, int v) { NoteHandler(d, s, k, v); },
        [this] { std::lock_guard discard(m_noteLock); });
    try {
        OpenSelectedDevices();
    } catch (const Error &e) {
        m_ui.message("MIDI", e.what());
    }
    m_soundOn = m_hasOutput && !m_settings->PlayOff();
    m_exercise->SpecialMoveType = m_settings->SpecialMoveType();
    m_exercise->OctOffset = m_settings->OctaveOffsets();

    OpenLesson("MusHarmonyExercise", StartLesson, "");
    return true;
}

void TForm1::buildWindow()
{
    setWindowTitle(q(m_texts.Text("Messages", "Caption")));
    setMinimumSize(800, 600);
    buildToolbar();

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName("Splitter1");
    m_menuPanel = new QWidget;
    m_menuPanel->setObjectName("pMenu");
    m_menuPanel->setMinimumWidth(240);
    new QVBoxLayout(m_menuPanel);

    m_mainArea = new QWidget;
    m_mainArea->setObjectName("pMainArea");
    m_staff = new TStaffBox(*m_exercise, *m_parms, m_ui);
    m_scroll = new QScrollBar(Qt::Vertical);
    m_scroll->setObjectName("sb");
    m_scroll->setMinimum(1);
    m_scroll->setMaximum(1);
    connect(m_scroll, &QScrollBar::valueChanged, this,
            [this](int position) { m_staff->setScrollRow(std::max(0, 2 * (position - 1))); });
    m_lowerArea = new QWidget;
    m_lowerArea->setObjectName("hlp");
    m_lowerArea->setFixedHeight(150);
    new QVBoxLayout(m_lowerArea);

    auto *staffRow = new QHBoxLayout;
    staffRow->setContentsMargins(0, 0, 0, 0);
    staffRow->setSpacing(0);
    staffRow->addWidget(m_staff, 1);
    staffRow->addWidget(m_scroll);
    auto *area = new QVBoxLayout(m_mainArea);
    area->setContentsMargins(0, 0, 0, 0);
    area->setSpacing(0);
    area->addLayout(staffRow, 1);
    area->addWidget(m_lowerArea);

    m_splitter->addWidget(m_menuPanel);
    m_splitter->addWidget(m_mainArea);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setChildrenCollapsible(false);
    setCentralWidget(m_splitter);
    setFocusPolicy(Qt::StrongFocus);

    connect(m_staff, &TStaffBox::painted, this, [this] {
        m_scroll->setMaximum(std::max(1, m_staff->scrollRow() / 2 + (m_staff->drawnRows() + 1) / 2));
    });
}

QToolButton *TForm1::toolButton(const char *name, const QString &caption, const std::string &hintId,
                                const std::string &fallbackHint)
{
    auto *button = new QToolButton(m_toolbar);
    button->setObjectName(name);
    button->setText(caption);
    button->setToolTip(q(hintId.empty() ? fallbackHint : m_texts.Text("Toolbar", hintId)));
    button->setFocusPolicy(Qt::NoFocus);
    m_toolbar->addWidget(button);
    m_buttons[name] = button;
    return button;
}

void TForm1::buildToolbar()
{
    m_toolbar = addToolBar("sToolBar1");
    m_toolbar->setObjectName("sToolBar1");
    m_toolbar->setMovable(false);
    auto separator = [this](const char *name) { m_toolbar->addSeparator()->setObjectName(name); };

    const char *voices[] = {"Бас", "Тенор", "Альт", "Сопрано"};
    for (int v = 0; v < 4; ++v) {
        const std::string name = "tbVoice" + std::to_string(v);
        QToolButton *button = toolButton(name.c_str(), voices[v], "Voice" + std::to_string(v));
        button->setCheckable(true);
        connect(button, &QToolButton::clicked, this, [this, v] {
            m_entry->SelectVoice(v);
            m_staff->update();
            RefreshState();
        });
    }
    separator("tbs2");
    const struct
    {
        const char *name;
        const char *caption;
        const char *hint;
        int length;
    } lengths[] = {{"tbLengthCeil", "1", "LengthCeil", 2},
                   {"tbLengthHalf", "1/2", "LengthHalf", 4},
                   {"tbLengthQuart", "1/4", "LengthQuart", 8},
                   {"tbLengthEight", "1/8", "LengthEight", 16}};
    for (const auto &l : lengths) {
        QToolButton *button = toolButton(l.name, l.caption, l.hint);
        button->setCheckable(true);
        connect(button, &QToolButton::clicked, this, [this, length = l.length] {
            m_exercise->SetLength(length, 0);
            RefreshState();
        });
    }
    QToolButton *dot = toolButton("tbLengthPoint", "•", "LengthPoint");
    dot->setCheckable(true);
    connect(dot, &QToolButton::clicked, this, [this] {
        m_exercise->SetLength(m_exercise->CurrentLength(), 1 - m_exercise->CurrentDot());
        RefreshState();
    });
    separator("tbsBeforeUndo");
    connect(toolButton("tbUndo", "↶", "Undo"), &QToolButton::clicked, this, [this] {
        m_exercise->Undo();
        m_staff->update();
        RefreshState();
    });
    QToolButton *freeFix = toolButton("tbFreeFixVoice", "≡", "FreeFixVoice");
    freeFix->setCheckable(true);
    connect(freeFix, &QToolButton::clicked, this, [this] {
        m_exercise->FreeFixVoice = !m_exercise->FreeFixVoice;
        RefreshState();
    });
    QToolButton *noWrite = toolButton("tbNotWriteNote", "✎", "NotWriteNote");
    noWrite->setCheckable(true);
    connect(noWrite, &QToolButton::clicked, this, [this] {
        m_exercise->WriteNotes = !m_exercise->WriteNotes;
        RefreshState();
    });
    toolButton("tbPlayEx", "▶", "PlayEx")->setCheckable(true);
    separator("tbsBeforeParts");
    connect(toolButton("tbPrevPart", "▲", "PrevPart"), &QToolButton::clicked, this,
            [this] { ScrollBy(m_entry->PartUp()); });
    connect(toolButton("tbNextPart", "▼", "NextPart"), &QToolButton::clicked, this,
            [this] { ScrollBy(m_entry->PartDown()); });
    separator("tbsEnter");
    const char *modes[] = {"tbTaskAutoCompleteAny", "tbTaskAutoCompleteSuccess", "tbTaskAutoCompleteNever"};
    const char *modeHints[] = {"TaskAutoCompleteAny", "TaskAutoCompleteSuccess", "TaskAutoCompleteNever"};
    const char *modeCaptions[] = {"A", "A+", "M"};
    for (int mode = 0; mode < 3; ++mode) {
        QToolButton *button = toolButton(modes[mode], modeCaptions[mode], modeHints[mode]);
        button->setCheckable(true);
        connect(button, &QToolButton::clicked, this, [this, mode] {
            m_exercise->AutoCompleteMode = mode;
            RefreshState();
        });
    }
    separator("tbs3");
    QToolButton *sound = toolButton("tbSound", "♪", "Sound");
    sound->setCheckable(true);
    connect(sound, &QToolButton::clicked, this, &TForm1::toggleSound);
    connect(toolButton("tbMidiSetup", "MIDI", "MidiSetup"), &QToolButton::clicked, this, &TForm1::MidiDialog);
    separator("tbsDev");
    toolButton("tbOpen", "Открыть", {}, "Открыть упражнение");
    toolButton("tbSave", "Сохранить", {}, "Сохранить упражнение");
    toolButton("tbSetParms", "Параметры", {}, "Параметры упражнения");
    toolButton("tbPrint", "⎙", "Print");
    toolButton("tbHelp", "?", "Help");
}

void TForm1::applyLocalisedTexts()
{
    setWindowTitle(q(m_texts.Text("Messages", "Caption")));
}

void TForm1::OpenLesson(const std::string &type, const std::string &file, const std::string &title)
{
    m_lessonType = type;
    m_lessonFile = file;
    m_lessonTitle = title;
    if (harmonyShown()) {
        try {
            OpenSelectedDevices();
        } catch (const Error &e) {
            m_ui.message("MIDI", e.what());
        }
        m_task.Iterations = -1;
        m_exercise->EditMode = file == Template;
        NoMidiCheck();
        m_staff->setShowExercise(false);
        bool loaded = false;
        try {
            loaded = m_exercise->LoadExercise((std::filesystem::path(m_tdm.DataDir) / file).string(), &m_task,
                                              false);
        } catch (const Error &e) {
            m_ui.message("Ошибка", e.what());
        }
        m_exercise->ViewMode = m_exercise->EditMode ? 2 : 1;
        m_scroll->setValue(1);
        m_staff->setScrollRow(0);
        m_staff->setShowExercise(loaded);
    }
    RefreshState();
}

void TForm1::OpenSelectedDevices()
{
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
    dialog.move(mapToGlobal(m_mainArea->geometry().center()) - dialog.rect().center());
    dialog.exec();
    if (dialog.saved()) {
        saveSettings();
        m_exercise->SpecialMoveType = dialog.voiceOrder();
        try {
            OpenSelectedDevices();
        } catch (const Error &e) {
            m_ui.message("MIDI", e.what());
        }
        m_soundOn = m_hasOutput && !m_settings->PlayOff();
    }
    RefreshState();
}

void TForm1::NoMidiCheck()
{
    for (bool selected : m_inputSelected) {
        if (selected)
            return;
    }
    if (m_settings->NoMidiMessage())
        return;
    const bool noDevices = SharedMidiInput().Count() == 0;
    TMidiNotice notice(noDevices ? TMidiNotice::Kind::NoDevices : TMidiNotice::Kind::NoneSelected, this);
    if (noDevices && !SharedMidiBackend()->problem().empty())
        notice.setToolTip(q(SharedMidiBackend()->problem()));
    notice.exec();
    m_settings->SetNoMidiMessage(notice.neverAgain());
    saveSettings();
    if (notice.setupChosen()) {
        MidiDialog();
        try {
            OpenSelectedDevices();
        } catch (const Error &e) {
            m_ui.message("MIDI", e.what());
        }
    }
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
    state.drillShown = m_lessonType == "MusNoteDefine";
    state.paused = m_paused;
    state.soundOn = m_soundOn;
    return state;
}

void TForm1::NoteHandler(int device, int status, int data1, int data2)
{
    try {
        m_router->NoteHandler(device, status, data1, data2);
    } catch (const Error &e) {
        m_ui.message("Ошибка", e.what());
    }
}

void TForm1::harmonyNote(int note)
{
    if (m_entry->InsertFromMidi(note) == 0)
        ScrollBy(m_entry->AdvanceAfterInsert());
    m_staff->update();
    RefreshState();
}

void TForm1::afterEdit(int rows)
{
    ScrollBy(rows);
    m_staff->update();
    RefreshState();
}

void TForm1::ScrollBy(int rows)
{
    if (rows == 0)
        return;
    m_staff->setScrollRow(m_staff->scrollRow() + rows);
    const QSignalBlocker quiet(m_scroll);
    m_scroll->setMaximum(std::max(m_scroll->maximum(), (2 * (m_scroll->value() - 1) + rows) / 2 + 1));
    m_scroll->setValue((2 * (m_scroll->value() - 1) + rows) / 2 + 1);
    update();
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
    try {
        m_settings->Save();
    } catch (const Error &e) {
        m_ui.message("Ошибка", e.what());
    }
}

void TForm1::RefreshState()
{
    const bool harmony = harmonyShown();
    const bool hasParts = m_exercise->PartCount > 0;
    const int voice = m_exercise->CurrentVoice();
    const auto part = static_cast<std::size_t>(
        std::clamp(m_exercise->CurPart, 0, std::max(0, m_exercise->PartCount - 1)));
    for (int v = 0; v < 4; ++v) {
        QToolButton *button = m_buttons["tbVoice" + std::to_string(v)];
        button->setVisible(harmony);
        button->setEnabled(hasParts && !m_paused
                           && m_exercise->PartVoiceFree[part][static_cast<std::size_t>(v)]);
        button->setChecked(v == voice);
    }
    const int lengths[] = {2, 4, 8, 16};
    const char *lengthButtons[] = {"tbLengthCeil", "tbLengthHalf", "tbLengthQuart", "tbLengthEight"};
    for (int i = 0; i < 4; ++i) {
        QToolButton *button = m_buttons[lengthButtons[i]];
        button->setVisible(harmony);
        button->setEnabled(!m_exercise->HasDefaultLength && !m_paused);
        button->setChecked(m_exercise->CurrentLength() == lengths[i]);
    }
    m_buttons["tbLengthPoint"]->setVisible(harmony);
    m_buttons["tbLengthPoint"]->setEnabled(!m_exercise->HasDefaultLength && !m_paused);
    m_buttons["tbLengthPoint"]->setChecked(m_exercise->CurrentDot() > 0);
    m_buttons["tbUndo"]->setEnabled(m_exercise->CanUndo() && !m_paused);
    m_buttons["tbFreeFixVoice"]->setChecked(m_exercise->FreeFixVoice);
    m_buttons["tbNotWriteNote"]->setChecked(!m_exercise->WriteNotes);
    m_buttons["tbPrevPart"]->setEnabled(harmony && m_exercise->CurPart > 0 && !m_paused);
    m_buttons["tbNextPart"]->setEnabled(
        harmony && (m_exercise->CurPart < m_exercise->PartCount - 1 || m_exercise->EditMode) && !m_paused);
    const char *modes[] = {"tbTaskAutoCompleteAny", "tbTaskAutoCompleteSuccess", "tbTaskAutoCompleteNever"};
    for (int mode = 0; mode < 3; ++mode) {
        m_buttons[modes[mode]]->setVisible(harmony && m_task.TimerMode == 1);
        m_buttons[modes[mode]]->setChecked(m_exercise->AutoCompleteMode == mode);
    }
    m_buttons["tbSound"]->setEnabled(m_hasOutput);
    m_buttons["tbSound"]->setChecked(m_soundOn);
    for (const char *name : {"tbOpen", "tbSave", "tbSetParms"}) {
        m_buttons[name]->setVisible(harmony && m_exercise->EditMode);
        m_buttons[name]->setEnabled(m_exercise->EditMode);
    }
    m_buttons["tbPrint"]->setEnabled(false);
    setFocus();
}

void TForm1::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if (mods == (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier) && key == Qt::Key_F1) {
        ToggleTrace();
        return;
    }
    if (mods == (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier) && key == Qt::Key_F2) {
        m_parms->Definitor().Reload();
        m_ui.message("перечитан", "Definitor:");
        return;
    }
    if (mods == Qt::ControlModifier && key == Qt::Key_Z) {
        m_exercise->Undo();
        afterEdit(0);
        return;
    }
    if (!harmonyShown() || m_paused || event->isAutoRepeat()) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    if (mods == Qt::ShiftModifier && (key == Qt::Key_Down || key == Qt::Key_Up)) {
        afterEdit(key == Qt::Key_Down ? m_entry->PartDown() : m_entry->PartUp());
        return;
    }
    if (mods == Qt::AltModifier && key == Qt::Key_B) {
        m_entry->ToggleExemption();
        afterEdit(0);
        return;
    }
    if (mods != Qt::NoModifier) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    switch (key) {
    case Qt::Key_Right:
        afterEdit(m_entry->CursorRight());
        return;
    case Qt::Key_Left:
        afterEdit(m_entry->CursorLeft());
        return;
    case Qt::Key_Up:
        afterEdit(m_entry->VoiceUp());
        return;
    case Qt::Key_Down:
        afterEdit(m_entry->VoiceDown());
        return;
    case Qt::Key_Delete:
        if (m_exercise->EditMode) {
            m_entry->DeleteNoteAtCursor();
            afterEdit(0);
        }
        return;
    default:
        break;
    }
    const int voice = m_exercise->CurrentVoice();
    const int note = NoteFromKey(key, voice);
    m_lastKeyNote = -100;
    if (note >= -24 && voice >= 0) {
        m_lastKeyNote = note + 12 * m_exercise->OctOffset[static_cast<std::size_t>(voice)] + 57;
        NoteHandler(1, 144, m_lastKeyNote, 50);
    } else if (note == RestNote) {
        if (m_entry->InsertNote(m_exercise->CurrentLength(), -1, m_exercise->CurrentDot()) == 0)
            ScrollBy(m_entry->AdvanceAfterInsert());
        afterEdit(0);
    } else {
        QMainWindow::keyPressEvent(event);
    }
}

void TForm1::keyReleaseEvent(QKeyEvent *event)
{
    // The note a key played stops sounding when the key is let go.
    if (!event->isAutoRepeat() && m_lastKeyNote >= 0 && StepFromKey(event->key()) >= 0) {
        NoteHandler(1, 128, m_lastKeyNote, 0);
        m_lastKeyNote = -100;
    }
    QMainWindow::keyReleaseEvent(event);
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (m_settings && m_exercise) {
        m_settings->SetOctaveOffsets(m_exercise->OctOffset);
        saveSettings();
    }
    event->accept();
}

} // namespace pw
