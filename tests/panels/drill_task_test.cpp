#include "drill_fixture.h"

#include "panels/drill_settings.h"
#include "panels/drill_task.h"
#include "platform/random.h"

#include <gtest/gtest.h>

#include <set>

using namespace pw;
using pwtest::ScriptedRandom;

namespace {

DrillSettings ofType(int type, int intervals = 12)
{
    DrillSettings s;
    s.type = type;
    s.melodic = type == 12 || type == 14 || type == 16 || type == 22;
    s.intervalCount = intervals;
    return s;
}

TEST(DrillTask, TheCandidateNotesOfEachVariant)
{
    StdRandom random(5);
    std::set<int> whites;
    std::set<int> chromatic;
    for (int i = 0; i < 2000; ++i) {
        whites.insert(MakeDrillTask(ofType(1), {}, random).first);
        chromatic.insert(MakeDrillTask(ofType(2), {}, random).first);
    }
    // Type 1 asks the thirteen white keys C4 … A5, never B5 (62).
    EXPECT_EQ(whites, std::set<int>(WhiteKeyCandidates().begin(), WhiteKeyCandidates().end()));
    EXPECT_FALSE(whites.count(62));
    EXPECT_EQ(*chromatic.begin(), 39);
    EXPECT_EQ(*chromatic.rbegin(), 61);
    EXPECT_EQ(chromatic.size(), 23u);

    for (int i = 0; i < 2000; ++i) {
        const DrillTask t = MakeDrillTask(ofType(21, 7), {}, random);
        ASSERT_TRUE(t.second);
        const int interval = std::abs(*t.second - t.first);
        EXPECT_GE(interval, 1);
        EXPECT_LE(interval, 7);
        EXPECT_LT(*t.second, 63);
    }
}

TEST(DrillTask, TheSecondNoteTurnsDownAtTheTopAndHintedVariantsNameTheLowerFirst)
{
    // First note 60 (39 + 21), the family and program draws, interval 5 (4 + 1): 65 would be
    // too high, so 55.
    ScriptedRandom random({21, 0, 0, 4});
    DrillTask t = MakeDrillTask(ofType(11), {}, random);
    EXPECT_EQ(t.first, 60);
    EXPECT_EQ(t.second, 55);
    EXPECT_EQ(t.steps, (std::vector<std::vector<int>> {{60, 55}}));

    // In the hinted variants the lower note is the first; they still sound in the order drawn.
    ScriptedRandom again({21, 0, 0, 4});
    t = MakeDrillTask(ofType(14), {}, again);
    EXPECT_EQ(t.first, 55);
    EXPECT_EQ(t.second, 60);
    EXPECT_EQ(t.steps, (std::vector<std::vector<int>> {{60}, {55}}));

    ScriptedRandom upwards({0, 0, 0, 2});
    t = MakeDrillTask(ofType(22), {}, upwards);
    EXPECT_EQ(t.first, 39);
    EXPECT_EQ(t.second, 42);
    EXPECT_EQ(t.steps, (std::vector<std::vector<int>> {{39}, {42}}));
    EXPECT_EQ(MakeDrillTask(ofType(1), {}, upwards).steps.size(), 1u);
}

TEST(DrillTask, ProgramsComeFromTheTickedFamilies)
{
    StdRandom random(9);
    InstrumentChoice organ;
    organ.families = {false, false, true, false, false, false, false, false};
    InstrumentChoice none;
    none.families = {};
    InstrumentChoice pianoOnly = organ;
    pianoOnly.pianoOnly = true;
    InstrumentChoice two;
    two.families = {false, false, false, true, false, false, false, true};
    std::set<int> organPrograms;
    std::set<int> twoPrograms;
    for (int i = 0; i < 3000; ++i) {
        organPrograms.insert(DrawProgram(organ, random));
        const int p = DrawProgram(none, random);
        EXPECT_TRUE(p >= 0 && p <= 15) << "no box ticked plays the piano family";
        EXPECT_EQ(DrawProgram(pianoOnly, random), 0);
        twoPrograms.insert(DrawProgram(two, random));
    }
    EXPECT_EQ(*organPrograms.begin(), 30);
    EXPECT_EQ(*organPrograms.rbegin(), 45);
    EXPECT_EQ(organPrograms.size(), 16u);
    // Guitar 46 … 61 and pipes 142 … 157, both drawn.
    EXPECT_EQ(*twoPrograms.begin(), 46);
    EXPECT_EQ(*twoPrograms.rbegin(), 157);
    EXPECT_EQ(twoPrograms.size(), 32u);
}

TEST(DrillSettings, ParmAttributesWithDefaultsAndTheItemAsFallback)
{
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(
        R"(<Item type="13" countnotes="4" countattempts="5"><Parm type="12" keyboardpicture="k.jpg"
        staffonenoteoffset="0" intcount="40" countnotes="0"/></Item>)"));
    const XmlNode item = doc.child("Item");
    const DrillSettings s = ReadDrillSettings(item.child("Parm"), item);
    EXPECT_EQ(s.type, 11) << "12 is read as 11";
    EXPECT_TRUE(s.melodic);
    EXPECT_EQ(s.keyboardPicture, "k.jpg");
    EXPECT_EQ(s.staffNoteWidth, 1) << "a zero column width would divide by zero";
    EXPECT_EQ(s.intervalCount, 12) << "only twelve intervals have names";
    EXPECT_EQ(s.countNotes, 1) << "a drill has at least one task";
    EXPECT_EQ(s.countAttempts, 5) << "taken from the Item where the Parm lacks it";
    EXPECT_EQ(s.countSeconds, 5);
    EXPECT_EQ(s.keyboardTop, -45);
    EXPECT_EQ(s.staffTop, -15);
}

} // namespace
