// The toolbar, the hidden menu's shortcuts and RefreshState, which keeps both in step with the
// lesson and the exercise document.

#include "platform/qt_text.h"
#include "shell/main_window.h"

#include "entry/exercise_player.h"
#include "entry/note_entry.h"
#include "panels/bottom_piano.h"
#include "shell/course_trees.h"
#include "shell/page_pane.h"
#include "shell/staff_box.h"

#include <QAction>
#include <QToolBar>
#include <QToolButton>

namespace pw {

namespace {

constexpr const char *VoiceButtons[] = {"tbVoice0", "tbVoice1", "tbVoice2", "tbVoice3"};
constexpr const char *LengthButtons[] = {"tbLengthCeil", "tbLengthHalf", "tbLengthQuart", "tbLengthEight"};
constexpr int ButtonLengths[] = {2, 4, 8, 16};
constexpr const char *LengthActions[] = {"LengthWhole",      "LengthHalf",  "mLengthHalfPoint", "LengthQuart",
                                         "mLengthQuarPoint", "LengthEight", "mLengthPoint"};
constexpr const char *ModeButtons[]
    = {"tbTaskAutoCompleteAny", "tbTaskAutoCompleteSuccess", "tbTaskAutoCompleteNever"};
// Buttons shown for harmony exercises only.
constexpr const char *HarmonyButtons[]
    = {"tbVoice0",       "tbVoice1",       "tbVoice2",      "tbVoice3",      "tbLengthCeil",
       "tbLengthHalf",   "tbLengthQuart",  "tbLengthEight", "tbLengthPoint", "tbUndo",
       "tbFreeFixVoice", "tbNotWriteNote", "tbPlayEx",      "tbExport"};
constexpr const char *AuthoringButtons[] = {"tbOpen", "tbSave", "tbSetParms"};
constexpr const char *AuthoringActions[] = {"mOpen", "mSave", "mSetParms"};

} // namespace

QToolButton *TForm1::toolButton(const char *name, const QString &caption, const std::string &hintId)
{
    auto *button = new QToolButton(m_toolbar);
    button->setObjectName(name);
    button->setText(caption);
    button->setToolTip(ToQString(m_texts.Text("Toolbar", hintId)));
    button->setFocusPolicy(Qt::NoFocus);
    m_buttonActions[name] = m_toolbar->addWidget(button);
    m_buttons[name] = button;
    return button;
}

void TForm1::setLength(int length, int dot)
{
    m_exercise->SetLength(length, dot);
    RefreshState();
}

void TForm1::toggleDot()
{
    setLength(m_exercise->CurrentLength(), 1 - m_exercise->CurrentDot());
}

void TForm1::selectVoice(int voice)
{
    m_entry->SelectVoice(voice);
    m_staff->update();
    RefreshState();
}

void TForm1::undo()
{
    if (!harmonyShown() || m_paused || !m_exercise->CanUndo())
        return;
    m_exercise->Undo();
    afterEdit(0);
    RefreshState();
}

void TForm1::buildToolbar()
{
    m_toolbar = addToolBar("sToolBar1");
    m_toolbar->setObjectName("sToolBar1");
    m_toolbar->setMovable(false);
    auto separator = [this](const char *name) {
        QAction *action = m_toolbar->addSeparator();
        action->setObjectName(name);
        m_separators[name] = action;
    };

    for (int v = 0; v < 4; ++v) {
        const std::string voice = "Voice" + std::to_string(v);
        QToolButton *button
            = toolButton(VoiceButtons[v], ToQString(m_texts.Text("Toolbar", voice + "Caption")), voice);
        button->setCheckable(true);
        connect(button, &QToolButton::clicked, this, [this, v] { selectVoice(v); });
    }
    separator("tbs2");
    const char *lengthCaptions[] = {"1", "1/2", "1/4", "1/8"};
    const char *lengthHints[] = {"LengthCeil", "LengthHalf", "LengthQuart", "LengthEight"};
    for (int i = 0; i < 4; ++i) {
        QToolButton *button = toolButton(LengthButtons[i], lengthCaptions[i], lengthHints[i]);
        button->setCheckable(true);
        connect(button, &QToolButton::clicked, this,
                [this, length = ButtonLengths[i]] { setLength(length, 0); });
    }
    QToolButton *dot = toolButton("tbLengthPoint", "•", "LengthPoint");
    dot->setCheckable(true);
    connect(dot, &QToolButton::clicked, this, &TForm1::toggleDot);
    separator("tbsBeforeUndo");
    connect(toolButton("tbUndo", "↶", "Undo"), &QToolButton::clicked, this, &TForm1::undo);
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
    QToolButton *play = toolButton("tbPlayEx", "▶", "PlayEx");
    play->setCheckable(true);
    connect(play, &QToolButton::clicked, this, [this] {
        m_player->PlayToggle();
        RefreshState();
    });
    connect(toolButton("tbExport", "MusicXML", "Export"), &QToolButton::clicked, this,
            &TForm1::ExportMusicXml);
    separator("tbsBeforeParts");
    connect(toolButton("tbPrevPart", "▲", "PrevPart"), &QToolButton::clicked, this, [this] {
        afterEdit(m_entry->PartUp());
        RefreshState();
    });
    connect(toolButton("tbNextPart", "▼", "NextPart"), &QToolButton::clicked, this, [this] {
        NextPart();
        RefreshState();
    });
    separator("tbsEnter");
    const char *modeHints[] = {"TaskAutoCompleteAny", "TaskAutoCompleteSuccess", "TaskAutoCompleteNever"};
    const char *modeCaptions[] = {"A", "A+", "M"};
    for (int mode = 0; mode < 3; ++mode) {
        QToolButton *button = toolButton(ModeButtons[mode], modeCaptions[mode], modeHints[mode]);
        button->setCheckable(true);
        connect(button, &QToolButton::clicked, this, [this, mode] {
            m_exercise->AutoCompleteMode = mode;
            if (m_piano)
                m_piano->SetCompletionMode(mode);
            // A series waiting for a mode that lets it go on goes on now.
            if (harmonyShown())
                m_flow->Evaluate();
            RefreshState();
        });
    }
    separator("tbs3");
    QToolButton *sound = toolButton("tbSound", "♪", "Sound");
    sound->setCheckable(true);
    connect(sound, &QToolButton::clicked, this, &TForm1::toggleSound);
    connect(toolButton("tbMidiSetup", "MIDI", "MidiSetup"), &QToolButton::clicked, this, &TForm1::MidiDialog);
    separator("tbsDev");
    const auto caption = [this](const char *id) { return ToQString(m_texts.Text("Toolbar", id)); };
    connect(toolButton("tbOpen", caption("OpenCaption"), "Open"), &QToolButton::clicked, this,
            &TForm1::OpenExercise);
    connect(toolButton("tbSave", caption("SaveCaption"), "Save"), &QToolButton::clicked, this,
            &TForm1::SaveExercise);
    connect(toolButton("tbSetParms", caption("SetParmsCaption"), "SetParms"), &QToolButton::clicked, this,
            &TForm1::SetParmsDialog);
    connect(toolButton("tbPrint", "⎙", "Print"), &QToolButton::clicked, this, &TForm1::printPage);
    connect(toolButton("tbKeys", caption("KeysCaption"), "Keys"), &QToolButton::clicked, this,
            &TForm1::ToggleKeyMap);
    connect(toolButton("tbHelp", "?", "Help"), &QToolButton::clicked, this, &TForm1::AboutDialog);
}

QAction *TForm1::shortcut(const char *name, const QKeySequence &keys, std::function<void()> action)
{
    auto *item = new QAction(this);
    item->setObjectName(name);
    item->setShortcut(keys);
    item->setShortcutContext(Qt::WindowShortcut);
    connect(item, &QAction::triggered, this, std::move(action));
    addAction(item);
    m_actions[name] = item;
    return item;
}

// The menu bar is hidden; its items live on as window actions for their shortcut keys.
void TForm1::buildShortcuts()
{
    for (int v = 0; v < 4; ++v) {
        shortcut(("Voice" + std::to_string(v)).c_str(), {}, [this, v] { selectVoice(v); });
    }
    shortcut("LengthWhole", Qt::Key_1, [this] { setLength(2, 0); });
    shortcut("LengthHalf", Qt::Key_2, [this] { setLength(4, 0); });
    shortcut("mLengthHalfPoint", Qt::Key_3, [this] { setLength(4, 1); });
    shortcut("LengthQuart", Qt::Key_4, [this] { setLength(8, 0); });
    shortcut("mLengthQuarPoint", Qt::Key_6, [this] { setLength(8, 1); });
    shortcut("LengthEight", Qt::Key_8, [this] { setLength(16, 0); });
    shortcut("mLengthPoint", Qt::CTRL | Qt::Key_P, [this] { toggleDot(); });
    shortcut("mOpen", Qt::CTRL | Qt::Key_O, [this] { OpenExercise(); });
    shortcut("mSave", Qt::CTRL | Qt::Key_S, [this] { SaveExercise(); });
    shortcut("mSetParms", Qt::CTRL | Qt::Key_A, [this] { SetParmsDialog(); });
    shortcut("mExport", Qt::CTRL | Qt::Key_E, [this] {
        ExportMusicXml();
    })->setText(ToQString(m_texts.Text("Toolbar", "ExportMenu")));
    shortcut("MidiSetup", {}, [this] { MidiDialog(); });
    shortcut("mExit", {}, [this] { close(); });
}

void TForm1::refreshHarmonyButtons()
{
    const bool hasParts = m_exercise->PartCount() > 0;
    const int voice = m_exercise->CurrentVoice();
    const int part = std::clamp(m_exercise->CurPart, 0, std::max(0, m_exercise->PartCount() - 1));
    for (int v = 0; v < 4; ++v) {
        const bool enabled
            = hasParts && !m_paused && m_exercise->part(part).VoiceFree[static_cast<std::size_t>(v)];
        m_buttons[VoiceButtons[v]]->setEnabled(enabled);
        m_buttons[VoiceButtons[v]]->setChecked(v == voice);
        m_actions["Voice" + std::to_string(v)]->setEnabled(enabled);
    }
    const bool lengths = !m_exercise->HasDefaultLength && !m_paused;
    for (int i = 0; i < 4; ++i) {
        m_buttons[LengthButtons[i]]->setEnabled(lengths);
        m_buttons[LengthButtons[i]]->setChecked(m_exercise->CurrentLength() == ButtonLengths[i]);
    }
    m_buttons["tbLengthPoint"]->setEnabled(lengths);
    m_buttons["tbLengthPoint"]->setChecked(m_exercise->CurrentDot() > 0);
    m_buttons["tbUndo"]->setEnabled(m_exercise->CanUndo() && !m_paused);
    m_buttons["tbFreeFixVoice"]->setEnabled(!m_paused);
    m_buttons["tbFreeFixVoice"]->setChecked(m_exercise->FreeFixVoice);
    m_buttons["tbNotWriteNote"]->setEnabled(!m_paused);
    m_buttons["tbNotWriteNote"]->setChecked(!m_exercise->WriteNotes);
    m_buttons["tbPlayEx"]->setEnabled(!m_paused);
    m_buttons["tbPlayEx"]->setChecked(m_player->IsPlaying());
    m_buttons["tbPrevPart"]->setEnabled(m_exercise->CurPart > 0 && !m_paused);
    m_buttons["tbNextPart"]->setEnabled(
        (m_exercise->CurPart < m_exercise->PartCount() - 1 || m_exercise->EditMode) && !m_paused);
    for (int mode = 0; mode < 3; ++mode)
        m_buttons[ModeButtons[mode]]->setChecked(m_exercise->AutoCompleteMode == mode);
    for (int i = 0; i < 3; ++i) {
        m_buttons[AuthoringButtons[i]]->setEnabled(m_exercise->EditMode);
        m_actions[AuthoringActions[i]]->setEnabled(m_exercise->EditMode);
    }
}

void TForm1::RefreshState()
{
    // Start-up runs commands before the whole window exists.
    if (!m_trees || !m_player)
        return;
    m_trees->LayoutTrees();
    const bool harmony = harmonyShown();
    const bool timed = harmony && m_task.TimerMode == 1;
    m_buttons["tbSound"]->setEnabled(m_hasOutput);
    m_buttons["tbSound"]->setChecked(m_soundOn);

    for (const char *name : HarmonyButtons)
        m_buttonActions[name]->setVisible(harmony);
    for (const char *name : {"tbPrevPart", "tbNextPart"})
        m_buttonActions[name]->setVisible(harmony || m_lesson == LessonKind::Questionnaire);
    for (const char *name : ModeButtons)
        m_buttonActions[name]->setVisible(timed);
    for (const char *name : AuthoringButtons)
        m_buttonActions[name]->setVisible(harmony && m_exercise->EditMode);
    for (const char *name : {"tbs2", "tbs3", "tbsDev", "tbsBeforeUndo", "tbsBeforeParts"})
        m_separators[name]->setVisible(harmony);
    m_separators["tbsEnter"]->setVisible(timed);
    m_buttons["tbPrint"]->setEnabled(!m_page->isHidden());

    // The digits of the length shortcuts belong to the lesson elsewhere (a 3D lesson's views).
    for (const char *name : LengthActions)
        m_actions[name]->setEnabled(harmony);
    m_actions["mExport"]->setEnabled(harmony);
    if (harmony)
        refreshHarmonyButtons();
    m_toolbar->update();
    if (m_lesson == LessonKind::NoteDrill)
        m_mainArea->setFocus();
    else if (!IsPageLesson(m_lesson))
        setFocus();
}

} // namespace pw
