#include "support/test_clips.h"
#include "support/test_folder.h"

#include "config/localization.h"
#include "shell/about_window.h"
#include "shell/page_pane.h"
#include "shell/page_print.h"
#include "shell/video_pane.h"

#include "platform/file_paths.h"

#include <QApplication>
#include <QAudioOutput>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMediaPlayer>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSlider>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>
#include <QVideoWidget>

#include <pugixml.hpp>

#include <vector>

using namespace pw;

namespace {

constexpr int WaitMs = 8000;

template<class Pred>
bool waitFor(Pred pred, int timeout = WaitMs)
{
    return QTest::qWaitFor(pred, timeout);
}

bool noMessageBox()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (qobject_cast<QMessageBox *>(widget) != nullptr)
            return false;
    return true;
}

// The lower area and the scene container of a main window, shown so geometry is real.
class VideoPane : public TestFolder
{
protected:
    void SetUp() override
    {
        TestFolder::SetUp();
        host.resize(800, 500);
        hlp = new QWidget(&host);
        hlp->setGeometry(0, 400, 800, 100);
        p3d = new QWidget(&host);
        p3d->setGeometry(0, 0, 400, 300);
        host.show();
        pane = std::make_unique<TVideoPane>(hlp, p3d);
    }
    void TearDown() override
    {
        pane.reset();
        TestFolder::TearDown();
    }

    // A short VP8 clip of the given length in seconds, made with the GStreamer tools.
    std::filesystem::path clip(const std::string &name, int seconds = 1)
    {
        return MakeTestClip(folder / name, seconds);
    }

    template<class T>
    T *child(const char *name) const
    {
        T *found = hlp->findChild<T *>(name);
        if (found == nullptr)
            found = p3d->findChild<T *>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    static bool haveTools() { return HaveClipTools(); }

    QWidget host;
    QWidget *hlp = nullptr;
    QWidget *p3d = nullptr;
    std::unique_ptr<TVideoPane> pane;
};

#define SKIP_WITHOUT_TOOLS()                                                                                 \
    if (!haveTools())                                                                                        \
    GTEST_SKIP() << "gst-launch-1.0 (gstreamer1.0-tools) is needed to make test clips"

} // namespace

TEST_F(VideoPane, BuildsItsControlsInTheGivenAreas)
{
    EXPECT_EQ(pane->Controls()->objectName(), "pVC");
    EXPECT_EQ(pane->Controls()->parentWidget(), hlp);
    EXPECT_EQ(pane->VideoWindow()->objectName(), "vw1");
    EXPECT_EQ(pane->VideoWindow()->parentWidget(), p3d);
    EXPECT_EQ(child<QSlider>("dstb")->orientation(), Qt::Horizontal);
    auto *level = child<QSlider>("SoundLevel");
    EXPECT_EQ(level->orientation(), Qt::Vertical);
    EXPECT_EQ(level->minimum(), 0);
    EXPECT_EQ(level->maximum(), 10000);
    EXPECT_EQ(child<QLabel>("sValue")->text(), "Громкость");
    EXPECT_EQ(child<QLabel>("sPartSel")->text(), "Часть");
    EXPECT_NE(child<QToolButton>("bPlay"), nullptr);
    EXPECT_NE(child<QComboBox>("sParts"), nullptr);
    EXPECT_FALSE(pane->HasVideo());
    EXPECT_FALSE(pane->VideoWindow()->isVisible());

    // The panel fills the lower area as it changes size.
    hlp->resize(640, 120);
    EXPECT_EQ(pane->Controls()->geometry(), QRect(0, 0, 640, 120));
}

TEST_F(VideoPane, OpenPlaysAClipAndTheTrackBarFollowsIt)
{
    SKIP_WITHOUT_TOOLS();
    const auto file = clip("lesson.webm", 2);
    pane->Open(file, "Russian", {}, 10000);

    QMediaPlayer *player = pane->Player();
    EXPECT_TRUE(pane->HasVideo());
    EXPECT_EQ(player->source(), QUrl::fromLocalFile(QString::fromStdString(file.string())));
    EXPECT_TRUE(pane->VideoWindow()->isVisible());
    EXPECT_TRUE(pane->Controls()->isVisible());
    EXPECT_EQ(pane->VideoWindow()->geometry(), TVideoPane::VideoRect(p3d->size()));

    ASSERT_TRUE(waitFor([&] { return player->playbackState() == QMediaPlayer::PlayingState; }));
    auto *track = child<QSlider>("dstb");
    ASSERT_TRUE(waitFor([&] { return player->duration() > 0; }));
    EXPECT_EQ(track->maximum(), player->duration());
    EXPECT_NEAR(track->maximum(), 2000, 300);
    ASSERT_TRUE(waitFor([&] { return track->value() > 0; }));

    // Played to the end, the button offers playing again.
    ASSERT_TRUE(waitFor([&] { return player->mediaStatus() == QMediaPlayer::EndOfMedia; }));
    EXPECT_EQ(pane->Picture(), TVideoPane::PlayPicture);
    EXPECT_TRUE(noMessageBox());
}

TEST_F(VideoPane, ResetStopsAndHidesTheVideo)
{
    SKIP_WITHOUT_TOOLS();
    pane->Open(clip("lesson.webm", 2), "Russian", {}, 10000);
    ASSERT_TRUE(waitFor([&] { return pane->Player()->playbackState() == QMediaPlayer::PlayingState; }));

    pane->Reset();
    EXPECT_FALSE(pane->HasVideo());
    EXPECT_EQ(pane->Player()->playbackState(), QMediaPlayer::StoppedState);
    EXPECT_TRUE(pane->Player()->source().isEmpty());
    EXPECT_FALSE(pane->VideoWindow()->isVisible());
    EXPECT_TRUE(pane->File().empty());

    // Nothing loaded: pausing leaves the player alone.
    pane->PauseIfLoaded();
    EXPECT_EQ(pane->Player()->playbackState(), QMediaPlayer::StoppedState);
}

TEST_F(VideoPane, PartsOfTheLanguageAreListedAndChoosingOneSeeks)
{
    SKIP_WITHOUT_TOOLS();
    pugi::xml_document doc;
    doc.load_string("<Lesson>"
                    "<Point Name=\"Введение\" Lang=\"R\" Time=\"4\"/>"
                    "<Point Name=\"Introduction\" Lang=\"E\" Time=\"1\"/>"
                    "<Point Name=\"Каденция\" Lang=\"R\"/>"
                    "</Lesson>");
    const auto file = clip("lesson.webm", 6);
    auto *parts = child<QComboBox>("sParts");
    auto *label = child<QLabel>("sPartSel");

    pane->Open(file, "English", doc.child("Lesson"), 10000);
    ASSERT_EQ(parts->count(), 2);
    EXPECT_EQ(parts->itemText(0), "");
    EXPECT_EQ(parts->itemText(1), "Introduction");
    EXPECT_EQ(pane->PartTimes(), std::vector<int>({1}));

    pane->Open(file, "Russian", doc.child("Lesson"), 10000);
    ASSERT_EQ(parts->count(), 3);
    EXPECT_EQ(parts->itemText(0), "");
    EXPECT_EQ(parts->itemText(1), "Введение");
    EXPECT_EQ(parts->itemText(2), "Каденция");
    EXPECT_EQ(pane->PartTimes(), std::vector<int>({4, 0}));
    EXPECT_EQ(parts->currentIndex(), 0);
    EXPECT_TRUE(parts->isVisible());
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(parts->geometry().right(), child<QSlider>("dstb")->geometry().right());

    // Paused near the start, so only the seek can move the position past four seconds.
    QMediaPlayer *player = pane->Player();
    ASSERT_TRUE(waitFor([&] { return player->mediaStatus() == QMediaPlayer::BufferedMedia; }));
    pane->PauseIfLoaded();
    ASSERT_TRUE(waitFor([&] { return player->playbackState() == QMediaPlayer::PausedState; }));
    ASSERT_LT(player->position(), 3500);
    parts->setCurrentIndex(1);
    EXPECT_EQ(parts->currentIndex(), 0);
    EXPECT_TRUE(waitFor([&] { return player->position() >= 4000 && player->position() < 4500; }))
        << player->position();

    // Dragging the track bar seeks too.
    auto *track = child<QSlider>("dstb");
    track->setSliderDown(true);
    track->setSliderPosition(1000);
    track->setSliderDown(false);
    EXPECT_TRUE(waitFor([&] { return player->position() >= 1000 && player->position() < 1500; }))
        << player->position();
    EXPECT_TRUE(waitFor([&] { return track->value() == player->position(); }));
}

// The video lesson of the bundled course is made at build time beside the programs, where the
// program looks for it: it plays in both languages, VP8 video with Vorbis sound, as long as the
// menu's parts say, and each part seeks to its place.
TEST_F(VideoPane, TheBundledVideoLessonPlaysInBothLanguages)
{
    SKIP_WITHOUT_TOOLS();
    pugi::xml_document menu;
    ASSERT_TRUE(
        menu.load_file((std::filesystem::path(PARTWRITER_BUNDLED_DATA) / "xml" / "Menu.xml").c_str()));
    const pugi::xml_node item = menu.select_node("//Item[@Type='Video']").node();
    ASSERT_TRUE(item) << "the course has no video lesson";
    const std::filesystem::path file
        = ResolveDataPath(PARTWRITER_PROGRAM_DIR, item.attribute("File").value());
    ASSERT_TRUE(std::filesystem::is_regular_file(file)) << file << " was not made by the build";

    // The streams are VP8 and Vorbis: caps of another codec would never link to them, and the
    // pipeline would wait until it is stopped.
    for (const char *variant : {"cadence-lesson.webm", "cadence-lessonEnglish.webm"}) {
        QProcess check;
        check.start("gst-launch-1.0",
                    {"-q",
                     "filesrc",
                     "location=" + QString::fromStdString((file.parent_path() / variant).string()),
                     "!",
                     "matroskademux",
                     "name=d",
                     "d.video_0",
                     "!",
                     "queue",
                     "!",
                     "video/x-vp8",
                     "!",
                     "fakesink",
                     "d.audio_0",
                     "!",
                     "queue",
                     "!",
                     "audio/x-vorbis",
                     "!",
                     "fakesink"});
        if (!check.waitForFinished(WaitMs))
            check.kill();
        check.waitForFinished();
        EXPECT_EQ(check.exitStatus(), QProcess::NormalExit) << variant;
        EXPECT_EQ(check.exitCode(), 0) << variant;
    }
    for (const auto &[language, english] : {std::pair {"Russian", false}, std::pair {"English", true}}) {
        SCOPED_TRACE(language);
        pane->Open(file, language, item.child("Parm"), 0);
        EXPECT_EQ(pane->File().filename().string(),
                  english ? "cadence-lessonEnglish.webm" : "cadence-lesson.webm");
        EXPECT_EQ(pane->PartTimes(), std::vector<int>({0, 16}));
        QMediaPlayer *player = pane->Player();
        ASSERT_TRUE(waitFor([&] { return player->mediaStatus() == QMediaPlayer::BufferedMedia; }))
            << player->errorString().toStdString();
        EXPECT_TRUE(player->hasVideo());
        EXPECT_TRUE(player->hasAudio());
        ASSERT_TRUE(waitFor([&] { return player->duration() > 0; }));
        EXPECT_NEAR(player->duration(), 32000, 300);
        ASSERT_TRUE(waitFor([&] { return player->position() > 0; }));

        // The second part, the minor cadence, starts at its Point.
        pane->PauseIfLoaded();
        ASSERT_TRUE(waitFor([&] { return player->playbackState() == QMediaPlayer::PausedState; }));
        child<QComboBox>("sParts")->setCurrentIndex(2);
        EXPECT_TRUE(waitFor([&] { return player->position() >= 16000 && player->position() < 16500; }))
            << player->position();
        EXPECT_TRUE(noMessageBox());
    }
}

TEST_F(VideoPane, WithoutPointsThePartListIsHidden)
{
    SKIP_WITHOUT_TOOLS();
    pugi::xml_document doc;
    doc.load_string("<Lesson><Other Name=\"x\" Lang=\"R\"/></Lesson>");
    pane->Open(clip("lesson.webm"), "Russian", doc.child("Lesson"), 10000);
    EXPECT_TRUE(pane->HasVideo());
    EXPECT_TRUE(child<QComboBox>("sParts")->isHidden());
    EXPECT_TRUE(child<QLabel>("sPartSel")->isHidden());
    EXPECT_TRUE(pane->PartTimes().empty());
}

TEST_F(VideoPane, TheLanguageVariantOfTheFileIsPlayedWhenItExists)
{
    SKIP_WITHOUT_TOOLS();
    // A dot in the folder name must not take the language.
    const auto original = clip("course.v2/intro.part.webm");
    const auto english = folder / "course.v2" / "introEnglish.part.webm";
    std::filesystem::copy_file(original, english);

    pane->Open(original, "English", {}, 10000);
    EXPECT_EQ(pane->File(), english);
    EXPECT_EQ(pane->Player()->source(), QUrl::fromLocalFile(QString::fromStdString(english.string())));

    pane->Open(original, "German", {}, 10000);
    EXPECT_EQ(pane->File(), original);

    std::filesystem::copy_file(original, folder / "course.v2" / "introRussian.part.webm");
    pane->Open(original, "Russian", {}, 10000);
    EXPECT_EQ(pane->File(), original);
}

TEST_F(VideoPane, TheVolumeTrackBarSetsThePlayerVolumeAndTellsTheCaller)
{
    SKIP_WITHOUT_TOOLS();
    std::vector<int> told;
    pane->VolumeChanged = [&](int volume) { told.push_back(volume); };
    auto *level = child<QSlider>("SoundLevel");

    pane->Open(clip("lesson.webm"), "Russian", {}, 3000);
    EXPECT_EQ(level->value(), 3000);
    EXPECT_EQ(pane->Volume(), 3000);
    EXPECT_FLOAT_EQ(pane->Player()->audioOutput()->volume(), 0.3f);
    // The caller's own value is not told back.
    EXPECT_TRUE(told.empty());

    level->setValue(7500);
    EXPECT_EQ(pane->Volume(), 7500);
    EXPECT_FLOAT_EQ(pane->Player()->audioOutput()->volume(), 0.75f);
    level->setValue(0);
    EXPECT_FLOAT_EQ(pane->Player()->audioOutput()->volume(), 0.0f);
    EXPECT_EQ(told, std::vector<int>({7500, 0}));

    // A fresh player after Reset keeps the volume.
    pane->Reset();
    EXPECT_FLOAT_EQ(pane->Player()->audioOutput()->volume(), 0.0f);
}

TEST_F(VideoPane, ThePlayButtonTogglesBetweenItsPictures)
{
    SKIP_WITHOUT_TOOLS();
    auto *play = child<QToolButton>("bPlay");
    EXPECT_EQ(pane->Picture(), TVideoPane::PausePicture);
    EXPECT_EQ(play->property("picture").toInt(), 21);

    pane->Open(clip("lesson.webm", 3), "Russian", {}, 10000);
    QMediaPlayer *player = pane->Player();
    ASSERT_TRUE(waitFor([&] { return player->playbackState() == QMediaPlayer::PlayingState; }));

    play->click();
    EXPECT_EQ(play->property("picture").toInt(), 20);
    EXPECT_EQ(pane->Picture(), TVideoPane::PlayPicture);
    EXPECT_TRUE(waitFor([&] { return player->playbackState() == QMediaPlayer::PausedState; }));

    play->click();
    EXPECT_EQ(play->property("picture").toInt(), 21);
    EXPECT_TRUE(waitFor([&] { return player->playbackState() == QMediaPlayer::PlayingState; }));

    pane->PauseIfLoaded();
    EXPECT_EQ(play->property("picture").toInt(), 20);
    EXPECT_TRUE(waitFor([&] { return player->playbackState() == QMediaPlayer::PausedState; }));
}

TEST_F(VideoPane, TheVideoWindowIsCentredAndAsHighAsTheScene)
{
    EXPECT_EQ(TVideoPane::VideoRect(QSize(400, 300)), QRect(5, 0, 390, 300));
    EXPECT_EQ(TVideoPane::VideoRect(QSize(800, 200)), QRect(270, 0, 260, 200));
    // 1.3 * 7 = 9.1 and (100 - 9) / 2 = 45.5: both truncated.
    EXPECT_EQ(TVideoPane::VideoRect(QSize(100, 7)), QRect(45, 0, 9, 7));
    // Narrower than the picture: it overhangs both sides.
    EXPECT_EQ(TVideoPane::VideoRect(QSize(100, 100)), QRect(-15, 0, 130, 100));
    EXPECT_EQ(TVideoPane::VideoRect(QSize(0, 0)), QRect(0, 0, 0, 0));

    p3d->resize(800, 200);
    EXPECT_EQ(pane->VideoWindow()->geometry(), QRect(270, 0, 260, 200));
}

TEST_F(VideoPane, AMissingOrUnplayableFileLeavesThePaneEmpty)
{
    pane->Open(folder / "none.webm", "Russian", {}, 10000);
    EXPECT_FALSE(pane->HasVideo());
    EXPECT_TRUE(pane->Player()->source().isEmpty());
    EXPECT_FALSE(pane->VideoWindow()->isVisible());

    write("broken.webm", "this is not a video");
    pane->Open(folder / "broken.webm", "Russian", {}, 10000);
    EXPECT_TRUE(waitFor([&] { return !pane->HasVideo(); }));
    EXPECT_TRUE(waitFor([&] { return pane->Player()->source().isEmpty(); }));
    EXPECT_FALSE(pane->VideoWindow()->isVisible());
    EXPECT_TRUE(noMessageBox());
}

TEST(MediaBackend, GStreamerIsPreferredUnlessChosen)
{
    const QByteArray before = qgetenv("QT_MEDIA_BACKEND");
    qunsetenv("QT_MEDIA_BACKEND");
    PreferGStreamerMedia();
    EXPECT_EQ(qgetenv("QT_MEDIA_BACKEND"), "gstreamer");
    qputenv("QT_MEDIA_BACKEND", "other");
    PreferGStreamerMedia();
    EXPECT_EQ(qgetenv("QT_MEDIA_BACKEND"), "other");
    qputenv("QT_MEDIA_BACKEND", before.isEmpty() ? QByteArray("gstreamer") : before);
}

namespace {

// Records the links handed to the desktop.
class DesktopLinks : public QObject
{
    Q_OBJECT
public:
    std::vector<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened.push_back(url); }
};

class PagePane : public TestFolder
{
protected:
    void SetUp() override
    {
        TestFolder::SetUp();
        QImage image(7, 5, QImage::Format_RGB32);
        image.fill(Qt::red);
        std::filesystem::create_directories(folder / "pages" / "img");
        ASSERT_TRUE(image.save(QString::fromStdString((folder / "pages" / "img" / "dot.png").string())));
        page = write("pages/first.html",
                     "<html><head><meta charset=\"utf-8\"></head><body><h1>Первая</h1>"
                     "<img src=\"img/dot.png\">"
                     "<table><tr><td>клетка</td></tr></table>"
                     "<a href=\"second.html\">дальше</a> <a href=\"https://example.org/\">сайт</a>"
                     "</body></html>");
        second = write("pages/second.html", "<html><body><p>Вторая страница</p></body></html>");
    }

    std::filesystem::path page;
    std::filesystem::path second;
};

} // namespace

TEST_F(PagePane, ShowsALocalPageWithItsPicture)
{
    TPagePane pane;
    EXPECT_EQ(pane.objectName(), "wb");
    pane.Navigate(page);
    EXPECT_EQ(pane.CurrentFile(), page);
    EXPECT_FALSE(pane.PageMissing());
    EXPECT_FALSE(pane.IsBusy());
    const QString text = pane.toPlainText();
    EXPECT_TRUE(text.contains("Первая")) << text.toStdString();
    EXPECT_TRUE(text.contains("клетка"));
    EXPECT_TRUE(pane.document()->toHtml().contains("<table"));

    // The picture resolves against the page's folder, not the working directory.
    const QVariant image = pane.document()->resource(QTextDocument::ImageResource, QUrl("img/dot.png"));
    ASSERT_TRUE(image.isValid());
    QImage loaded;
    if (image.canConvert<QImage>())
        loaded = image.value<QImage>();
    else
        loaded.loadFromData(image.toByteArray());
    EXPECT_EQ(loaded.size(), QSize(7, 5));
}

TEST_F(PagePane, LocalLinksOpenInThePaneAndWebLinksOnTheDesktop)
{
    DesktopLinks desktop;
    QDesktopServices::setUrlHandler("https", &desktop, "open");
    QDesktopServices::setUrlHandler("mailto", &desktop, "open");

    TPagePane pane;
    pane.resize(400, 300);
    pane.show();
    pane.Navigate(page);
    // A real click on the link text.
    QTextCursor link = pane.document()->find("дальше");
    ASSERT_FALSE(link.isNull());
    link.setPosition(link.selectionStart() + 2);
    const QPoint at = pane.cursorRect(link).center();
    QTest::mouseClick(pane.viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(pane.CurrentFile(), second);
    EXPECT_TRUE(pane.toPlainText().contains("Вторая страница"));
    EXPECT_TRUE(desktop.opened.empty());

    pane.Navigate(page);
    emit pane.anchorClicked(QUrl("second.html"));
    EXPECT_EQ(pane.CurrentFile(), second);

    emit pane.anchorClicked(QUrl("https://example.org/"));
    emit pane.anchorClicked(QUrl("mailto:someone@example.org"));
    EXPECT_EQ(pane.CurrentFile(), second);
    EXPECT_TRUE(pane.toPlainText().contains("Вторая страница"));
    ASSERT_EQ(desktop.opened.size(), 2U);
    EXPECT_EQ(desktop.opened[0], QUrl("https://example.org/"));
    EXPECT_EQ(desktop.opened[1], QUrl("mailto:someone@example.org"));

    QDesktopServices::unsetUrlHandler("https");
    QDesktopServices::unsetUrlHandler("mailto");
}

TEST_F(PagePane, AMissingPageShowsAnErrorPageInThePane)
{
    TPagePane pane;
    pane.Navigate(page);
    const auto missing = folder / "pages" / "absent.html";
    pane.Navigate(missing);
    EXPECT_TRUE(pane.PageMissing());
    EXPECT_EQ(pane.CurrentFile(), missing);
    const QString text = pane.toPlainText();
    EXPECT_TRUE(text.contains("Страница не найдена")) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromStdString(missing.string())));
    EXPECT_TRUE(noMessageBox());

    // Back on a page that exists, and on the missing one once it is written.
    pane.Navigate(page);
    EXPECT_FALSE(pane.PageMissing());
    EXPECT_TRUE(pane.toPlainText().contains("Первая"));
    write("pages/absent.html", "<html><body>Теперь есть</body></html>");
    pane.Navigate(missing);
    EXPECT_FALSE(pane.PageMissing());
    EXPECT_TRUE(pane.toPlainText().contains("Теперь есть"));
}

TEST_F(PagePane, TheErrorPageSpeaksTheInterfaceLanguage)
{
    write("Localize.xml", "<Localize><Page><I id=\"Missing\">Page not found</I></Page></Localize>");
    Localization texts;
    texts.Load(folder, "English");
    TPagePane pane;
    pane.Localize(texts);
    pane.Navigate(folder / "absent.html");
    EXPECT_TRUE(pane.toPlainText().startsWith("Page not found")) << pane.toPlainText().toStdString();
}

// A page the program builds: its pictures from memory, built anew when shown again, its command
// links handed to the caller and never to the desktop; a file page after it loads as usual.
TEST_F(PagePane, ABuiltPageShowsItsPicturesAndHandsOnItsCommands)
{
    DesktopLinks desktop;
    QDesktopServices::setUrlHandler("partwriter", &desktop, "open");
    TPagePane pane;
    std::vector<QString> commands;
    pane.SetProgramLinks([&commands](const QString &command) { commands.push_back(command); });
    pane.Navigate(page);
    QImage dot(3, 2, QImage::Format_RGB32);
    dot.fill(Qt::red);
    pane.ShowGenerated(TPagePane::ProgramAddress("built"),
                       "<p>Построено</p><img src=\"partwriter:dot.png\"><a href=\"partwriter:go\">go</a>",
                       {{"dot.png", dot}});
    EXPECT_TRUE(pane.toPlainText().startsWith("Построено"));
    EXPECT_TRUE(pane.CurrentFile().empty());
    EXPECT_EQ(
        pane.document()->resource(QTextDocument::ImageResource, QUrl("partwriter:dot.png")).value<QImage>(),
        dot);
    pane.ShowGenerated(TPagePane::ProgramAddress("built"), "<p>Снова</p>");
    EXPECT_TRUE(pane.toPlainText().startsWith("Снова")) << "the same page is read anew";

    emit pane.anchorClicked(QUrl("partwriter:go"));
    EXPECT_EQ(commands, std::vector<QString> {"go"});
    EXPECT_TRUE(pane.toPlainText().startsWith("Снова"));
    EXPECT_TRUE(desktop.opened.empty());

    // The file shown before is shown again, though the pane had it as its source once already.
    pane.Navigate(page);
    EXPECT_EQ(pane.CurrentFile(), page);
    EXPECT_TRUE(pane.toPlainText().contains("Первая"));
    QDesktopServices::unsetUrlHandler("partwriter");
}

// A file as the program fills it in stands at the file's address: its pictures and links resolve
// against the file's folder, while the file itself, navigated to, is shown as it is.
TEST_F(PagePane, AFilledInFilePageResolvesAgainstTheFile)
{
    TPagePane pane;
    std::vector<QString> commands;
    pane.SetProgramLinks([&commands](const QString &what) { commands.push_back(what); });
    const QUrl address = QUrl::fromLocalFile(QString::fromStdString(page.string()));
    pane.ShowGenerated(address,
                       "<p>Заполнено</p><img src=\"img/dot.png\"><a href=\"partwriter:start\">s</a>");
    EXPECT_TRUE(pane.toPlainText().startsWith("Заполнено"));
    EXPECT_EQ(pane.CurrentFile(), page);
    EXPECT_FALSE(pane.PageMissing());
    EXPECT_TRUE(pane.document()->resource(QTextDocument::ImageResource, QUrl("img/dot.png")).isValid());
    emit pane.anchorClicked(QUrl("partwriter:start"));
    EXPECT_EQ(commands, std::vector<QString> {"start"});
    pane.FollowLink(QUrl("second.html"));
    EXPECT_EQ(pane.CurrentFile(), second);

    pane.Navigate(page);
    EXPECT_TRUE(pane.toPlainText().contains("Первая")) << "the file as it is";
}

TEST_F(PagePane, PrintsTheShownPageToPdf)
{
    TPagePane pane;
    pane.Navigate(page);
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    const auto pdf = folder / "page.pdf";
    printer.setOutputFileName(QString::fromStdString(pdf.string()));
    PrintPageTo(pane, printer);

    const std::string bytes = read(pdf);
    ASSERT_GE(bytes.size(), 1000U);
    EXPECT_EQ(bytes.substr(0, 4), "%PDF");
}

namespace {

class AboutWindow : public TestFolder
{
protected:
    void SetUp() override
    {
        TestFolder::SetUp();
        write("html/about.html", "<html><body>О программе</body></html>");
        write("html/aboutEnglish.html", "<html><body>About the program</body></html>");
        mainWindow.setGeometry(100, 50, 800, 600);
        mainWindow.show();
    }

    QWidget mainWindow;
};

} // namespace

TEST_F(AboutWindow, IsPlacedInTheMiddleOfTheMainWindow)
{
    EXPECT_EQ(TfAbout::PlaceFor(QRect(100, 50, 800, 600)), QRect(300, 140, 400, 420));
    // Quarters, halves and fractions are truncated.
    EXPECT_EQ(TfAbout::PlaceFor(QRect(0, 0, 803, 607)), QRect(200, 91, 401, 424));

    const QRect frame = mainWindow.frameGeometry();
    TfAbout about(&mainWindow, folder, "English", "About");
    EXPECT_TRUE(about.isModal());
    EXPECT_EQ(about.windowTitle(), "About");
    about.show();
    EXPECT_EQ(about.frameGeometry().topLeft(),
              frame.topLeft() + QPoint(frame.width() / 4, frame.height() * 15 / 100));
    EXPECT_EQ(about.size(), QSize(frame.width() / 2, frame.height() * 7 / 10));

    auto *ok = about.findChild<QPushButton *>("bOk");
    auto *browser = about.findChild<TPagePane *>("wbAbout");
    ASSERT_NE(ok, nullptr);
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_EQ(ok->geometry().top(), about.height() - 50);
    EXPECT_EQ(browser->geometry(), QRect(10, 10, about.width() - 20, ok->geometry().top() - 30));

    ok->click();
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

TEST_F(AboutWindow, ShowsTheAboutPageOfTheLanguage)
{
    {
        TfAbout about(&mainWindow, folder, "English", "About");
        auto *browser = about.findChild<TPagePane *>("wbAbout");
        EXPECT_EQ(browser->CurrentFile(), folder / "html" / "aboutEnglish.html");
        EXPECT_TRUE(browser->toPlainText().contains("About the program"));
    }
    {
        TfAbout about(&mainWindow, folder, "Russian", "О программе");
        EXPECT_EQ(about.Browser()->CurrentFile(), folder / "html" / "about.html");
        EXPECT_TRUE(about.Browser()->toPlainText().contains("О программе"));
    }
    {
        // No fallback to the Russian page.
        TfAbout about(&mainWindow, folder, "German", "Über");
        EXPECT_EQ(about.Browser()->CurrentFile(), folder / "html" / "aboutGerman.html");
        EXPECT_TRUE(about.Browser()->PageMissing());
    }
}

#include "media_test.moc"
