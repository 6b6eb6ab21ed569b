#include "platform/error.h"
#include "platform/qpainter_canvas.h"
#include "platform/recording_canvas.h"
#include "platform/recording_ui.h"
#include "staff/mparms.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

namespace pw {
namespace {

class MParmsTest : public ::testing::Test
{
protected:
    MParmsTest()
    {
        folder = std::filesystem::temp_directory_path()
            / ("pw_mparms_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::create_directories(folder);
    }
    ~MParmsTest() override { std::filesystem::remove_all(folder); }

    // The test sys.xml with one attribute replaced, added or removed (value "-" removes it).
    void writeSys(const std::string &name = "", const std::string &value = "")
    {
        std::ifstream in(std::string(PARTWRITER_TEST_DATA) + "/sys.xml");
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (!name.empty()) {
            const std::regex existing("\\s" + name + "=\"[^\"]*\"");
            text = std::regex_replace(text, existing, "");
            if (value != "-")
                text = std::regex_replace(text, std::regex("<Sys "), "<Sys " + name + "=\"" + value + "\" ");
        }
        std::ofstream(folder / "sys.xml") << text;
    }

    std::filesystem::path folder;
    RecordingUi ui;
    RecordingBitmapLoader loader;
};

TEST_F(MParmsTest, ColoursDistancesAndLanguage)
{
    writeSys();
    const MParms parms(folder, loader, ui);
    EXPECT_EQ(parms.ColorError, MakeColor(255, 0, 0));
    EXPECT_EQ(parms.ColorFixedNote, Black);
    EXPECT_EQ(parms.ColorLine, MakeColor(1, 2, 3));
    EXPECT_EQ(parms.VoiceColor[3], MakeColor(100, 100, 0));
    EXPECT_EQ(parms.STEP_LINE, 10);
    EXPECT_EQ(parms.OFFSET_NOTE_CONSTANT, -20);
    EXPECT_EQ(parms.DefaultLanguage, "Russian");
    EXPECT_EQ(parms.BITMAP_DIRECTORY, "Bitmaps\\");
}

TEST_F(MParmsTest, EmptyLanguageIsRussian)
{
    writeSys("DefaultLanguage", "");
    EXPECT_EQ(MParms(folder, loader, ui).DefaultLanguage, "Russian");
    writeSys("DefaultLanguage", "English");
    EXPECT_EQ(MParms(folder, loader, ui).DefaultLanguage, "English");
}

TEST_F(MParmsTest, BitmapsComeFromTheBitmapFolderWithTheirSuffix)
{
    writeSys();
    const MParms parms(folder, loader, ui);
    ASSERT_EQ(loader.loaded.size(), BitmapKeys().size());
    EXPECT_EQ(loader.loaded.front(), folder / "Bitmaps" / "key_bass.bmp");
    EXPECT_EQ(loader.loaded.back(), folder / "Bitmaps" / "rest_eighth.bmp");
    EXPECT_EQ(parms.NoteTable[3]->name(), "n4_down.bmp");
    EXPECT_EQ(parms.Sign[4]->name(), "double_sharp.bmp");
    EXPECT_EQ(parms.Sign[5]->name(), "double_flat.bmp");
    EXPECT_EQ(parms.RestTable[1]->name(), "rest_half.bmp");
}

TEST_F(MParmsTest, ColourComponentOutOfRangeNamesTheKey)
{
    for (const char *value : {"256", "-1"}) {
        writeSys("ColorLineG", value);
        try {
            MParms parms(folder, loader, ui);
            FAIL() << "accepted ColorLineG=" << value;
        } catch (const RangeError &e) {
            EXPECT_NE(std::string(e.what()).find("ColorLineG"), std::string::npos) << e.what();
        }
    }
}

// Distances past what a screen needs would overflow the layout's arithmetic.
TEST_F(MParmsTest, DistanceOutOfRangeNamesTheKey)
{
    const std::pair<const char *, const char *> cases[] = {{"STEP_LINE", "2147483647"},
                                                           {"STEP_LINE", "-1"},
                                                           {"FREE_LEFT", "100000"},
                                                           {"OFFSET_NOTE_CONSTANT", "-5000"}};
    for (const auto &[key, value] : cases) {
        writeSys(key, value);
        try {
            MParms parms(folder, loader, ui);
            FAIL() << "accepted " << key << "=" << value;
        } catch (const RangeError &e) {
            EXPECT_NE(std::string(e.what()).find(std::string("sys.xml: ") + key + " = " + value),
                      std::string::npos)
                << e.what();
        }
    }
}

TEST_F(MParmsTest, NonNumericDistanceIsAConversionError)
{
    writeSys("STEP_LINE", "ten");
    EXPECT_THROW(MParms(folder, loader, ui), ConversionError);
}

TEST_F(MParmsTest, MissingBitmapNamesFileAndKey)
{
    writeSys();
    loader.missing.insert("n4_up.bmp");
    try {
        MParms parms(folder, loader, ui);
        FAIL() << "a missing bitmap was accepted";
    } catch (const Error &e) {
        const std::string text = e.what();
        EXPECT_NE(text.find("n4_up.bmp"), std::string::npos) << text;
        EXPECT_NE(text.find("N4_up"), std::string::npos) << text;
    }
}

TEST_F(MParmsTest, MissingFileFailsAtTheFirstBitmap)
{
    QtBitmapLoader real;
    try {
        MParms parms(folder, real, ui);
        FAIL() << "started without sys.xml";
    } catch (const Error &e) {
        EXPECT_NE(std::string(e.what()).find("KEY_BASS_FILE"), std::string::npos) << e.what();
    }
}

TEST_F(MParmsTest, ViewportMetrics)
{
    writeSys();
    MParms parms(folder, loader, ui);
    // One system is 2 * 10 * 10 + 30 = 230 pixels high.
    parms.SetViewport(0, 1000, 0, 230);
    EXPECT_EQ(parms.RowsFit, 2);
    EXPECT_EQ(parms.RightEdge, 990);
    EXPECT_EQ(parms.Width, 961);
    parms.SetViewport(0, 1000, 0, 229);
    EXPECT_EQ(parms.RowsFit, 0);
    parms.SetViewport(100, 1000, 20, 710);
    EXPECT_EQ(parms.RowsFit, 6);
    EXPECT_EQ(parms.RightEdge, 890);
}

TEST_F(MParmsTest, ShellKeys)
{
    writeSys("Menu", "course");
    const MParms parms(folder, loader, ui);
    EXPECT_EQ(parms.MenuName(), "course");
    EXPECT_EQ(parms.MidiTemp(), 200);
    EXPECT_FALSE(parms.AlwaysBass());
}

} // namespace
} // namespace pw
