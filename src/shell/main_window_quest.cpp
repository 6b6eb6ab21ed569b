// Questionnaires ("Quest", scored) and task sheets ("AccTask") in the main window: the question
// panels in the question area, their two scroll bars, the task status panel, the countdown, the
// sounds and the end of a test with its mark.

#include "shell/main_window.h"

#include "document/xml_file.h"
#include "panels/bottom_quest.h"
#include "platform/file_paths.h"
#include "platform/qt_text.h"
#include "quest/quest_list.h"
#include "quest/quest_overlays.h"
#include "shell/quest_view.h"
#include "shell/result_panel.h"
#include "shell/video_pane.h"

#include <QComboBox>
#include <QMediaPlayer>
#include <QScrollBar>
#include <QUrl>

namespace pw {

namespace {

// Pixels per step of the horizontal bar, and the question area's margins.
constexpr int QuestStep = 30;
constexpr int QuestLeft = 30;
constexpr int QuestTop = 10;

} // namespace

void TForm1::openQuest()
{
    ResetVideo();
    arrange(Panes::Quest);
    const bool scored = m_lesson == LessonKind::Questionnaire;
    // The panel first: making it frees whatever test came before.
    if (scored)
        createQuestPanel();
    if (scored)
        m_quest = std::make_unique<TQList>(m_ui, m_random, m_bitmaps);
    else
        m_quest = std::make_unique<TAList>(m_ui, m_random, m_bitmaps);
    TQUESTPARM parms;
    pugi::xml_document sys;
    m_grafs = std::make_unique<AddGrafs>(m_ui);
    m_grafs->SetTranslation([this](const std::string &text) { return m_texts.Phrase(text); });
    reportError("Ошибка", [&] {
        if (!ReadXmlFile(sys, std::filesystem::path(m_tdm.ExeDir) / "sys.xml"))
            return;
        parms = ReadQuestParms(sys);
        m_grafs->LoadKinds(SelectNode(sys, "//Parameters/QParms"), m_tdm.ExeDir, m_bitmaps);
    });
    m_quest->SetOverlays(*m_grafs);
    const int width = m_p3d->width() - 60 - m_scroll->sizeHint().width();
    reportError("Ошибка", [&] {
        m_quest->Load({m_tdm.DataDir, m_lessonFile, m_tdm.Language}, parms, m_task, width, QuestLeft,
                      QuestTop);
    });
    m_questView = std::make_unique<TQuestView>(
        m_p3d, *m_quest, parms, [this](int place) { playQuestSound(place); },
        [this](Canvas &canvas, const TQuestion &q) {
            constexpr int BoxHeight = 30;
            DrawQuestionOverlays(*m_grafs, q, canvas, BoxHeight);
        });
    m_questView->Layout(0, 0);
    fitQuestWidth();
    const int places = m_quest->Places();
    m_scroll->blockSignals(true);
    m_scroll->setRange(0, std::max(0, places - 1));
    m_scroll->setValue(0);
    m_scroll->blockSignals(false);
    m_scroll->setVisible(places > 0);
    if (m_questPanel)
        m_questPanel->RefreshTime();
    m_keysActive = 1;
}

void TForm1::createQuestPanel()
{
    freeLowerPanel();
    m_questPanel = new TBottomQuest(
        m_task, m_tdm.ExeDir, [this] { FinishQuestionnaire(false); }, m_lowerArea);
    m_questPanel->SetTexts(m_texts);
    m_questPanel->setGeometry(0, 0, m_lowerArea->width(), m_lowerArea->height());
    m_questPanel->show();
}

void TForm1::freeQuest()
{
    if (m_video->Player() && m_video->Player()->playbackState() != QMediaPlayer::StoppedState)
        m_video->Player()->stop();
    m_questView.reset();
    m_quest.reset();
    m_grafs.reset();
    if (m_questBar)
        m_questBar->hide();
}

// The horizontal bar shows only when the widest panel does not fit the main area.
void TForm1::fitQuestWidth()
{
    const int view = m_mainArea->width() - QuestStep;
    const int widest = m_quest ? m_quest->WidestWidth() : 0;
    m_questBar->blockSignals(true);
    m_questBar->setValue(0);
    if (!m_quest || view >= widest) {
        m_questBar->hide();
    } else {
        m_questBar->setRange(0, (widest - view) / QuestStep + 1);
        m_questBar->show();
        m_questBar->raise();
    }
    m_questBar->blockSignals(false);
}

void TForm1::scrollQuest()
{
    if (m_questView)
        m_questView->Layout(m_scroll->value(), -QuestStep * m_questBar->value());
}

void TForm1::playQuestSound(int place)
{
    QMediaPlayer *player = m_video->Player();
    if (!player || !m_quest || place < 0 || place >= m_quest->Places())
        return;
    if (player->playbackState() == QMediaPlayer::PlayingState) {
        player->stop();
        return;
    }
    const std::string &sound = m_quest->Questions()[static_cast<std::size_t>(place)]->Sound;
    player->setSource(
        QUrl::fromLocalFile(QString::fromStdString(ResolveDataPath(m_tdm.DataDir, sound).string())));
    player->play();
}

void TForm1::questTick()
{
    m_task.TickDown();
    if (m_questPanel)
        m_questPanel->RefreshTime();
    if (!m_task.RunOut())
        return;
    m_task.Timer->setEnabled(false);
    if (m_lesson != LessonKind::Questionnaire)
        return;
    m_task.CountAttempt(false);
    if (m_questPanel)
        m_questPanel->RefreshTime();
    FinishQuestionnaire(true);
}

void TForm1::FinishQuestionnaire(bool forced)
{
    auto *test = dynamic_cast<TQList *>(m_quest.get());
    if (!test)
        return;
    if (!ResultShown())
        test->Recount();
    if (!forced) {
        if (ResultShown())
            return;
        QuestScroll scroll {m_scroll->value(), m_questBar->value(), m_questBar->maximum()};
        if (!test->Check(true, scroll, m_mainArea->width() - QuestStep)) {
            // The test goes on at the first empty box.
            m_questBar->blockSignals(true);
            m_questBar->setValue(scroll.horizontal);
            m_questBar->blockSignals(false);
            m_scroll->blockSignals(true);
            m_scroll->setValue(scroll.first);
            m_scroll->blockSignals(false);
            m_questView->Layout(scroll.first, -QuestStep * scroll.horizontal);
            if (const auto &empty = test->FirstEmpty())
                m_questView->FocusBox(empty->place, empty->box);
            return;
        }
    }
    const bool first = !ResultShown();
    test->Check();
    m_task.Timer->setEnabled(false);
    if (m_questPanel) {
        m_questPanel->RefreshTime();
        m_questPanel->SetFinishEnabled(false);
    }
    m_p3d->hide();
    m_questBar->hide();
    m_result->setGeometry(0, 0, m_lowerArea->width(), m_lowerArea->y() - 1);
    const int mark = QuestMark(test->Wrong(), test->Places());
    m_result->SetMark(QString::number(mark));
    m_result->show();
    m_result->raise();
    m_result->LayoutResult();
    if (first)
        recordResult(mark, test->Places(), test->Wrong());
}

} // namespace pw
