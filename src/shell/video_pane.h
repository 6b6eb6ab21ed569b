#pragma once

#include <pugixml.hpp>

#include <QObject>
#include <QRect>
#include <QSize>
#include <QUrl>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class QAudioOutput;
class QComboBox;
class QLabel;
class QMediaPlayer;
class QSlider;
class QToolButton;
class QVideoWidget;
class QWidget;

namespace pw {

class Localization;

// Picks the GStreamer media backend unless QT_MEDIA_BACKEND is already set; the FFmpeg one
// crashes on the machines we run on. Must run before the first media object is made.
void PreferGStreamerMedia();

// The video lesson: the controls panel "pVC" filling the lower area, the video window "vw1" in
// the scene container and the player behind them.
class TVideoPane : public QObject
{
    Q_OBJECT
public:
    // The button pictures of the play/pause button.
    static constexpr int PlayPicture = 20;
    static constexpr int PausePicture = 21;

    TVideoPane(QWidget *hlp, QWidget *p3d);
    ~TVideoPane() override;

    // Stops, drops the source (a fresh player) and hides the controls and the video window.
    void Reset();
    void PauseIfLoaded();
    bool HasVideo() const { return m_hasVideo; }

    // Plays a video lesson: the parts of lessonParm's "Point" children for the language, the
    // language variant of the file when it exists, the volume on the 0..10000 scale. A missing
    // file leaves the pane empty.
    void Open(const std::filesystem::path &file, const std::string &language, pugi::xml_node lessonParm,
              int volume);

    int Volume() const { return m_volume; }
    // Called when the user moves the volume track bar; the caller keeps the value.
    std::function<void(int)> VolumeChanged;

    // The labels "Часть" and "Громкость" in the interface language.
    void Localize(const Localization &texts);

    // vw1 inside a p3d of that size: as high as p3d, 1.3 times as wide as high, centred.
    static QRect VideoRect(QSize p3d);

    // The file Open chose (the language variant or the original); empty when none.
    const std::filesystem::path &File() const { return m_file; }
    // The start of each listed part in seconds, in the order of the list after its empty entry.
    const std::vector<int> &PartTimes() const { return m_partTimes; }
    // PlayPicture or PausePicture, also kept in bPlay's "picture" property.
    int Picture() const { return m_picture; }

    QWidget *Controls() const { return m_controls; }
    QVideoWidget *VideoWindow() const { return m_video; }
    QMediaPlayer *Player() const { return m_player; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void makePlayer();
    void layoutControls();
    void placeVideo();
    void setPicture(int picture);
    void fillParts(pugi::xml_node lessonParm, const std::string &language);
    void choosePart(int index);
    void setVolume(int volume);
    void togglePlay();
    void dropUnplayable();

    QWidget *m_hlp;
    QWidget *m_p3d;
    QWidget *m_controls;
    QSlider *m_track;
    QToolButton *m_play;
    QSlider *m_level;
    QLabel *m_levelLabel;
    QComboBox *m_parts;
    QLabel *m_partsLabel;
    QVideoWidget *m_video;
    QMediaPlayer *m_player = nullptr;
    QAudioOutput *m_audio = nullptr;

    std::filesystem::path m_file;
    std::vector<int> m_partTimes;
    int m_volume = 10000;
    int m_picture = PausePicture;
    bool m_hasVideo = false;
    bool m_settingVolume = false;
};

} // namespace pw
