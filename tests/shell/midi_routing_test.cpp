// The MIDI road as the main window keeps it, with one input and one output device: the notices,
// the device dialog, and the silence of a video lesson.

#include "main_window_fixture.h"

#include "support/test_clips.h"
#include <memory>

#include "midi/midi_message.h"
#include "midi/shared_midi.h"
#include "shell/course_trees.h"
#include "shell/video_pane.h"

#include <QCheckBox>
#include <QDialog>
#include <QListWidget>
#include <QMediaPlayer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

using namespace pw;

namespace {

class TestMidiEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        SetSharedMidiBackend(std::shared_ptr<MidiBackend>(&TestMidi(), [](MidiBackend *) {}));
    }
};

const auto *const testMidiEnvironment = ::testing::AddGlobalTestEnvironment(new TestMidiEnvironment);

// Whether the input device takes messages: only an open, started input does.
bool inputOpen()
{
    return TestMidi().receiveShort(0, midi::Pack(midi::ActiveSensing, 0, 0));
}

class MidiRouting : public MainWindowFixture
{
protected:
    void settings(const std::string &attributes, const std::string &inputs)
    {
        write("parms.xml",
              "<Parameters welcomed=\"Y\" " + attributes + "><MidiInput>" + inputs
                  + "</MidiInput><MidiOutput><Dev>Test out</Dev></MidiOutput></Parameters>");
    }
    // Runs action on the modal dialog of that object name once it is up (within two seconds).
    static void onDialog(const char *name, std::function<void(QDialog &)> action)
    {
        auto *poll = new QTimer;
        auto tries = std::make_shared<int>(0);
        QObject::connect(poll, &QTimer::timeout, [poll, tries, name, action = std::move(action)] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (dialog != nullptr && dialog->objectName() == name) {
                poll->deleteLater();
                poll->stop();
                action(*dialog);
            } else if (++*tries > 100) {
                ADD_FAILURE() << "no " << name << " came up";
                poll->stop();
                poll->deleteLater();
            }
        });
        poll->start(20);
    }
    // The notice of that name when it is on the screen.
    static QDialog *notice(const char *name)
    {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == name && widget->isVisible())
                return qobject_cast<QDialog *>(widget);
        }
        return nullptr;
    }
    static int noticesShown(const char *name)
    {
        int count = 0;
        for (QWidget *widget : QApplication::topLevelWidgets())
            count += widget->objectName() == name && widget->isVisible() ? 1 : 0;
        return count;
    }
    static void click(QDialog &dialog, const char *button)
    {
        auto *found = dialog.findChild<QPushButton *>(button);
        ASSERT_NE(found, nullptr) << button;
        found->click();
    }
};

} // namespace

MemoryMidiBackend &TestMidi()
{
    static MemoryMidiBackend backend({"Test in"}, {"Test out"});
    return backend;
}

TEST_F(MidiRouting, AnInputNobodyChoseBringsOneNoticeThatLeavesTheWindowUsable)
{
    settings("", "");
    start();
    QDialog *shown = notice("TnoMidi");
    ASSERT_NE(shown, nullptr);
    EXPECT_FALSE(shown->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "nothing blocks the window";
    ASSERT_TRUE(window->courseTrees().ActivateLesson("HTMLText", "html\\theory-functions.html"));
    settle();
    EXPECT_EQ(window->lessonType(), "HTMLText") << "the tree takes clicks while the notice is up";
    window->OpenLesson(LessonKind::HarmonyExercise, "xml\\Chromo-major-bemol.xml", "");
    settle();
    EXPECT_EQ(noticesShown("TnoMidi"), 1) << "told once a run";

    shown->findChild<QCheckBox *>("CheckBox1")->setChecked(true);
    click(*shown, "Button2");
    settle();
    EXPECT_EQ(noticesShown("TnoMidi"), 0);
    EXPECT_NE(read(folder / "parms.xml").find("nomessagemidi=\"Y\""), std::string::npos);

    // With the switch set, a new run shows nothing.
    window.reset();
    start();
    EXPECT_EQ(noticesShown("TnoMidi"), 0);
}

TEST_F(MidiRouting, TheNoticeCanLeadToTheDeviceDialog)
{
    settings("", "");
    start();
    QDialog *shown = notice("TnoMidi");
    ASSERT_NE(shown, nullptr);
    bool dialog = false;
    onDialog("TMidiSelect", [&](QDialog &select) {
        dialog = true;
        click(select, "Button2");
    });
    click(*shown, "btSave");
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog; }, 3000));
    settle();
    EXPECT_EQ(read(folder / "parms.xml").find("nomessagemidi"), std::string::npos);
}

TEST_F(MidiRouting, CancellingTheDialogKeepsTheClickedDeviceStateAndTheSettings)
{
    settings("nomessagemidi=\"Y\"", "<Dev>Test in</Dev>");
    start();
    ASSERT_TRUE(inputOpen());

    onDialog("TMidiSelect", [](QDialog &dialog) {
        QListWidget *inputs = dialog.findChild<QListWidget *>("lbMidiIn");
        ASSERT_NE(inputs, nullptr);
        inputs->item(0)->setCheckState(Qt::Unchecked);
        click(dialog, "Button2");
    });
    window->MidiDialog();
    EXPECT_FALSE(inputOpen()) << "the unchecked input closed at once";
    EXPECT_NE(read(folder / "parms.xml").find("<Dev>Test in</Dev>"), std::string::npos)
        << "cancelled: the settings still list it";

    window->OpenLesson(LessonKind::HarmonyExercise, "xml\\Chromo-major-bemol.xml", "");
    settle();
    EXPECT_TRUE(inputOpen()) << "the next harmony exercise opens it again";
}

TEST_F(MidiRouting, TheDialogIsCentredOverTheMainAreaAndOnTheScreen)
{
    settings("nomessagemidi=\"Y\"", "");
    start();
    const QRect screen = window->screen()->availableGeometry();
    window->setGeometry(screen.adjusted(0, 0, -screen.width() / 4, -screen.height() / 4));
    settle();
    const QWidget *area = child<QWidget>("pMainArea");
    QRect placed;
    onDialog("TMidiSelect", [&](QDialog &dialog) {
        placed = dialog.frameGeometry();
        dialog.reject();
    });
    window->MidiDialog();
    ASSERT_FALSE(placed.isEmpty());
    EXPECT_TRUE(screen.contains(placed))
        << "the whole dialog, its buttons included, is on the screen: " << placed.x() << "," << placed.y()
        << " " << placed.width() << "x" << placed.height() << " in " << screen.width() << "x"
        << screen.height();
    const QPoint areaCentre = area->mapToGlobal(QPoint(area->width() / 2, area->height() / 2));
    if (placed.width() < area->width() && placed.height() < area->height()) {
        EXPECT_LE(std::abs(placed.center().x() - areaCentre.x()), 1);
        EXPECT_LE(std::abs(placed.center().y() - areaCentre.y()), 1);
    }
}

TEST_F(MidiRouting, AVideoLessonIsNotEchoedIntoAndItsClosedOutputsStayClosed)
{
    if (!HaveClipTools())
        GTEST_SKIP() << "gst-launch-1.0 (gstreamer1.0-tools) is needed to make the clip";
    settings("nomessagemidi=\"Y\"", "<Dev>Test in</Dev>");
    start();
    const std::filesystem::path clip = MakeTestClip(folder / "video" / "clip.webm", 2);
    window->OpenLesson(LessonKind::Video, clip.string(), "");
    settle();
    auto *player = window->findChild<QMediaPlayer *>();
    ASSERT_NE(player, nullptr);
    ASSERT_FALSE(player->source().isEmpty());
    EXPECT_EQ(TestMidi().openOutputs(), 0) << "the video lesson closed the outputs";

    const std::size_t sent = TestMidi().sent().size();
    TestMidi().receiveShort(0, midi::Pack(midi::NoteOn, 60, 90));
    TestMidi().receiveShort(0, midi::Pack(midi::NoteOff, 60, 0));
    settle();
    EXPECT_EQ(TestMidi().sent().size(), sent) << "nothing is echoed over the clip";
    EXPECT_EQ(TestMidi().openOutputs(), 0);
}

TEST_F(MidiRouting, SavingTheDialogDuringAVideoStopsTheClipFirst)
{
    if (!HaveClipTools())
        GTEST_SKIP() << "gst-launch-1.0 (gstreamer1.0-tools) is needed to make the clip";
    settings("nomessagemidi=\"Y\"", "");
    start();
    const std::filesystem::path clip = MakeTestClip(folder / "video" / "clip.webm", 2);
    window->OpenLesson(LessonKind::Video, clip.string(), "");
    settle();
    auto *player = window->findChild<QMediaPlayer *>();
    ASSERT_NE(player, nullptr);
    ASSERT_FALSE(player->source().isEmpty());

    onDialog("TMidiSelect", [](QDialog &dialog) { click(dialog, "btSave"); });
    window->MidiDialog();
    settle();
    for (auto *each : window->findChildren<QMediaPlayer *>())
        EXPECT_TRUE(each->source().isEmpty()) << "the clip's player was stopped and replaced";
}
