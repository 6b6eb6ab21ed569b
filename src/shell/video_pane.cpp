#include "shell/video_pane.h"

#include "config/language_variant.h"

#include "config/localization.h"
#include "document/xml_access.h"
#include "platform/error.h"

#include <QAudioOutput>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QMediaPlayer>
#include <QPointer>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVideoWidget>

#include <algorithm>

namespace pw {

namespace {

constexpr int Margin = 4;
constexpr int ButtonSize = 32;
constexpr int LevelWidth = 24;
constexpr int MaxVolume = 10000;

} // namespace

void PreferGStreamerMedia()
{
    if (!qEnvironmentVariableIsSet("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "gstreamer");
}

TVideoPane::TVideoPane(QWidget *hlp, QWidget *p3d)
    : QObject(hlp)
    , m_hlp(hlp)
    , m_p3d(p3d)
{
    PreferGStreamerMedia();

    m_controls = new QWidget(hlp);
    m_controls->setObjectName("pVC");

    m_track = new QSlider(Qt::Horizontal, m_controls);
    m_track->setObjectName("dstb");
    m_track->setRange(0, 0);

    m_play = new QToolButton(m_controls);
    m_play->setObjectName("bPlay");
    m_play->setIconSize(QSize(ButtonSize - 8, ButtonSize - 8));

    m_level = new QSlider(Qt::Vertical, m_controls);
    m_level->setObjectName("SoundLevel");
    m_level->setRange(0, MaxVolume);
    m_level->setPageStep(MaxVolume / 10);
    m_level->setSingleStep(MaxVolume / 100);
    m_level->setValue(m_volume);

    m_levelLabel = new QLabel(m_controls);
    m_levelLabel->setObjectName("sValue");

    m_parts = new QComboBox(m_controls);
    m_parts->setObjectName("sParts");
    m_partsLabel = new QLabel(m_controls);
    m_partsLabel->setObjectName("sPartSel");
    m_parts->hide();
    m_partsLabel->hide();

    m_video = new QVideoWidget(p3d);
    m_video->setObjectName("vw1");
    m_video->hide();

    m_levelLabel->setText(QString::fromStdString(Localization::Default("Movie", "Value")));
    m_partsLabel->setText(QString::fromStdString(Localization::Default("Movie", "PartSelection")));
    setPicture(PausePicture);

    // Every kind of track bar move (drag, page click, keys) seeks; playback sets only the value.
    connect(m_track, &QSlider::actionTriggered, this, [this](int) {
        if (m_hasVideo)
            m_player->setPosition(m_track->sliderPosition());
    });
    connect(m_play, &QToolButton::clicked, this, &TVideoPane::togglePlay);
    connect(m_level, &QSlider::valueChanged, this, [this](int value) {
        setVolume(value);
        if (!m_settingVolume && VolumeChanged)
            VolumeChanged(value);
    });
    connect(m_parts, &QComboBox::currentIndexChanged, this, &TVideoPane::choosePart);

    hlp->installEventFilter(this);
    p3d->installEventFilter(this);

    makePlayer();
    m_controls->setGeometry(hlp->rect());
    layoutControls();
    m_controls->hide();
}

TVideoPane::~TVideoPane()
{
    // The player goes first so it stops feeding the video widget.
    delete m_player;
    m_player = nullptr;
}

void TVideoPane::makePlayer()
{
    delete m_player;
    delete m_audio;
    m_player = new QMediaPlayer(this);
    m_audio = new QAudioOutput(this);
    m_audio->setVolume(static_cast<float>(m_volume) / MaxVolume);
    m_player->setAudioOutput(m_audio);
    m_player->setVideoOutput(m_video);

    connect(m_player, &QMediaPlayer::durationChanged, this,
            [this](qint64 duration) { m_track->setRange(0, static_cast<int>(duration)); });
    connect(m_player, &QMediaPlayer::positionChanged, this, [this](qint64 position) {
        if (!m_track->isSliderDown())
            m_track->setValue(static_cast<int>(position));
    });
    connect(m_player, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::InvalidMedia)
            dropUnplayable();
        else if (status == QMediaPlayer::EndOfMedia)
            setPicture(PlayPicture);
    });
    connect(m_player, &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error error, const QString &) {
        if (error != QMediaPlayer::NoError)
            dropUnplayable();
    });
}

void TVideoPane::Reset()
{
    // A fresh player forgets everything the last lesson left in the pipeline. One that never had
    // a source has nothing to forget: every lesson resets the pane, and most show no video.
    if (!m_player->source().isEmpty()) {
        m_player->stop();
        makePlayer();
    }
    m_hasVideo = false;
    m_file.clear();
    m_partTimes.clear();
    {
        const QSignalBlocker block(m_parts);
        m_parts->clear();
    }
    m_parts->hide();
    m_partsLabel->hide();
    m_track->setRange(0, 0);
    setPicture(PausePicture);
    m_video->hide();
    m_controls->hide();
}

void TVideoPane::PauseIfLoaded()
{
    if (!m_hasVideo)
        return;
    m_player->pause();
    setPicture(PlayPicture);
}

void TVideoPane::Open(const std::filesystem::path &file, const std::string &language,
                      pugi::xml_node lessonParm, int volume)
{
    Reset();
    const std::filesystem::path chosen = LanguageVariantFile(file, language);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(chosen, ec))
        return;

    m_file = chosen;
    fillParts(lessonParm, language);
    {
        m_settingVolume = true;
        m_level->setValue(std::clamp(volume, 0, MaxVolume));
        m_settingVolume = false;
    }
    setVolume(m_level->value());

    m_hasVideo = true;
    m_controls->setGeometry(m_hlp->rect());
    m_controls->show();
    layoutControls();
    placeVideo();
    m_video->show();
    m_video->raise();

    m_player->setSource(QUrl::fromLocalFile(QString::fromStdString(chosen.string())));
    m_player->play();
    setPicture(PausePicture);
}

void TVideoPane::Localize(const Localization &texts)
{
    m_levelLabel->setText(QString::fromStdString(texts.Text("Movie", "Value")));
    m_partsLabel->setText(QString::fromStdString(texts.Text("Movie", "PartSelection")));
    layoutControls();
}

QRect TVideoPane::VideoRect(QSize p3d)
{
    const int height = p3d.height();
    // Integer arithmetic: trunc(1.3 * height) without floating-point rounding at multiples of 10.
    const int width = height * 13 / 10;
    return {(p3d.width() - width) / 2, 0, width, height};
}

bool TVideoPane::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize) {
        if (watched == m_hlp) {
            m_controls->setGeometry(m_hlp->rect());
            layoutControls();
        } else if (watched == m_p3d) {
            placeVideo();
        }
    }
    return QObject::eventFilter(watched, event);
}

void TVideoPane::layoutControls()
{
    const int width = m_controls->width();
    const int height = m_controls->height();

    // The right column: the volume label over the vertical track bar.
    const QSize labelSize = m_levelLabel->sizeHint();
    const int columnWidth = std::max(labelSize.width(), LevelWidth);
    const int columnLeft = width - Margin - columnWidth;
    m_levelLabel->setGeometry(columnLeft, Margin, columnWidth, labelSize.height());
    const int levelTop = Margin + labelSize.height();
    m_level->setGeometry(columnLeft + (columnWidth - LevelWidth) / 2, levelTop, LevelWidth,
                         std::max(height - Margin - levelTop, LevelWidth));

    m_play->setGeometry(Margin, Margin, ButtonSize, ButtonSize);

    const int trackLeft = Margin + ButtonSize + Margin;
    m_track->setGeometry(trackLeft, Margin, std::max(columnLeft - Margin - trackLeft, ButtonSize),
                         ButtonSize);

    // The part list under the track bar, widened to end where the track bar ends.
    const int rowTop = Margin + ButtonSize + Margin;
    const QSize partsLabelSize = m_partsLabel->sizeHint();
    const int rowHeight = std::max(partsLabelSize.height(), m_parts->sizeHint().height());
    m_partsLabel->setGeometry(trackLeft, rowTop, partsLabelSize.width(), rowHeight);
    const int partsLeft = trackLeft + partsLabelSize.width() + Margin;
    m_parts->setGeometry(partsLeft, rowTop, std::max(m_track->geometry().right() + 1 - partsLeft, 1),
                         rowHeight);
}

void TVideoPane::placeVideo()
{
    m_video->setGeometry(VideoRect(m_p3d->size()));
}

void TVideoPane::setPicture(int picture)
{
    m_picture = picture;
    m_play->setProperty("picture", picture);
    m_play->setIcon(
        m_play->style()->standardIcon(picture == PlayPicture ? QStyle::SP_MediaPlay : QStyle::SP_MediaPause));
}

void TVideoPane::fillParts(pugi::xml_node lessonParm, const std::string &language)
{
    m_partTimes.clear();
    const QSignalBlocker block(m_parts);
    m_parts->clear();
    if (!lessonParm.child("Point")) {
        m_parts->hide();
        m_partsLabel->hide();
        return;
    }
    const std::string letter = language.substr(0, 1);
    m_parts->addItem(QString());
    for (pugi::xml_node point : lessonParm.children("Point")) {
        if (GetAttr(point, "Lang") != letter)
            continue;
        int time = 0;
        try {
            time = GetAttrInt(point, "Time", 0);
        } catch (const Error &) {
            // A part with a broken time starts the video; the lesson still plays.
        }
        m_parts->addItem(QString::fromStdString(GetAttr(point, "Name")));
        m_partTimes.push_back(time);
    }
    m_parts->setCurrentIndex(0);
    m_parts->show();
    m_partsLabel->show();
}

void TVideoPane::choosePart(int index)
{
    if (index <= 0 || index > static_cast<int>(m_partTimes.size()))
        return;
    // Point times are whole seconds from the start of the video.
    m_player->setPosition(static_cast<qint64>(m_partTimes[index - 1]) * 1000);
    // Back on the empty entry, so choosing the same part again seeks again.
    m_parts->setCurrentIndex(0);
}

void TVideoPane::setVolume(int volume)
{
    m_volume = volume;
    m_audio->setVolume(static_cast<float>(volume) / MaxVolume);
}

void TVideoPane::togglePlay()
{
    if (m_picture == PlayPicture) {
        if (m_hasVideo)
            m_player->play();
        setPicture(PausePicture);
    } else {
        if (m_hasVideo)
            m_player->pause();
        setPicture(PlayPicture);
    }
}

void TVideoPane::dropUnplayable()
{
    m_hasVideo = false;
    m_video->hide();
    m_controls->hide();
    // The player is replaced later: this runs inside one of its own signals.
    QTimer::singleShot(0, this, [this, player = QPointer<QMediaPlayer>(m_player)] {
        if (player && player == m_player && !m_hasVideo)
            Reset();
    });
}

} // namespace pw
