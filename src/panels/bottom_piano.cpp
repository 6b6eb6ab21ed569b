#include "panels/bottom_piano.h"

#include "panels/octave_image.h"
#include "panels/octave_painting.h"
#include "panels/octave_shift.h"
#include "panels/panel_bitmaps.h"
#include "panels/piano_geometry.h"
#include "panels/piano_layout.h"
#include "panels/picture_button.h"
#include "panels/task_counters.h"

#include "config/localization.h"
#include "document/har_exercis.h"
#include "entry/note_entry.h"
#include "midi/midi_message.h"

#include <QLabel>
#include <QPainter>
#include <QResizeEvent>

#include <algorithm>

namespace pw {

namespace {

namespace bm = panel_bitmaps;

// Clicked notes come as from MIDI input 1.
constexpr int PianoDevice = 1;
constexpr int PianoVelocity = 50;

constexpr std::array<const char *, 3> RegimIds {"RegimAuto", "RegimIfNotMistakes", "RegimDirect"};

std::string named(std::string_view base, std::string_view suffix)
{
    return std::string(base) + std::string(suffix);
}

QString qt(const std::string &utf8)
{
    return QString::fromStdString(utf8);
}

void setPixelFont(QWidget *widget, int pixels, bool bold)
{
    QFont font = widget->font();
    if (font.pixelSize() == pixels && font.bold() == bold)
        return;
    font.setPixelSize(pixels);
    font.setBold(bold);
    widget->setFont(font);
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
    applyLayout();
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
    return PreferredPianoPanelSize;
}

// The octave pictures draw only the gaps to the right of their keys; the frame closes the
// keyboard on the left and around.
void TBottomPiano::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QColor(0x7d, 0x83, 0x8c));
    const QRect &keys = m_layout.keyboard;
    painter.drawRect(keys.left() - 1, keys.top() - 1, keys.width(), keys.height() + 1);
}

void TBottomPiano::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    applyLayout();
}

void TBottomPiano::applyLayout()
{
    m_layout = LayoutPiano(size());
    const PianoLayout &l = m_layout;
    for (std::size_t k = 0; k < m_octaves.size(); ++k)
        m_octaves[k]->setGeometry(l.octaves[k]);

    if (m_firstOctave->size() != l.firstOctave.size()) {
        const qreal ratio = devicePixelRatioF();
        QPixmap marker(l.firstOctave.size() * ratio);
        marker.setDevicePixelRatio(ratio);
        marker.fill(QColor::fromRgb(bm::PanelBackground));
        QPainter painter(&marker);
        PaintFirstOctaveMarker(painter, l.firstOctave.size());
        painter.end();
        m_firstOctave->setPixmap(marker);
    }
    m_firstOctave->setGeometry(l.firstOctave);

    const std::pair<TPictureButton *, QRect> buttons[] = {
        {m_letter, l.letter}, {m_minus, l.minus}, {m_plus, l.plus},   {m_undo, l.undo},   {m_up, l.up},
        {m_left, l.left},     {m_down, l.down},   {m_right, l.right}, {m_pause, l.pause}, {m_next, l.next},
    };
    for (const auto &[button, place] : buttons)
        button->move(place.topLeft());

    for (std::size_t i = 0; i < m_counters.size(); ++i) {
        m_counters[i].caption->setGeometry(l.captions[i]);
        setPixelFont(m_counters[i].caption, l.textPixels, false);
        m_counters[i].value->setGeometry(l.values[i]);
        setPixelFont(m_counters[i].value, l.textPixels, true);
    }
    m_time->setGeometry(l.time);
    setPixelFont(m_time, l.timePixels, true);
    m_regim->setGeometry(l.regim);
    setPixelFont(m_regim, l.textPixels, false);
    m_why->setGeometry(l.why);
    setPixelFont(m_why, l.textPixels, false);
    update();
}

QPixmap TBottomPiano::loadPicture(std::string_view name) const
{
    const std::filesystem::path file = m_resDir / (std::string(name) + std::string(bm::Extension));
    return QPixmap(QString::fromStdString(file.string()));
}

void TBottomPiano::createPiano()
{
    for (int k = 0; k < piano::OctaveCount; ++k) {
        auto *image = new TOctaveImage(QString("Image%1").arg(k + 1), this);
        image->onPress = [this, k](int x, int y) { pianoPressed(k, x, y); };
        image->onRelease = [this] { pianoReleased(); };
        m_octaves[static_cast<std::size_t>(k)] = image;
    }
    m_firstOctave = new QLabel(this);
    m_firstOctave->setObjectName("lFirstOctave");
    m_firstOctave->setToolTip(qt(Localization::Default("BottomQuest", "FirstOctaveHint")));
}

TPictureButton *TBottomPiano::stateButton(const char *name, const std::string &pictures)
{
    auto *button = new TPictureButton(name, this);
    for (std::string_view state : {bm::On, bm::Off, bm::Disabled})
        button->Pictures().Add(named(pictures, state), loadPicture(named(pictures, state)));
    button->onHover = [this](TPictureButton *b, bool inside) { hoverChanged(b, inside); };
    return button;
}

TPictureButton *TBottomPiano::switchButton(const char *name, const std::string &pictures)
{
    auto *button = new TPictureButton(name, this);
    for (std::string_view state : {bm::Down, bm::Up})
        button->Pictures().Add(named(pictures, state), loadPicture(named(pictures, state)));
    button->onHover = [this](TPictureButton *b, bool inside) { hoverChanged(b, inside); };
    return button;
}

void TBottomPiano::createButtons()
{
    m_letter = switchButton("iLetter", "btn_letter");
    m_minus = switchButton("iMinus", "btn_minus");
    m_plus = switchButton("iPLus", "btn_plus");
    m_letter->setToolTip(qt(Localization::Default("BottomQuest", "LetterHint")));
    m_minus->setToolTip(qt(Localization::Default("BottomQuest", "OctaveMinusHint")));
    m_plus->setToolTip(qt(Localization::Default("BottomQuest", "OctavePlusHint")));

    m_up = stateButton("tUp", "up");
    m_left = stateButton("tLeft", "left");
    m_down = stateButton("tDown", "down");
    m_right = stateButton("tRight", "right");
    m_undo = stateButton("tUndo", "undo");

    m_pause = stateButton("bPause", "pause");
    for (std::string_view state : {bm::On, bm::Off, bm::Disabled})
        m_pause->Pictures().Add(named("play", state), loadPicture(named("play", state)));
    m_next = stateButton("bNextPart", "enter");

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
        auto *caption = new QLabel(qt(Localization::Default("BottomQuest", design.textId)), this);
        caption->setObjectName(design.caption);
        auto *value = new QLabel(this);
        value->setObjectName(design.value);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_counters[i] = {caption, value};
    }
    m_time = new QLabel("00:00", this);
    m_time->setObjectName("TimeRest");
    m_time->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    // The mode line wraps when the counters block is narrow.
    m_regim = new QLabel(this);
    m_regim->setObjectName("lRegim");
    m_regim->setWordWrap(true);
    m_regim->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette muted = m_regim->palette();
    muted.setColor(QPalette::WindowText, QColor(0x3d, 0x4a, 0x5c));
    m_regim->setPalette(muted);

    // Why the chord at the cursor is wrong, in the error colour of the staff.
    m_why = new QLabel(this);
    m_why->setObjectName("lWhy");
    m_why->setWordWrap(true);
    m_why->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette error = m_why->palette();
    error.setColor(QPalette::WindowText, QColor(0xc0, 0x10, 0x10));
    m_why->setPalette(error);
}

// Two lines hold most reasons; the tooltip holds them all.
void TBottomPiano::SetAdvice(const QString &text, bool fault)
{
    // Reasons of a fault in the staff's error red, everything else (the task, a review) plain.
    QPalette shade = m_why->palette();
    shade.setColor(QPalette::WindowText, fault ? QColor(0xc0, 0x10, 0x10) : QColor(0x2a, 0x35, 0x45));
    m_why->setPalette(shade);
    m_why->setText(text);
    m_why->setToolTip(text);
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
    m_firstOctave->setToolTip(qt(texts.BottomQuest("FirstOctaveHint")));
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

void TBottomPiano::SetSounding(int midiNote, bool sounding)
{
    if (const auto key = piano::KeyOfNote(midiNote))
        m_octaves[static_cast<std::size_t>(key->octave)]->SetPressed(key->offset, sounding);
}

bool TBottomPiano::Sounding(int midiNote) const
{
    const auto key = piano::KeyOfNote(midiNote);
    return key && m_octaves[static_cast<std::size_t>(key->octave)]->Pressed(key->offset);
}

void TBottomPiano::pianoPressed(int octave, int x, int y)
{
    if (m_paused) {
        if (m_callbacks.PauseToggle)
            m_callbacks.PauseToggle();
        return;
    }
    const TOctaveImage *image = m_octaves[static_cast<std::size_t>(octave)];
    const auto offset = piano::NoteOffsetAt(x, y, image->WhiteKeyWidth(), image->height());
    if (!offset)
        return;
    m_lastNote = piano::MidiNote(octave, *offset);
    SetSounding(m_lastNote, true);
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
    SetSounding(note, false);
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
    std::array<OctaveLetters, piano::OctaveCount> shown;
    shown.fill(OctaveLetters::None);
    const int voice = currentVoice();
    if (m_letters && voice >= 0 && voice < 4) {
        const auto lettered = LetteredOctaves(voice, m_exercise.OctOffset[static_cast<std::size_t>(voice)]);
        const OctaveLetters faces[] = {OctaveLetters::Lower, OctaveLetters::Upper};
        for (std::size_t i = 0; i < lettered.size(); ++i) {
            if (lettered[i] >= 0 && lettered[i] < piano::OctaveCount)
                shown[static_cast<std::size_t>(lettered[i])] = faces[i];
        }
    }
    for (std::size_t k = 0; k < m_octaves.size(); ++k)
        m_octaves[k]->ShowLetters(shown[k]);
}

} // namespace pw
