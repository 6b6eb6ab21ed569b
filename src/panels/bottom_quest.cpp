#include "panels/bottom_quest.h"

#include "config/localization.h"
#include "document/timer_area.h"
#include "panels/panel_bitmaps.h"
#include "panels/picture_button.h"
#include "panels/task_counters.h"
#include "platform/qt_text.h"

#include <QLabel>
#include <QMouseEvent>

namespace pw {

namespace {

namespace bm = panel_bitmaps;

// TimeRest's left edge stays this far from the panel's right edge.
constexpr int TimeFromRight = 220;

struct QuestCounter
{
    const char *caption;
    const char *value;
    const char *textId;
};
// The singular "Mistake" and the lower-case "tasksCompleted" are this panel's own.
constexpr std::array<QuestCounter, 5> QuestCounters {{
    {"lExercise", "TasksNumber", "Exercise"},
    {"lRemains", "TasksRemain", "Remains"},
    {"lCompleted", "tasksCompleted", "Completed"},
    {"lSuccessfull", "TasksSuccessful", "Successfull"},
    {"lMistake", "TasksWithMistakes", "Mistake"},
}};

std::string picture(std::string_view state)
{
    return "stop" + std::string(state);
}

} // namespace

TBottomQuest::TBottomQuest(const TimerArea &task, const std::filesystem::path &exeDir,
                           std::function<void()> finish, QWidget *parent)
    : QWidget(parent)
    , m_task(task)
    , m_finish(std::move(finish))
{
    setObjectName("TBottomQuest");
    setMouseTracking(true);
    for (std::size_t i = 0; i < QuestCounters.size(); ++i) {
        m_captions[i]
            = new QLabel(ToQString(Localization::Default("BottomQuest", QuestCounters[i].textId)), this);
        m_captions[i]->setObjectName(QuestCounters[i].caption);
        m_captions[i]->hide();
        m_values[i] = new QLabel(this);
        m_values[i]->setObjectName(QuestCounters[i].value);
        m_values[i]->hide();
    }
    m_time = new QLabel("00:00", this);
    m_time->setObjectName("TimeRest");
    m_time->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont big = m_time->font();
    big.setPointSize(big.pointSize() * 3);
    big.setBold(true);
    m_time->setFont(big);
    m_time->adjustSize();

    m_fin = new TPictureButton("qFin", this);
    m_fin->setToolTip(ToQString(Localization::Default("BottomQuest", "FinishHint")));
    const std::filesystem::path res = exeDir / std::string(bm::Folder);
    for (std::string_view state : {bm::On, bm::Off, bm::Disabled})
        m_fin->Pictures().Add(
            picture(state),
            QPixmap(QString::fromStdString((res / (picture(state) + std::string(bm::Extension))).string())));
    m_fin->onHover = [this](TPictureButton *, bool inside) { RefreshButton(inside); };
    connect(m_fin, &QAbstractButton::clicked, this, [this] {
        if (m_finish && m_finishEnabled)
            m_finish();
    });
    RefreshButton(false);
    place();
}

void TBottomQuest::SetTexts(const Localization &texts)
{
    for (std::size_t i = 0; i < QuestCounters.size(); ++i)
        m_captions[i]->setText(ToQString(texts.BottomQuest(QuestCounters[i].textId)));
    m_fin->setToolTip(ToQString(texts.BottomQuest("FinishHint")));
}

void TBottomQuest::RefreshTime()
{
    m_time->setText(ToQString(TimeText(m_task.LimitMin, m_task.LimitSec)));
}

void TBottomQuest::RefreshButton(bool underMouse)
{
    m_fin->setVisible(m_finishVisible);
    m_fin->ShowPicture(picture(!m_finishEnabled ? bm::Disabled : underMouse ? bm::On : bm::Off));
}

void TBottomQuest::SetFinishVisible(bool visible)
{
    m_finishVisible = visible;
    RefreshButton(false);
}

void TBottomQuest::SetFinishEnabled(bool enabled)
{
    m_finishEnabled = enabled;
    m_fin->setEnabled(enabled);
    RefreshButton(false);
}

void TBottomQuest::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    place();
}

void TBottomQuest::mouseMoveEvent(QMouseEvent *event)
{
    RefreshButton(false);
    QWidget::mouseMoveEvent(event);
}

void TBottomQuest::place()
{
    const int timeLeft = width() - TimeFromRight;
    m_time->setGeometry(timeLeft, (height() - m_time->height()) / 2, TimeFromRight - 20, m_time->height());
    const int button = bm::ButtonSize;
    m_fin->setGeometry(timeLeft - 2 * button, (height() - button) / 2, button, button);
}

} // namespace pw
