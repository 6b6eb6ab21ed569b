#include "exercise_fixture.h"

#include "harmony/definitor.h"
#include "platform/error.h"
#include "platform/recording_ui.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace pw;
using ::testing::HasSubstr;

namespace {

class DefinitorTest : public ::testing::Test
{
protected:
    RecordingUi ui;
    TMusDefinitor definitor {pwtest::TestRules("small_rules.xml"), ui};

    std::string name(const std::string &group, int b, int t, int a, int s)
    {
        auto chord = definitor.IdentifyChord(group, b, t, a, s);
        return chord ? chord->Name() : "none";
    }

    // An analysis note for the transition queries.
    XmlNode chordNote(const std::string &text, const std::string &t, const std::string &m)
    {
        XmlNode note = notes.append_child("Note");
        SetAttr(note, "Text", text);
        SetAttr(note, "T", t);
        SetAttr(note, "S", "T");
        SetAttr(note, "L", "N");
        SetAttr(note, "M", m);
        return note;
    }

    // The step from a T (soprano on its root) to a chord of function tTo, soprano on mTo.
    std::string step(const VoicePitches &from, const VoicePitches &to, const std::string &tFrom = "T",
                     const std::string &tTo = "D", const std::string &mTo = "5")
    {
        definitor.GroupVoicesCount("Four");
        return definitor.TransitionName(chordNote(tFrom, tFrom, "1"), chordNote(tTo, tTo, mTo),
                                        TMusDefinitor::MovementOf(from, to));
    }

    pugi::xml_document doc;
    XmlNode notes = doc.append_child("Voice");
};

TEST_F(DefinitorTest, GroupVoicesCount)
{
    EXPECT_EQ(definitor.GroupVoicesCount("Four"), 4);
    EXPECT_EQ(definitor.GroupVoicesCount("Melody"), 1);
    EXPECT_EQ(definitor.GroupVoicesCount("Uncounted"), 0);
    EXPECT_EQ(definitor.GroupVoicesCount("Nobody"), -1);
    EXPECT_TRUE(definitor.Definitions().empty());
    EXPECT_EQ(definitor.GroupVoicesCount("Four"), 4);
    const auto names = [](const std::vector<XmlNode> &sets) {
        std::vector<std::string> out;
        for (XmlNode set : sets)
            out.push_back(GetAttr(set, "name"));
        return out;
    };
    EXPECT_EQ(names(definitor.Definitions()), (std::vector<std::string> {"Chords", "More"}));
    EXPECT_EQ(names(definitor.Transitions()), (std::vector<std::string> {"Steps"}));
    definitor.GroupVoicesCount("Raw");
    EXPECT_TRUE(definitor.Transitions().empty());
}

TEST_F(DefinitorTest, NormalisationReducesBassAndUpperBlockApart)
{
    // Octave indices of the upper voices 2, 3, 3: the block moves down two octaves.
    EXPECT_EQ(name("Four", 15, 30, 40, 45), "X");
    EXPECT_EQ(name("Raw", 15, 30, 40, 45), "none");
    EXPECT_EQ(name("Raw", 3, 6, 16, 21), "X");
    // The bass alone moves by octaves; the spacing of the upper voices matters.
    EXPECT_EQ(name("Four", 51, 18, 28, 33), "X");
    EXPECT_EQ(name("Four", 15, 30, 40, 57), "none");
}

TEST_F(DefinitorTest, IdentifiedChordInheritsFromItsChordAndFirstShapeWins)
{
    auto own = definitor.IdentifyChord("Four", 12, 40, 43, 48);
    ASSERT_TRUE(own);
    EXPECT_EQ(own->Name(), "X2");
    EXPECT_EQ(own->L, "W");
    EXPECT_EQ(own->M, "3");
    EXPECT_EQ(own->T, "T");
    EXPECT_EQ(own->TT, "1");

    auto inherited = definitor.IdentifyChord("Four", 7, 11, 14, 19);
    ASSERT_TRUE(inherited);
    EXPECT_EQ(inherited->Name(), "Y");
    EXPECT_EQ(inherited->T, "D");
    EXPECT_EQ(inherited->S, "6");
    EXPECT_EQ(inherited->TT, "");
    // Chords of every definition of the group are found.
    EXPECT_EQ(name("Four", 5, 5, 9, 12), "Z");
    EXPECT_EQ(name("Raw", 5, 5, 9, 12), "none");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DefinitorTest, OneVoiceNames)
{
    struct Case
    {
        int high;
        int type;
        const char *name;
    };
    for (const Case &c :
         {Case {0, 0, "One"}, Case {36, 1, "One"}, Case {15, 0, "Minor third"}, Case {15, 1, "?"},
          Case {28, 1, "Major third"}, Case {28, 0, "?"}, Case {-1, 1, "?"}}) {
        EXPECT_EQ(definitor.NoteChordName("Melody", c.high, c.type), c.name) << c.high << " type " << c.type;
    }
    EXPECT_EQ(definitor.NoteChordName("Nobody", 0, 1), "?");
}

TEST_F(DefinitorTest, MovementRangesAndDefaults)
{
    // Soprano by a tone up, down, or held matches "-2 .. 2"; a third does not.
    EXPECT_EQ(step({0, 4, 7, 12}, {7, 2, 7, 14}), "soprano by a tone");
    EXPECT_EQ(step({0, 4, 7, 12}, {7, 2, 7, 10}), "soprano by a tone");
    EXPECT_EQ(step({0, 4, 7, 12}, {7, 2, 7, 12}), "soprano by a tone");
    EXPECT_EQ(step({0, 4, 7, 12}, {7, 2, 7, 15}), "?");
    // A rule without a name takes the set's; a descriptor it names must match.
    EXPECT_EQ(step({7, 2, 7, 14}, {0, 4, 7, 12}, "D", "T", "1"), "step");
    EXPECT_EQ(step({7, 2, 7, 14}, {0, 4, 7, 12}, "D", "T", "3"), "?");
}

TEST_F(DefinitorTest, HeldVoicesCountOnlyTheUpperVoices)
{
    definitor.GroupVoicesCount("Four");
    const auto from = [&] { return chordNote("D", "D", "5"); };
    const auto to = [&] { return chordNote("S", "S", "3"); };
    // A lower bound without its upper bound never matches, so only the held-voice rule can.
    EXPECT_EQ(definitor.TransitionName(from(), to(), TMusDefinitor::MovementOf({0, 4, 7, 12}, {5, 4, 7, 12})),
              "three held");
    EXPECT_EQ(definitor.TransitionName(from(), to(), TMusDefinitor::MovementOf({0, 4, 7, 12}, {0, 4, 7, 14})),
              "?");
}

TEST_F(DefinitorTest, TransitionWithoutRulesOrWithUnknownChords)
{
    definitor.GroupVoicesCount("Raw");
    const Movement any = TMusDefinitor::MovementOf({0, 4, 7, 12}, {0, 4, 7, 12});
    EXPECT_EQ(definitor.TransitionName(chordNote("T", "T", "1"), chordNote("T", "T", "1"), any), "");
    definitor.GroupVoicesCount("Four");
    EXPECT_EQ(definitor.TransitionName(chordNote("?", "T", "1"), chordNote("T", "T", "1"), any), "?");
    EXPECT_EQ(definitor.TransitionName(XmlNode(), chordNote("T", "T", "1"), any), "?");
}

TEST_F(DefinitorTest, MovementOfAStep)
{
    const Movement m = TMusDefinitor::MovementOf({10, 20, 30, 40}, {12, 20, 29, 40});
    EXPECT_EQ(m.moves, (std::array<int, 4> {-2, 0, 1, 0}));
    EXPECT_EQ(m.held, 2) << "the bass is not counted";
    EXPECT_EQ(m.classesBefore, (std::array<int, 4> {10, 8, 6, 4}));
    EXPECT_EQ(TMusDefinitor::MovementOf({-1, 0, 0, 0}, {0, 0, 0, 0}).classesBefore[0], -1);
}

TEST_F(DefinitorTest, LocalLabels)
{
    EXPECT_EQ(definitor.LocalLabel("A", "1", "гарм."), "гарм.");
    definitor.SetLanguage("English");
    EXPECT_EQ(definitor.LocalLabel("A", "1", "гарм."), "harm.");
    EXPECT_EQ(definitor.LocalLabel("A", "1", "мелод."), "мелод.");
    EXPECT_EQ(definitor.LocalLabel("A", "2", "гарм."), "гарм.");
    EXPECT_EQ(definitor.LocalLabel("A", "3", "II"), "ii");
    EXPECT_EQ(definitor.LocalLabel("A", "1", "it's"), "it's");
    EXPECT_EQ(definitor.LocalLabel("A", "1", "q'uote"), "quoted") << "a quote is part of the value";
    definitor.SetLanguage("Deutsch");
    EXPECT_EQ(definitor.LocalLabel("A", "3", "II"), "zwei");
}

TEST_F(DefinitorTest, ValidationMessagesStopAtTheFirstFaultyDescriptor)
{
    ASSERT_TRUE(definitor.IdentifyChord("Faulty", 0, 4, 7, 12));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "Значение 2 в Мелодическая позиция недопустимо");
    EXPECT_EQ(ui.messages[0].text, "Ошибка");

    ui.messages.clear();
    auto chord = definitor.IdentifyChord("Faulty", 1, 4, 7, 12);
    ASSERT_TRUE(chord);
    EXPECT_EQ(chord->S, "X");
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].caption, "Не указано Основа в NoT");
    EXPECT_EQ(ui.messages[1].caption, "Значение  в Основа недопустимо");
}

// Group names and descriptors come from files; compared as values they can neither pick a group
// they do not name nor break the query.
TEST_F(DefinitorTest, NamesFromFilesAreValuesNotPartsOfTheQuery)
{
    EXPECT_EQ(definitor.GroupVoicesCount("nothing' or '1'='1"), -1);
    EXPECT_EQ(definitor.GroupVoicesCount("it's"), -1);
    EXPECT_EQ(name("nothing' or '1'='1", 3, 6, 16, 21), "none");
    // A group that names no chord set finds nothing.
    EXPECT_EQ(name("Empty", 0, 4, 7, 12), "none");
    // A descriptor holding a quote matches no rule instead of failing the query.
    definitor.GroupVoicesCount("Four");
    EXPECT_EQ(definitor.TransitionName(chordNote("T", "T' or '1'='1", "1"), chordNote("D", "D", "5"),
                                       TMusDefinitor::MovementOf({0, 4, 7, 12}, {7, 2, 7, 14})),
              "?");
    EXPECT_TRUE(ui.messages.size() > 0) << "the faulty descriptor is still reported";
}

} // namespace
