// Lesson dispatch: the panes of the main area per lesson kind, the pause page, the result panel,
// and the commands that open dialogs over a lesson.

#include "platform/qt_text.h"
#include "shell/main_window.h"

#include "config/language_variant.h"
#include "config/save_failure.h"
#include "document/exercise_nodes.h"
#include "entry/exercise_player.h"
#include "entry/note_entry.h"
#include "harmony/chord_explanation.h"
#include "harmony/harmony_check.h"
#include "harmony/part_analysis.h"
#include "midi/device_selection.h"
#include "midi/shared_midi.h"
#include "panels/bottom_3d.h"
#include "panels/bottom_notes.h"
#include "panels/bottom_piano.h"
#include "panels/bottom_quest.h"
#include "platform/error.h"
#include "platform/file_paths.h"
#include "quest/quest_list.h"
#include "shell/about_window.h"
#include "shell/course_activation.h"
#include "shell/course_trees.h"
#include "shell/dialog_placement.h"
#include "shell/key_map_window.h"
#include "shell/page_pane.h"
#include "shell/page_print.h"
#include "shell/qt_tick_timer.h"
#include "shell/quest_view.h"
#include "shell/result_panel.h"
#include "shell/results_page.h"
#include "shell/scene_window.h"
#include "shell/set_parms_dialog.h"
#include "shell/staff_box.h"
#include "shell/video_pane.h"
#include "staff/mparms.h"

#include <QEvent>
#include <QFile>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QStringList>
#include <QTimer>
#include <QVideoWidget>

namespace pw {

namespace {

constexpr const char *Template = "xml\\empty.xml";
constexpr const char *ExerciseFileFilter = "XML (*.xml);;* (*)";
// Shown for the lesson kinds this version does not run, in place of the lesson.
constexpr const char *UnavailablePage = "html\\unavailable.html";
constexpr const char *WelcomePage = "html\\welcome.html";

} // namespace

void TForm1::OpenCourseLesson(const TCourseLesson &lesson)
{
    m_lessonParm = lesson.LessonParm;
    m_pauseFile = lesson.PauseFile;
    setWindowTitle(ToQString(lesson.Caption));
    OpenLesson(LessonKindOf(lesson.LessonType), lesson.LessonFile, lesson.LessonTitle);
}

void TForm1::OpenLesson(LessonKind kind, const std::string &file, const std::string &title)
{
    m_lesson = kind;
    m_lessonFile = file;
    m_lessonTitle = title;
    m_lessonTask = ToQString(GetAttrLang(m_lessonParm, "Task", m_tdm.Language));
    freeLowerPanel();
    m_task.Timer->setEnabled(false);
    hideResult();
    freeScene();
    m_player->Stop();
    m_video->PauseIfLoaded();
    switch (m_lesson) {
    case LessonKind::HarmonyExercise:
        openHarmony();
        break;
    case LessonKind::Page:
    case LessonKind::PageTask:
        ShowPage(file);
        break;
    case LessonKind::Video:
        openVideo();
        break;
    case LessonKind::NoteDrill:
        openDrill();
        break;
    case LessonKind::Questionnaire:
    case LessonKind::QuestionSheet:
        openQuest();
        break;
    case LessonKind::Scene3D:
        openScene();
        break;
    case LessonKind::Results:
        openResults();
        break;
    default:
        openUnavailable();
        break;
    }
    RefreshState();
}

void TForm1::openHarmony()
{
    ResetVideo();
    reportError("MIDI", [this] { OpenSelectedDevices(); });
    arrange(Panes::Staff);
    createPianoPanel();
    m_task.Iterations = -1;
    m_exercise->EditMode = m_lessonFile == Template;
    NoMidiCheck();
    m_staff->setShowExercise(false);
    bool loaded = false;
    reportError("Ошибка", [&] {
        loaded = m_exercise->LoadExercise((std::filesystem::path(m_tdm.DataDir) / m_lessonFile).string(),
                                          &m_task, false);
    });
    m_exercise->EditMode = m_lessonFile == Template;
    m_exercise->ViewMode = m_exercise->EditMode ? 2 : 1;
    m_needsLayout = true;
    m_scroll->setValue(1);
    m_staff->setScrollRow(0);
    m_staff->setShowExercise(loaded);
    if (m_piano) {
        m_piano->SetCompletionMode(m_exercise->AutoCompleteMode);
        m_piano->ShowCounters(m_task.TimerMode == 1);
        m_piano->RefreshCounters();
        m_piano->RefreshButtons();
    }
    // Twice: a lesson with a pause page opens on its staff, with the countdown running.
    PauseToggle();
    PauseToggle();
}

void TForm1::openVideo()
{
    ResetVideo();
    arrange(Panes::Video);
    m_video->Open(ResolveDataPath(m_tdm.ExeDir, m_lessonFile), m_tdm.Language, m_lessonParm, m_videoVolume);
}

void TForm1::openUnavailable()
{
    ShowPage(UnavailablePage);
}

void TForm1::ShowWelcome()
{
    OpenLesson(LessonKind::Page, WelcomePage, "");
    const std::filesystem::path file
        = ResolveDataPath(m_tdm.DataDir, LanguageVariant(m_tdm.DataDir, WelcomePage, m_tdm.Language));
    QFile page(QString::fromStdString(file.string()));
    if (!page.open(QIODevice::ReadOnly))
        return;
    QString html = QString::fromUtf8(page.readAll());
    const bool noInput
        = std::none_of(m_inputSelected.begin(), m_inputSelected.end(), [](bool on) { return on; });
    // The page says it instead of the notice, which would only repeat it.
    if (noInput)
        m_noMidiNoticeShown = true;
    else
        html.remove(QRegularExpression("<!--nomidi-->.*<!--/nomidi-->",
                                       QRegularExpression::DotMatchesEverythingOption));
    m_page->ShowGenerated(QUrl::fromLocalFile(QString::fromStdString(
                              std::filesystem::absolute(file).lexically_normal().string())),
                          html);
    m_settings->SetWelcomed();
    saveSettings();
    // Once the window has its size on screen.
    QTimer::singleShot(0, this, [this] {
        if (!m_keyMap && m_panes == Panes::Page)
            ToggleKeyMap();
    });
}

void TForm1::programLink(const QString &what)
{
    if (what == ExportResultsCommand) {
        exportResults();
        return;
    }
    if (what != "first-exercise")
        return;
    // The first exercise of the course tree, as the student would choose it there.
    const txmlmenu &menu = m_trees->Menu();
    for (std::size_t i = 0; i < menu.Types.size(); ++i)
        if (menu.Types[i] == LessonTypeName(LessonKind::HarmonyExercise) && menu.Files[i] != Template
            && m_trees->ActivateLesson(menu.Types[i], menu.Files[i]))
            return;
}

void TForm1::ShowPage(const std::string &name)
{
    ResetVideo();
    arrange(Panes::Page);
    m_page->Navigate(ResolveDataPath(m_tdm.DataDir, LanguageVariant(m_tdm.DataDir, name, m_tdm.Language)));
}

void TForm1::ResetVideo()
{
    m_video->Reset();
    m_router->OutputSelected
        = CloseSelectedOutputs(SharedMidiOutput(), m_settings->SelectedDevices("MidiOutput"));
}

void TForm1::createPianoPanel()
{
    freeLowerPanel();
    PianoCallbacks callbacks;
    callbacks.NoteHandler = [this](int d, int s, int k, int v) { NoteHandler(d, s, k, v); };
    callbacks.KeyHandler = [this](int key, Qt::KeyboardModifiers mods) { handleKey(key, mods, false); };
    callbacks.PauseToggle = [this] { PauseToggle(); };
    callbacks.CompleteTask = [this] { CompleteTask(); };
    m_piano
        = new TBottomPiano(*m_exercise, *m_entry, m_task, m_tdm.ExeDir, std::move(callbacks), m_lowerArea);
    m_piano->SetTexts(m_texts);
    m_piano->setGeometry(0, 0, m_lowerArea->width(), m_lowerArea->height());
    m_piano->ShowCounters(false);
    m_piano->SetCompletionMode(m_exercise->AutoCompleteMode);
    m_piano->show();
}

void TForm1::freeLowerPanel()
{
    delete m_piano;
    m_piano = nullptr;
    if (m_notes) {
        m_staff->setPainter(nullptr);
        m_staff->setMouseTracking(false);
        m_staff->unsetCursor();
    }
    delete m_notes;
    m_notes = nullptr;
    delete m_questPanel;
    m_questPanel = nullptr;
    delete m_bottom3d;
    m_bottom3d = nullptr;
    freeQuest();
}

void TForm1::arrange(Panes panes)
{
    m_panes = panes;
    const bool staff = panes == Panes::Staff;
    m_staff->setVisible(staff);
    m_scroll->setVisible(staff);
    m_page->setVisible(panes == Panes::Page);
    m_p3d->setVisible(panes == Panes::Video || panes == Panes::Quest || panes == Panes::Scene);
    if (panes == Panes::Quest)
        m_scroll->show();
    m_video->Controls()->setVisible(panes == Panes::Video);
    m_video->VideoWindow()->setVisible(panes == Panes::Video);
    FormResize();
}

// Places the panes of the main area; run on every resize of it and when the panes change.
void TForm1::FormResize()
{
    const int width = m_mainArea->width();
    const int height = m_mainArea->height();
    const int lowerTop = height - m_lowerArea->height() - 1;
    m_lowerArea->setGeometry(0, lowerTop, width, m_lowerArea->height());
    if (m_piano)
        m_piano->setGeometry(0, 0, width, m_lowerArea->height());
    if (m_notes)
        m_notes->setGeometry(0, 0, width, m_lowerArea->height());
    if (m_questPanel)
        m_questPanel->setGeometry(0, 0, width, m_lowerArea->height());
    if (m_bottom3d)
        m_bottom3d->setGeometry(0, 0, width, m_lowerArea->height());
    m_video->Controls()->setGeometry(0, 0, width, m_lowerArea->height());
    const int scrollWidth = m_scroll->sizeHint().width();
    m_staff->setGeometry(0, 0, width - scrollWidth, lowerTop);
    if (m_notes)
        m_notes->SetAreaSize(m_staff->width(), m_staff->height());
    m_scroll->setGeometry(width - scrollWidth, 0, scrollWidth, lowerTop);
    m_p3d->setGeometry(0, 0, width, lowerTop);
    // The drawing window follows; its resize tells the scene the new size and redraws it.
    if (m_form3d)
        m_form3d->setGeometry(0, 0, width, lowerTop);
    const int barHeight = m_questBar->sizeHint().height();
    m_questBar->setGeometry(0, lowerTop - barHeight, width - scrollWidth, barHeight);
    m_scroll->raise();
    m_video->VideoWindow()->setGeometry(TVideoPane::VideoRect(m_p3d->size()));
    if (m_panes == Panes::Page)
        m_page->setGeometry(0, 0, width, height);
    else
        m_page->setGeometry(0, 0, width, lowerTop + 1);
    m_page->raise();
    m_result->setGeometry(0, 0, width, lowerTop - 1);
    m_result->raise();
}

void TForm1::PauseToggle()
{
    if (m_paused) {
        m_page->hide();
        m_staff->show();
        m_scroll->show();
        m_staff->update();
        if (m_task.LimitMin + m_task.LimitSec > 0)
            m_task.Timer->setEnabled(true);
        m_paused = false;
        // Leaving the page starts the drill's first task, or its next one after a result.
        if (m_notes && m_notes->Drill().Waiting())
            m_notes->Continue();
        if (m_piano) {
            m_piano->SetPaused(false);
            if (m_task.Timer->enabled())
                m_piano->SetCompletionMode(m_exercise->AutoCompleteMode);
        }
    } else if (m_notes && m_notes->Drill().ResultShown()) {
        // The drill's own pause: a task's result is shown.
        m_notes->Continue();
    } else if (!m_pauseFile.empty()) {
        m_task.Timer->setEnabled(false);
        m_page->setGeometry(0, 0, m_mainArea->width(), m_mainArea->height() - m_lowerArea->height() + 1);
        m_page->show();
        m_page->raise();
        m_scroll->hide();
        m_page->Navigate(
            ResolveDataPath(m_tdm.DataDir, LanguageVariant(m_tdm.DataDir, m_pauseFile, m_tdm.Language)));
        m_paused = true;
        if (m_piano)
            m_piano->SetPaused(true);
    }
    setFocus();
    RefreshState();
}

bool TForm1::ResultShown() const
{
    return !m_result->isHidden();
}

void TForm1::hideResult()
{
    if (!ResultShown())
        return;
    // Leaving a shown result starts a new series next time.
    m_task.Iterations = -1;
    m_task.Attempts = -1;
    m_result->hide();
}

void TForm1::ShowExerciseResult()
{
    const bool first = !ResultShown();
    m_task.Timer->setEnabled(false);
    if (m_piano) {
        m_piano->SetTimeText({});
        m_piano->RefreshCounters();
        m_piano->SetTimeText("00:00");
        m_piano->SetPauseEnabled(false);
        m_piano->SetNextEnabled(false);
        m_piano->RefreshButtons();
    }
    m_result->setGeometry(0, 0, m_lowerArea->width(), m_lowerArea->y() - 1);
    m_result->SetMark(ToQString(m_task.MarkText()));
    m_result->show();
    m_result->raise();
    m_result->LayoutResult();
    if (first)
        recordResult(m_task.Mark(), m_task.Attempts, m_task.Attempts - m_task.Successes);
}

void TForm1::CompleteTask()
{
    // Nothing unfinished is handed in by a stray Enter.
    if (!m_flow->Reviewing() && !ResultShown() && !AllPartsComplete(*m_exercise)
        && m_ui.message(m_texts.Text("Messages", "HandInCaption"),
                        m_texts.Text("Messages", "HandInUnfinished"), UiButtons::YesNo)
            != UiButton::Yes)
        return;
    m_flow->CompleteTask();
    RefreshState();
}

void TForm1::ShowReview(int attempt, int iterations, bool successful)
{
    const std::string line = m_texts.Text("Messages", successful ? "ReviewSuccess" : "ReviewMistakes");
    m_reviewText = ToQString(line).arg(attempt).arg(iterations) + "\n"
        + ToQString(m_texts.Text("Messages", "ReviewContinue"));
    if (m_piano) {
        m_piano->RefreshCounters();
        m_piano->SetAdvice(m_reviewText);
    }
}

void TForm1::HideReview()
{
    m_reviewText.clear();
    refreshAdvice();
}

void TForm1::CountdownTick()
{
    if (m_notes) {
        m_notes->Tick();
        return;
    }
    if (questShown()) {
        questTick();
        return;
    }
    m_flow->Tick(harmonyShown() && m_piano);
}

void TForm1::RepaintStaff()
{
    m_staff->update();
}

void TForm1::EvaluateLater()
{
    if (m_evaluationQueued)
        return;
    m_evaluationQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_evaluationQueued = false;
        // Nothing is judged while the open dialog is up.
        if (harmonyShown() && !m_openDialogActive)
            m_flow->Evaluate();
        RefreshState();
    });
}

void TForm1::ExamPartsDone()
{
    if (!m_piano)
        return;
    m_piano->SetTimeText({});
    m_piano->RefreshCounters();
    m_piano->RefreshButtons();
}

void TForm1::RefreshCounters()
{
    if (m_piano)
        m_piano->RefreshCounters();
}

// The next iteration starts on the staff's first row; its buttons follow the document by
// themselves.
void TForm1::ExerciseReloaded()
{
    m_staff->setScrollRow(0);
    const QSignalBlocker quiet(m_scroll);
    m_scroll->setValue(1);
    if (m_piano)
        m_piano->RefreshCounters();
}

// The judgement waits for the command in hand to finish: an insertion still moves the cursor on
// after the note is written, and must not move it in the next iteration's staff.
void TForm1::exerciseChecked(ExerciseChange kind)
{
    if (kind == ExerciseChange::Loaded) {
        m_unsaved = false;
        // A worked example shows its analysis from the start.
        if (harmonyShown() && !m_exercise->EditMode && m_exercise->Status >= 0)
            AnalyseWorkedExamples(*m_exercise, m_parms->Definitor());
    } else if (m_exercise->EditMode && (kind == ExerciseChange::Edited || kind == ExerciseChange::Restored))
        m_unsaved = true;
    refreshAdvice();
    if (kind == ExerciseChange::Cursor)
        return;
    m_staff->update();
    EvaluateLater();
}

QString TForm1::reasonsOf(int part, XmlNode analysisNote, const QString &separator)
{
    if (!analysisNote || (m_exercise->IsExam && m_exercise->ExamState < 0))
        return {};
    QStringList lines;
    const auto text = [this](const std::string &id) { return m_texts.Text("Why", id); };
    for (const Why &why : ExplainChord(*m_exercise, m_parms->Definitor(), part, analysisNote))
        lines << ToQString(WhyText(why, text));
    return lines.join(separator);
}

void TForm1::refreshAdvice()
{
    if (!m_piano || !harmonyShown())
        return;
    if (m_flow->Reviewing()) {
        m_piano->SetAdvice(m_reviewText, false);
        return;
    }
    const QString reasons = reasonsOf(m_exercise->CurPart, AnalysisNoteAtCursor(*m_exercise), " ");
    // With nothing wrong to tell, the line says what to write.
    if (reasons.isEmpty())
        m_piano->SetAdvice(m_lessonTask, false);
    else
        m_piano->SetAdvice(reasons, true);
}

void TForm1::afterStaffPaint()
{
    const int rows = m_staff->drawnRows();
    if (m_needsLayout) {
        m_needsLayout = false;
        m_scroll->setEnabled(rows >= 4);
        const QSignalBlocker quiet(m_scroll);
        m_scroll->setValue(1);
    }
    // Rows can be added while writing: the range grows with what was drawn.
    m_scroll->setMaximum(std::max(1, m_staff->scrollRow() / 2 + (rows + 1) / 2));
    RefreshState();
}

void TForm1::ScrollBy(int rows)
{
    if (rows == 0)
        return;
    m_staff->setScrollRow(std::max(0, m_staff->scrollRow() + rows));
    const QSignalBlocker quiet(m_scroll);
    const int position = (2 * (m_scroll->value() - 1) + rows) / 2 + 1;
    m_scroll->setMaximum(std::max(m_scroll->maximum(), position));
    m_scroll->setValue(position);
    update();
}

void TForm1::NextPart()
{
    const int before = m_exercise->PartCount();
    int rows = m_entry->PartDown();
    if (m_exercise->PartCount() != before) {
        m_needsLayout = true;
        rows = 2;
    }
    ScrollBy(rows);
    // The cursor is drawn in its new part even when nothing scrolls.
    m_staff->update();
}

void TForm1::printPage()
{
    if (m_page->isHidden())
        return;
    PrintPage(*m_page, this);
    m_page->setFocus();
}

void TForm1::AboutDialog()
{
    TfAbout about(this, m_tdm.DataDir, m_tdm.Language, ToQString(m_texts.Text("About", "Caption")));
    about.exec();
}

void TForm1::ToggleKeyMap()
{
    if (m_keyMap) {
        m_keyMap->close();
        return;
    }
    m_keyMap
        = new TfKeys(m_tdm.DataDir, m_tdm.Language, ToQString(m_texts.Text("Messages", "KeysCaption")), this);
    m_keyMap->setAttribute(Qt::WA_DeleteOnClose);
    // Over the staff, just above the piano it explains; over a page, in its bottom right corner,
    // where the page's text is least likely to be.
    const QPoint areaTop = m_mainArea->mapToGlobal(QPoint(0, 0));
    QRect place;
    if (m_panes == Panes::Page) {
        const int height = std::min(m_keyMap->height(), std::max(200, m_mainArea->height() / 2));
        place = QRect(areaTop.x() + m_mainArea->width() - m_keyMap->width() - 10,
                      areaTop.y() + m_mainArea->height() - height - 10, m_keyMap->width(), height);
    } else {
        const int height = std::min(m_keyMap->height(), std::max(200, m_lowerArea->y() - 10));
        place = QRect(areaTop.x() + 10, areaTop.y() + m_lowerArea->y() - height - 10, m_keyMap->width(),
                      height);
    }
    if (const QScreen *screen = m_mainArea->screen())
        place = KeptInside(place, screen->availableGeometry());
    m_keyMap->setGeometry(place);
    m_keyMap->show();
}

void TForm1::SetParmsDialog()
{
    if (!harmonyShown() || !m_exercise->EditMode || m_exercise->Parts.empty())
        return;
    m_paused = true;
    TfSetParms dialog(this, &m_texts);
    ExercisePart &part = m_exercise->part(std::clamp(m_exercise->CurPart, 0, m_exercise->PartCount() - 1));
    XmlNode partNode = part.Node;
    bool filled = false;
    reportError("Ошибка", [&] {
        dialog.Fill(m_exercise->Doc->document_element(), partNode);
        filled = true;
    });
    if (filled)
        dialog.exec();
    if (dialog.Saved()) {
        part.Tonality = PartTonality(partNode);
        m_staff->update();
    }
    m_paused = false;
    RefreshState();
}

void TForm1::OpenExercise()
{
    if (!harmonyShown() || !m_exercise->EditMode || !mayLeaveLesson())
        return;
    m_openDialogActive = true;
    const std::optional<std::string> file = m_ui.openFileName({}, m_tdm.DataDir, ExerciseFileFilter);
    if (file) {
        bool loaded = false;
        reportError("Ошибка", [&] { loaded = m_exercise->LoadExercise(*file, &m_task, false); });
        m_needsLayout = true;
        m_staff->setScrollRow(0);
        m_staff->setShowExercise(loaded || m_exercise->PartCount() > 0);
    }
    m_openDialogActive = false;
    m_staff->update();
    RefreshState();
}

bool TForm1::mayLeaveLesson()
{
    if (!harmonyShown() || !m_exercise->EditMode || !m_unsaved)
        return true;
    switch (m_ui.message(m_texts.Text("Messages", "UnsavedCaption"), m_texts.Text("Messages", "UnsavedText"),
                         UiButtons::SaveDiscardCancel)) {
    case UiButton::Save:
        return SaveExercise();
    case UiButton::Discard:
        m_unsaved = false;
        return true;
    default:
        return false;
    }
}

bool TForm1::SaveExercise()
{
    if (!harmonyShown() || !m_exercise->EditMode)
        return false;
    const std::string current = m_exercise->FileName;
    const std::string proposed = current.substr(current.find_last_of("\\/") + 1);
    const std::optional<std::string> chosen = m_ui.saveFileName(
        {}, (std::filesystem::path(m_tdm.DataDir) / proposed).string(), "xml", ExerciseFileFilter);
    if (!chosen)
        return false;
    try {
        m_exercise->SaveExercise(*chosen);
    } catch (const Error &e) {
        ReportSaveFailure(m_ui, m_texts, "ExerciseNotSaved", e);
        return false;
    }
    m_exercise->SetFileName(*chosen);
    m_unsaved = false;
    return true;
}

// The application-wide filter, installed at the end of start-up.
bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_mainArea && event->type() == QEvent::Resize)
        FormResize();
    else if (watched == m_page && event->type() == QEvent::KeyRelease && browserKeyFilter(event))
        return true;
    else if (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::MouseMove)
        drillMouseEvent(watched, event);
    else if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)
             && exerciseKeyEvent(watched, static_cast<QKeyEvent *>(event)))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

} // namespace pw
