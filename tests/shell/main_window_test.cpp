#include "../document/test_files.h"

#include "platform/file_paths.h"
#include "shell/main_window.h"
#include "shell/staff_box.h"

#include <QApplication>
#include <QToolBar>
#include <QToolButton>

using namespace pw;

namespace {

// The bundled course in a scratch data folder whose settings silence the no-MIDI notice.
class MainWindow : public TestFolder
{
protected:
    void SetUp() override
    {
        TestFolder::SetUp();
        std::filesystem::copy(PARTWRITER_BUNDLED_DATA, folder, std::filesystem::copy_options::recursive);
        write("parms.xml",
              "<Parameters nomessagemidi=\"Y\" octoffset0=\"-1\"><MidiInput/><MidiOutput/></Parameters>");
        tdm.ExeDir = WithTrailingSeparator(ExecutableFolder());
        tdm.DataDir = WithTrailingSeparator(folder);
    }
    Tdm tdm;
};

} // namespace

TEST_F(MainWindow, StartsOnTheStartLessonWithLocalisedToolbar)
{
    TForm1 window(tdm);
    ASSERT_TRUE(window.Start({"-l", "English"}));
    EXPECT_EQ(window.data().Language, "English");
    EXPECT_NE(window.findChild<QToolBar *>("sToolBar1"), nullptr);
    auto *bass = window.findChild<QToolButton *>("tbVoice0");
    ASSERT_NE(bass, nullptr);
    EXPECT_EQ(bass->toolTip(), "Voice: bass");
    EXPECT_NE(window.findChild<TStaffBox *>("pb"), nullptr);
    EXPECT_GT(window.exercise().PartCount, 0);
    EXPECT_EQ(window.exercise().OctOffset[0], -1);
    // The bass is given in the start lesson: its button is disabled, the tenor's is current.
    EXPECT_FALSE(bass->isEnabled());
    EXPECT_TRUE(window.findChild<QToolButton *>("tbVoice1")->isChecked());
}

TEST_F(MainWindow, NotesTakeTheRoadIntoTheExerciseAndOffsetsAreSavedAtExit)
{
    {
        TForm1 window(tdm);
        ASSERT_TRUE(window.Start({}));
        const int before = window.exercise().InsertCount;
        window.NoteHandler(0, 144, 65, 90);
        window.NoteHandler(0, 144, 65, 0);
        EXPECT_EQ(window.exercise().InsertCount, before + 1);
        window.exercise().OctOffset[3] = 1;
        window.close();
    }
    EXPECT_NE(read(folder / "parms.xml").find("octoffset3=\"1\""), std::string::npos);
}

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
