#include "panels/bottom_notes.h"

#include "config/localization.h"
#include "document/timer_area.h"
#include "panels/task_counters.h"
#include "platform/qt_text.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

namespace pw {

namespace {

// A second between the steps of a melodic task, 300 ms before the hint, 600 ms of wait cursor.
constexpr int StepDelayMs = 1000;
constexpr int HintDelayMs = 300;
constexpr int BusyMs = 600;
constexpr int HandlerDevice = 1;

struct FamilyDesign
{
    const char *name;
    const char *textId;
};
constexpr std::array<FamilyDesign, FamilyCount> FamilyDesigns {{
    {"sPiano", "Piano"},
    {"sOtherKeys", "OtherKeys"},
    {"sOrgan", "Organ"},
    {"sGuitar", "Guitar"},
    {"sStrings", "Strings"},
    {"sGold", "Brass"},
    {"sWood", "Reeds"},
    {"sSvirel", "Pipes"},
}};

} // namespace

TBottomNotes::TBottomNotes(TimerArea &task, Random &random, NotesCallbacks callbacks, QWidget *parent)
    : QWidget(parent)
    , m_task(task)
    , m_callbacks(std::move(callbacks))
    , m_drill(task, random, *this)
{
    setObjectName("TBottomNotes");
    setAutoFillBackground(true);
    m_stepTimer.setSingleShot(true);
    connect(&m_stepTimer, &QTimer::timeout, this, [this] {
        if (m_stepSerial == m_drill.TaskSerial())
            m_drill.PlayNextStep();
    });
    m_hintTimer.setSingleShot(true);
    connect(&m_hintTimer, &QTimer::timeout, this, [this] {
        if (m_hintSerial != m_drill.TaskSerial())
            return;
        m_hintShown = true;
        if (m_callbacks.RepaintArea)
            m_callbacks.RepaintArea();
    });
    createCounters();
    createFamilies();
    layoutControls();
    m_texts = DrillTextsFrom(Localization());
}

TBottomNotes::~TBottomNotes()
{
    if (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

void TBottomNotes::createCounters()
{
    for (std::size_t i = 0; i < CounterDesigns.size(); ++i) {
        const CounterDesign &design = CounterDesigns[i];
        auto *caption = new QLabel(ToQString(Localization::Default("BottomQuest", design.textId)), this);
        caption->setObjectName(design.caption);
        auto *value = new QLabel(this);
        value->setObjectName(design.value);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setMinimumWidth(30);
        m_counters[i] = {caption, value};
    }
    m_time = new QLabel("00:00", this);
    m_time->setObjectName("TimeRest");
    QFont big = m_time->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    m_time->setFont(big);
}

void TBottomNotes::createFamilies()
{
    m_soundsCaption = new QLabel(ToQString(Localization::Default("NoteDrill", "Sounds")), this);
    for (std::size_t i = 0; i < FamilyDesigns.size(); ++i) {
        auto *box
            = new QCheckBox(ToQString(Localization::Default("NoteDrill", FamilyDesigns[i].textId)), this);
        box->setObjectName(FamilyDesigns[i].name);
        box->setFocusPolicy(Qt::NoFocus);
        box->setChecked(m_drill.Instruments().families[i]);
        connect(box, &QCheckBox::toggled, this, [this](bool on) { familyToggled(on); });
        m_families[i] = box;
    }
    m_pianoOnly = new QCheckBox(ToQString(Localization::Default("NoteDrill", "PianoOnly")), this);
    m_pianoOnly->setObjectName("sPianoOnly");
    m_pianoOnly->setFocusPolicy(Qt::NoFocus);
    connect(m_pianoOnly, &QCheckBox::toggled, this, [this](bool on) { pianoOnlyToggled(on); });
}

void TBottomNotes::layoutControls()
{
    auto *counters = new QGridLayout;
    for (std::size_t i = 0; i < m_counters.size(); ++i) {
        counters->addWidget(m_counters[i].caption, static_cast<int>(i), 0);
        counters->addWidget(m_counters[i].value, static_cast<int>(i), 1);
    }
    auto *families = new QGridLayout;
    families->addWidget(m_soundsCaption, 0, 0, 1, 3);
    for (std::size_t i = 0; i < m_families.size(); ++i)
        families->addWidget(m_families[i], 1 + static_cast<int>(i) % 3, static_cast<int>(i) / 3);
    families->addWidget(m_pianoOnly, 3, 2);
    auto *row = new QHBoxLayout(this);
    row->addLayout(counters);
    row->addSpacing(20);
    row->addWidget(m_time, 0, Qt::AlignVCenter);
    row->addSpacing(30);
    row->addLayout(families, 1);
}

void TBottomNotes::SetTexts(const Localization &texts)
{
    for (std::size_t i = 0; i < m_counters.size(); ++i)
        m_counters[i].caption->setText(ToQString(texts.BottomQuest(CounterDesigns[i].textId)));
    for (std::size_t i = 0; i < m_families.size(); ++i)
        m_families[i]->setText(ToQString(texts.Text("NoteDrill", FamilyDesigns[i].textId)));
    m_pianoOnly->setText(ToQString(texts.Text("NoteDrill", "PianoOnly")));
    m_soundsCaption->setText(ToQString(texts.Text("NoteDrill", "Sounds")));
    m_texts = DrillTextsFrom(texts);
}

void TBottomNotes::SetUp(XmlNode parm, const std::filesystem::path &dataDir, BitmapLoader &loader,
                         int areaWidth, int areaHeight)
{
    const DrillSettings settings = ReadDrillSettings(parm, parm.parent());
    m_pictures = LoadDrillPictures(settings, dataDir, loader);
    SetPictureSizes(m_drill, m_pictures);
    m_drill.SetArea(areaWidth, areaHeight);
    m_drill.SetUp(settings);
    RefreshCounters();
}

void TBottomNotes::SetAreaSize(int width, int height)
{
    m_drill.SetArea(width, height);
}

void TBottomNotes::RefreshCounters()
{
    const CounterTexts texts = DrillCounterTexts(m_task);
    const std::array<const std::string *, 5> values {&texts.number, &texts.remain, &texts.completed,
                                                     &texts.successful, &texts.mistakes};
    const bool running = !m_drill.Ended();
    for (std::size_t i = 0; i < m_counters.size(); ++i) {
        m_counters[i].value->setText(ToQString(*values[i]));
        m_counters[i].caption->setVisible(running);
        m_counters[i].value->setVisible(running);
    }
    m_time->setText(ToQString(texts.time));
}

void TBottomNotes::Paint(Canvas &canvas) const
{
    PaintDrill(canvas, m_drill, {m_pictures.keyboard.get(), m_pictures.staff.get()}, m_texts,
               m_hintShown && m_hintSerial == m_drill.TaskSerial());
}

void TBottomNotes::SendToOutputs(int status, int data1, int data2)
{
    if (m_callbacks.SendToOutputs)
        m_callbacks.SendToOutputs(status, data1, data2);
}

void TBottomNotes::SendThroughNoteHandler(int status, int data1, int data2)
{
    if (m_callbacks.NoteHandler)
        m_callbacks.NoteHandler(HandlerDevice, status, data1, data2);
}

void TBottomNotes::PlayStepLater()
{
    m_stepSerial = m_drill.TaskSerial();
    m_stepTimer.start(StepDelayMs);
}

void TBottomNotes::Redraw()
{
    if (m_hintSerial != m_drill.TaskSerial()) {
        m_hintSerial = m_drill.TaskSerial();
        m_hintShown = false;
        if (m_drill.HintKey())
            m_hintTimer.start(HintDelayMs);
    }
    if (m_callbacks.RepaintArea)
        m_callbacks.RepaintArea();
}

void TBottomNotes::CountersChanged()
{
    RefreshCounters();
}

void TBottomNotes::SeriesEnded()
{
    if (m_callbacks.ShowDrillResult)
        m_callbacks.ShowDrillResult();
}

void TBottomNotes::Busy()
{
    if (!QApplication::overrideCursor())
        QApplication::setOverrideCursor(Qt::WaitCursor);
    QTimer::singleShot(BusyMs, this, [] {
        if (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
    });
}

void TBottomNotes::familyToggled(bool on)
{
    if (m_settingBoxes)
        return;
    InstrumentChoice choice = m_drill.Instruments();
    for (std::size_t i = 0; i < m_families.size(); ++i)
        choice.families[i] = m_families[i]->isChecked();
    // Ticking a family leaves "piano only".
    if (on) {
        choice.pianoOnly = false;
        m_settingBoxes = true;
        m_pianoOnly->setChecked(false);
        m_settingBoxes = false;
    }
    m_drill.SetInstruments(choice);
}

void TBottomNotes::pianoOnlyToggled(bool on)
{
    if (m_settingBoxes)
        return;
    InstrumentChoice choice = m_drill.Instruments();
    choice.pianoOnly = on;
    // Every family box takes the opposite of "piano only".
    m_settingBoxes = true;
    for (std::size_t i = 0; i < m_families.size(); ++i) {
        m_families[i]->setChecked(!on);
        choice.families[i] = !on;
    }
    m_settingBoxes = false;
    m_drill.SetInstruments(choice);
}

} // namespace pw
