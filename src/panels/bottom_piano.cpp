#include "panels/bottom_piano.h"

#include "panels/octave_image.h"
#include "panels/octave_shift.h"
#include "panels/panel_bitmaps.h"
#include "panels/piano_geometry.h"
#include "panels/picture_button.h"
#include "panels/task_counters.h"

#include "config/localization.h"
#include "document/har_exercis.h"
#include "entry/note_entry.h"
#include "midi/midi_message.h"

#include <QLabel>
#include <QPainter>

#include <algorithm>

namespace pw {

namespace {

namespace bm = panel_bitmaps;

constexpr int Margin = 8;
constexpr int Gap = 14;
constexpr int ButtonStep = bm::ButtonSize + 4;
// Two rows of buttons centred beside the piano.
constexpr int ButtonRow0 = Margin + (piano::OctaveHeight - ButtonStep - bm::ButtonSize) / 2;
constexpr int ButtonRow1 = ButtonRow0 + ButtonStep;
constexpr int SwitchLeft = Margin + piano::OctaveCount * piano::OctaveWidth + Gap;
constexpr int ArrowLeft = SwitchLeft + 2 * ButtonStep + Gap;
constexpr int UndoLeft = ArrowLeft + 3 * ButtonStep + Gap - 4;
constexpr int TaskLeft = UndoLeft + ButtonStep + Gap - 4;
constexpr int CounterLeft = TaskLeft + ButtonStep + 2 * Gap;
constexpr int CaptionWidth = 110;
constexpr int ValueWidth = 36;
constexpr int CounterRow = 17;
constexpr int TimeLeft = CounterLeft + CaptionWidth + ValueWidth + Gap;
constexpr int RegimWidth = 520;
constexpr int PanelWidth = CounterLeft + RegimWidth + Margin;
// Two lines for the reasons of a faulty chord, under the counters and the mode line.
constexpr int WhyTop = Margin + 6 * CounterRow + 4;
constexpr int WhyHeight = 2 * CounterRow;
constexpr int PanelHeight
    = std::max(Margin + piano::OctaveHeight + 2 + bm::MarkerHeight + 6, WhyTop + WhyHeight);

// Clicked notes come as from MIDI input 1.
constexpr int PianoDevice = 1;
constexpr int PianoVelocity = 50;

// The octave that starts at middle C, "the first octave" in Russian naming.
constexpr int FirstOctave = 2;

struct CounterDesign
{
    const char *caption;
    const char *value;
    const char *textId;
};
constexpr std::array<CounterDesign, 5> CounterDesigns {{
    {"lExercis", "TasksNumber", "Exercise"},
    {"lRemain", "TasksRemain", "Remains"},
    {"lComplete", "TasksCompleted", "Completed"},
    {"lSuccessfull", "TasksSuccessful", "Successfull"},
    {"lMistakes", "TasksWithMistakes", "Mistakes"},
}};

constexpr std::array<const char *, 3> RegimIds {"RegimAuto", "RegimIfNotMistakes", "RegimDirect"};

std::string named(std::string_view base, std::string_view suffix)
{
    return std::string(base) + std::string(suffix);
}

QString qt(const std::string &utf8)
{
    return QString::fromStdString(utf8);
}

} // namespace

TBottomPiano::TBottomPiano(HarExercis &exercise, const NoteEntry &entry, const TimerArea &task,
                           const std::filesystem::path &exeDir, PianoCallbacks callbacks, QWidget *parent)
    : QWidget(parent)
    , m_exercise(exercise)
    , m_entry(entry)
    , m_task(task)
    , m_resDir(exeDir / bm::Folder)
    , m_callbacks(std::move(callbacks))
{
    setObjectName("BottomPiano");
    setAutoFillBackground(true);
    QPalette face = palette();
    face.setColor(QPalette::Window, QColor::fromRgb(bm::PanelBackground));
    setPalette(face);
    resize(sizeHint());

    createPiano();
    createButtons();
    createCounters();
    SetCompletionMode(0);
    RefreshButtons();
    m_exercise.AddListener(*this);
}

TBottomPiano::~TBottomPiano()
{
    m_exercise.RemoveListener(*this);
}

void TBottomPiano::ExerciseChanged(ExerciseChange, int)
{
    RefreshButtons();
}

QSize TBottomPiano::sizeHint() const
{
    return {PanelWidth, PanelHeight};
}

// The octave pictures draw only the gaps to the right of their keys; the frame closes the
// keyboard on the left and around.
void TBottomPiano::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QColor(0x7d, 0x83, 0x8c));
    painter.drawRect(Margin - 1, Margin - 1, piano::OctaveCount * piano::OctaveWidth,
                     piano::OctaveHeight + 1);
}

QPixmap TBottomPiano::loadPicture(std::string_view name) const
{
    const std::filesystem::path file = m_resDir / (std::string(name) + std::string(bm::Extension));
    return QPixmap(QString::fromStdString(file.string()));
}

void TBottomPiano::createPiano()
{
    const QPixmap plain = loadPicture(bm::PlainOctave);
    const QPixmap lower = loadPicture(bm::LetteredOctaves[0]);
    const QPixmap upper = loadPicture(bm::LetteredOctaves[1]);
    for (int k = 0; k < piano::OctaveCount; ++k) {
        auto *image = new TOctaveImage(QString("Image%1").arg(k + 1), this);
        image->move(Margin + k * piano::OctaveWidth, Margin);
        image->Pictures().Add(std::string(bm::PlainOctave), plain);
        image->Pictures().Add(std::string(bm::LetteredOctaves[0]), lower);
        image->Pictures().Add(std::string(bm::LetteredOctaves[1]), upper);
        image->ShowPicture(std::string(bm::PlainOctave));
        image->onPress = [this, k](int x, int y) { pianoPressed(k, x, y); };
        image->onRelease = [this] { pianoReleased(); };
        m_octaves[static_cast<std::size_t>(k)] = image;
    }
    m_firstOctave = new QLabel(this);
    m_firstOctave->setObjectName("lFirstOctave");
    m_firstOctave->setToolTip("Первая октава");
    m_firstOctave->setPixmap(loadPicture(bm::FirstOctaveMarker));
    m_firstOctave->setGeometry(Margin + FirstOctave * piano::OctaveWidth, Margin + piano::OctaveHeight + 2,
                               piano::OctaveWidth, bm::MarkerHeight);
}

TPictureButton *TBottomPiano::stateButton(const char *name, const std::string &pictures, int x, int y)
{
    auto *button = new TPictureButton(name, this);
    button->move(x, y);
    for (std::string_view state : {bm::On, bm::Off, bm::Disabled})
        button->Pictures().Add(named(pictures, state), loadPicture(named(pictures, state)));
    button->onHover = [this](TPictureButton *b, bool inside) { hoverChanged(b, inside); };
    return button;
}

TPictureButton *TBottomPiano::switchButton(const char *name, const std::string &pictures, int x, int y)
{
    auto *button = new TPictureButton(name, this);
    button->move(x, y);
    for (std::string_view state : {bm::Down, bm::Up})
        button->Pictures().Add(named(pictures, state), loadPicture(named(pictures, state)));
    button->onHover = [this](TPictureButton *b, bool inside) { hoverChanged(b, inside); };
    return button;
}

void TBottomPiano::createButtons()
{
    m_letter = switchButton("iLetter", "btn_letter", SwitchLeft + ButtonStep / 2, ButtonRow0);
    m_minus = switchButton("iMinus", "btn_minus", SwitchLeft, ButtonRow1);
    m_plus = switchButton("iPLus", "btn_plus", SwitchLeft + ButtonStep, ButtonRow1);
    m_letter->setToolTip(qt(Localization::Default("BottomQuest", "LetterHint")));
    m_minus->setToolTip(qt(Localization::Default("BottomQuest", "OctaveMinusHint")));
    m_plus->setToolTip(qt(Localization::Default("BottomQuest", "OctavePlusHint")));

    m_up = stateButton("tUp", "up", ArrowLeft + ButtonStep, ButtonRow0);
    m_left = stateButton("tLeft", "left", ArrowLeft, ButtonRow1);
    m_down = stateButton("tDown", "down", ArrowLeft + ButtonStep, ButtonRow1);
    m_right = stateButton("tRight", "right", ArrowLeft + 2 * ButtonStep, ButtonRow1);
    m_undo = stateButton("tUndo", "undo", UndoLeft, ButtonRow1);

    m_pause = stateButton("bPause", "pause", TaskLeft, ButtonRow0);
    for (std::string_view state : {bm::On, bm::Off, bm::Disabled})
        m_pause->Pictures().Add(named("play", state), loadPicture(named("play", state)));
    m_next = stateButton("bNextPart", "enter", TaskLeft, ButtonRow1);

    const auto connectKey = [this](TPictureButton *button, int key, Qt::KeyboardModifiers modifiers) {
        connect(button, &QAbstractButton::clicked, this, [this, button, key, modifiers] {
            // A button showing its disabled picture has nothing to do.
            if (!m_paused && !button->ShownPicture().ends_with(bm::Disabled))
                sendKey(key, modifiers);
        });
    };
    connectKey(m_left, Qt::Key_Left, Qt::NoModifier);
    connectKey(m_up, Qt::Key_Up, Qt::NoModifier);
    connectKey(m_down, Qt::Key_Down, Qt::NoModifier);
    connectKey(m_right, Qt::Key_Right, Qt::NoModifier);
    connectKey(m_undo, Qt::Key_Z, Qt::ControlModifier);

    connect(m_pause, &QAbstractButton::clicked, this, [this] {
        if (m_pauseEnabled && m_callbacks.PauseToggle)
            m_callbacks.PauseToggle();
        RefreshButtons();
    });
    connect(m_next, &QAbstractButton::clicked, this, [this] {
        if (!m_paused && m_nextEnabled && m_callbacks.CompleteTask)
            m_callbacks.CompleteTask();
        RefreshButtons();
    });
    connect(m_letter, &QAbstractButton::clicked, this, [this] {
        if (m_paused)
            return;
        m_letters = !m_letters;
        RefreshButtons();
    });
    connect(m_minus, &QAbstractButton::clicked, this, [this] {
        if (!m_paused)
            OctaveDown();
    });
    connect(m_plus, &QAbstractButton::clicked, this, [this] {
        if (!m_paused)
            OctaveUp();
    });
}

void TBottomPiano::createCounters()
{
    for (std::size_t i = 0; i < CounterDesigns.size(); ++i) {
        const CounterDesign &design = CounterDesigns[i];
        const int y = Margin + static_cast<int>(i) * CounterRow;
        auto *caption = new QLabel(qt(Localization::Default("BottomQuest", design.textId)), this);
        caption->setObjectName(design.caption);
        caption->setGeometry(CounterLeft, y, CaptionWidth, CounterRow - 1);
        auto *value = new QLabel(this);
        value->setObjectName(design.value);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setGeometry(CounterLeft + CaptionWidth, y, ValueWidth, CounterRow - 1);
        QFont bold = value->font();
        bold.setBold(true);
        value->setFont(bold);
        m_counters[i] = {caption, value};
    }
    m_time = new QLabel("00:00", this);
    m_time->setObjectName("TimeRest");
    m_time->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont big = m_time->font();
    big.setPixelSize(24);
    big.setBold(true);
    m_time->setFont(big);
    m_time->setGeometry(TimeLeft, Margin, 90, 2 * CounterRow);

    m_regim = new QLabel(this);
    m_regim->setObjectName("lRegim");
    m_regim->setGeometry(CounterLeft, Margin + static_cast<int>(CounterDesigns.size()) * CounterRow + 4,
                         RegimWidth, CounterRow - 1);
    QPalette muted = m_regim->palette();
    muted.setColor(QPalette::WindowText, QColor(0x3d, 0x4a, 0x5c));
    m_regim->setPalette(muted);

    // Why the chord at the cursor is wrong, in the error colour of the staff.
    m_why = new QLabel(this);
    m_why->setObjectName("lWhy");
    m_why->setWordWrap(true);
    m_why->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_why->setGeometry(CounterLeft, WhyTop, RegimWidth, WhyHeight);
    QPalette error = m_why->palette();
    error.setColor(QPalette::WindowText, QColor(0xc0, 0x10, 0x10));
    m_why->setPalette(error);
}

void TBottomPiano::SetAdvice(const QString &text)
{
    m_why->setText(text);
}

QString TBottomPiano::Advice() const
{
    return m_why->text();
}

void TBottomPiano::SetTexts(const Localization &texts)
{
    m_texts = &texts;
    for (std::size_t i = 0; i < CounterDesigns.size(); ++i)
        m_counters[i].caption->setText(qt(texts.BottomQuest(CounterDesigns[i].textId)));
    m_letter->setToolTip(qt(texts.BottomQuest("LetterHint")));
    m_minus->setToolTip(qt(texts.BottomQuest("OctaveMinusHint")));
    m_plus->setToolTip(qt(texts.BottomQuest("OctavePlusHint")));
    SetCompletionMode(m_mode);
}

void TBottomPiano::SetCompletionMode(int mode)
{
    m_mode = mode;
    if (mode < 0 || mode >= static_cast<int>(RegimIds.size())) {
        m_regim->clear();
        return;
    }
    const char *id = RegimIds[static_cast<std::size_t>(mode)];
    m_regim->setText(qt(m_texts ? m_texts->BottomQuest(id) : Localization::Default("BottomQuest", id)));
}

void TBottomPiano::ShowCounters(bool on)
{
    for (const Counter &counter : m_counters) {
        counter.caption->setVisible(on);
        counter.value->setVisible(on);
    }
    m_time->setVisible(on);
    m_regim->setVisible(on);
    m_buttonsVisible = on;
    RefreshButtons();
}

void TBottomPiano::RefreshCounters()
{
    const CounterTexts texts = PianoCounterTexts(m_task);
    const std::array<const std::string *, 5> values {&texts.number, &texts.remain, &texts.completed,
                                                     &texts.successful, &texts.mistakes};
    for (std::size_t i = 0; i < m_counters.size(); ++i)
        m_counters[i].value->setText(qt(*values[i]));
    m_time->setText(qt(texts.time));
}

void TBottomPiano::SetTimeText(const QString &text)
{
    m_time->setText(text);
}

void TBottomPiano::SetPaused(bool paused)
{
    m_paused = paused;
    RefreshButtons();
}

void TBottomPiano::SetPauseEnabled(bool enabled)
{
    m_pauseEnabled = enabled;
    RefreshButtons();
}

void TBottomPiano::SetNextEnabled(bool enabled)
{
    m_nextEnabled = enabled;
    RefreshButtons();
}

int TBottomPiano::currentVoice() const
{
    return m_exercise.CurrentVoice();
}

void TBottomPiano::pianoPressed(int octave, int x, int y)
{
    if (m_paused) {
        if (m_callbacks.PauseToggle)
            m_callbacks.PauseToggle();
        return;
    }
    const auto offset
        = piano::NoteOffsetAt(x, y, m_octaves[static_cast<std::size_t>(octave)]->WhiteKeyWidth());
    if (!offset)
        return;
    m_lastNote = piano::MidiNote(octave, *offset);
    if (m_callbacks.NoteHandler)
        m_callbacks.NoteHandler(PianoDevice, midi::NoteOn, m_lastNote, PianoVelocity);
}

// Only a press that sounded a note is answered by a note-off, so a press that resumed the
// lesson or missed the keys never repeats an old one.
void TBottomPiano::pianoReleased()
{
    if (m_lastNote < 0)
        return;
    const int note = m_lastNote;
    m_lastNote = -1;
    if (m_callbacks.NoteHandler)
        m_callbacks.NoteHandler(PianoDevice, midi::NoteOff, note, PianoVelocity);
}

void TBottomPiano::sendKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (m_callbacks.KeyHandler)
        m_callbacks.KeyHandler(key, modifiers);
    RefreshButtons();
}

void TBottomPiano::changeOctave(int (*toggle)(int, int))
{
    const int voice = currentVoice();
    if (voice < 0 || voice > 3)
        return;
    int &offset = m_exercise.OctOffset[static_cast<std::size_t>(voice)];
    offset = toggle(voice, offset);
    RefreshButtons();
}

void TBottomPiano::OctaveUp()
{
    changeOctave(OctaveOffsetAfterPlus);
}

void TBottomPiano::OctaveDown()
{
    changeOctave(OctaveOffsetAfterMinus);
}

void TBottomPiano::hoverChanged(TPictureButton *button, bool inside)
{
    if (inside)
        m_hovered = button;
    else if (m_hovered == button)
        m_hovered = nullptr;
    RefreshButtons();
}

void TBottomPiano::showStateButton(TPictureButton *button, const std::string &pictures, bool possible)
{
    if (!possible)
        button->ShowPicture(named(pictures, bm::Disabled));
    else
        button->ShowPicture(named(pictures, button == m_hovered ? bm::On : bm::Off));
}

void TBottomPiano::RefreshButtons()
{
    m_pause->setVisible(m_buttonsVisible);
    showStateButton(m_pause, m_paused ? "play" : "pause", m_pauseEnabled);
    m_next->setVisible(m_buttonsVisible);
    showStateButton(m_next, "enter", m_nextEnabled && !m_paused);

    m_letter->ShowPicture(named("btn_letter", m_letters ? bm::Down : bm::Up));
    const int voice = currentVoice();
    const int offset = voice >= 0 && voice < 4 ? m_exercise.OctOffset[static_cast<std::size_t>(voice)] : 0;
    m_minus->setVisible(m_letters);
    m_plus->setVisible(m_letters);
    m_minus->ShowPicture(named("btn_minus", offset < 0 ? bm::Down : bm::Up));
    m_plus->ShowPicture(named("btn_plus", offset > 0 ? bm::Down : bm::Up));

    showStateButton(m_left, "left", !m_paused);
    showStateButton(m_right, "right", !m_paused);
    showStateButton(m_up, "up", !m_paused && m_entry.CanChangeVoice(1));
    showStateButton(m_down, "down", !m_paused && m_entry.CanChangeVoice(-1));
    showStateButton(m_undo, "undo", !m_paused && m_exercise.CanUndo());

    refreshOctavePictures();
}

void TBottomPiano::refreshOctavePictures()
{
    std::array<std::string, piano::OctaveCount> shown;
    shown.fill(std::string(bm::PlainOctave));
    const int voice = currentVoice();
    if (m_letters && voice >= 0 && voice < 4) {
        const auto lettered = LetteredOctaves(voice, m_exercise.OctOffset[static_cast<std::size_t>(voice)]);
        for (std::size_t i = 0; i < lettered.size(); ++i) {
            if (lettered[i] >= 0 && lettered[i] < piano::OctaveCount)
                shown[static_cast<std::size_t>(lettered[i])] = std::string(bm::LetteredOctaves[i]);
        }
    }
    for (std::size_t k = 0; k < m_octaves.size(); ++k)
        m_octaves[k]->ShowPicture(shown[k]);
}

} // namespace pw
