// Lengths in ticks, the measures of a part and the pieces a voice is cut into at the bar lines.

#include "support/exercise_document.h"

#include "document/exercise_nodes.h"
#include "document/xml_file.h"
#include "musicxml/score_timeline.h"

#include <gtest/gtest.h>

namespace pw {

void PrintTo(const NoteValue &value, std::ostream *os)
{
    *os << value.length << (value.dotted ? "." : "");
}

} // namespace pw

namespace {

using namespace pw;

TEST(ScoreTimeline, LengthCodesAreWholeTicks)
{
    EXPECT_EQ(NoteTicks(8, false), TicksPerQuarter);
    EXPECT_EQ(NoteTicks(2, false), 4 * TicksPerQuarter); // a whole note
    EXPECT_EQ(NoteTicks(1, true), 12 * TicksPerQuarter); // a dotted breve
    EXPECT_EQ(NoteTicks(128, true), 3); // a dotted 64th, the shortest the file has
    EXPECT_EQ(NoteTicks(0, false), 0);
    EXPECT_EQ(NoteTicks(0, true), 0);
}

TEST(ScoreTimeline, DurationsAreCutIntoTheLongestValuesThatFit)
{
    using V = std::vector<NoteValue>;
    // A note's own value comes back whole, dotted or not.
    for (int length = 1; length <= 128; length *= 2) {
        EXPECT_EQ(ValuesOf(NoteTicks(length, false)), (V {{length, false}})) << length;
        EXPECT_EQ(ValuesOf(NoteTicks(length, true)), (V {{length, true}})) << length;
    }
    EXPECT_EQ(ValuesOf(5 * TicksPerQuarter), (V {{2, false}, {8, false}}));
    EXPECT_EQ(ValuesOf(TicksPerQuarter * 7 / 2), (V {{4, true}, {16, false}}));
    EXPECT_EQ(ValuesOf(1), (V {{256, false}})); // the rest of a dotted 64th cut at a bar line
    EXPECT_EQ(ValuesOf(16 * TicksPerQuarter), (V {{1, true}, {2, false}})); // a dotted breve and a whole
    EXPECT_TRUE(ValuesOf(0).empty());
}

class ScoreGrid : public ExerciseFixture
{
protected:
    XmlNode part(const std::string &attributes, const std::string &size, const std::string &voice = "")
    {
        const std::string xml = "<MExercise><Part " + attributes + ">" + size + voice + "</Part></MExercise>";
        EXPECT_TRUE(LoadXmlText(doc, xml));
        return doc.child("MExercise").child("Part");
    }
    pugi::xml_document doc;
};

TEST_F(ScoreGrid, MeasuresFollowTheTimeSignatureAndTheUpbeat)
{
    const MeasureGrid plain = GridOf(part("", "<Size chi=\"3\" zna=\"8\"/>"));
    EXPECT_EQ(plain.beats, 3);
    EXPECT_EQ(plain.beatType, 4);
    EXPECT_EQ(plain.measure, 3 * TicksPerQuarter);
    EXPECT_EQ(plain.upbeat, 0);
    EXPECT_EQ(plain.StartOf(2), 6 * TicksPerQuarter);
    EXPECT_EQ(plain.IndexAt(3 * TicksPerQuarter - 1), 0);
    EXPECT_EQ(plain.IndexAt(3 * TicksPerQuarter), 1);
    EXPECT_EQ(plain.CountFor(0), 1);
    EXPECT_EQ(plain.CountFor(3 * TicksPerQuarter), 1);
    EXPECT_EQ(plain.CountFor(3 * TicksPerQuarter + 1), 2);

    const MeasureGrid upbeat
        = GridOf(part("FirstTactChi=\"1\" FirstTactZna=\"8\"", "<Size chi=\"4\" zna=\"8\"/>"));
    EXPECT_EQ(upbeat.upbeat, TicksPerQuarter);
    EXPECT_EQ(upbeat.EndOf(0), TicksPerQuarter);
    EXPECT_EQ(upbeat.EndOf(1), 5 * TicksPerQuarter);
    EXPECT_EQ(upbeat.IndexAt(TicksPerQuarter - 1), 0);
    EXPECT_EQ(upbeat.IndexAt(5 * TicksPerQuarter), 2);
    EXPECT_EQ(upbeat.CountFor(TicksPerQuarter), 1);
    EXPECT_EQ(upbeat.CountFor(2 * TicksPerQuarter), 2);

    // A first measure as long as the others is no upbeat.
    EXPECT_EQ(GridOf(part("FirstTactChi=\"4\" FirstTactZna=\"8\"", "<Size chi=\"4\" zna=\"8\"/>")).upbeat, 0);
    EXPECT_EQ(GridOf(part("FirstTactChi=\"2\" FirstTactZna=\"16\"", "<Size chi=\"6\" zna=\"16\"/>")).upbeat,
              TicksPerQuarter);
}

TEST_F(ScoreGrid, TimeSignaturesInBrevesAndNoneAtAll)
{
    const MeasureGrid breves = GridOf(part("", "<Size chi=\"3\" zna=\"1\"/>"));
    EXPECT_EQ(breves.beats, 6);
    EXPECT_EQ(breves.beatType, 1);
    EXPECT_EQ(breves.measure, 24 * TicksPerQuarter);
    const MeasureGrid none = GridOf(part("", ""));
    EXPECT_EQ(none.beats, 4);
    EXPECT_EQ(none.beatType, 4);
    EXPECT_EQ(none.measure, 4 * TicksPerQuarter);
}

TEST_F(ScoreGrid, NotesOverABarLineAreTiedAndRestsSplit)
{
    // Three quarters, a half over the bar line, a head without a duration, a whole rest over the
    // next one.
    XmlNode p
        = part("", "<Size chi=\"4\" zna=\"8\"/>",
               "<Voice H=\"0\"><Note High=\"24\" Long=\"8\"/><Note High=\"24\" Long=\"8\"/>"
               "<Note High=\"24\" Long=\"8\"/><Note High=\"26\" Long=\"4\"/><Note High=\"30\" Long=\"0\"/>"
               "<Note High=\"-1\" Long=\"2\"/></Voice>");
    const std::vector<VoicePiece> pieces = PiecesOf(p.child("Voice"), GridOf(p));
    ASSERT_EQ(pieces.size(), 7u);
    const int q = TicksPerQuarter;
    EXPECT_EQ(pieces[3].start, 3 * q);
    EXPECT_EQ(pieces[3].value, (NoteValue {8, false}));
    EXPECT_TRUE(pieces[3].first);
    EXPECT_TRUE(pieces[3].tieStart);
    EXPECT_FALSE(pieces[3].tieStop);
    EXPECT_EQ(pieces[4].start, 4 * q);
    EXPECT_EQ(pieces[4].high, 26);
    EXPECT_FALSE(pieces[4].first);
    EXPECT_TRUE(pieces[4].tieStop);
    EXPECT_FALSE(pieces[4].tieStart);
    // The rest from beat 2 of measure 2 to the end of beat 1 of measure 3: a dotted half, then a
    // quarter, untied.
    EXPECT_TRUE(pieces[5].rest);
    EXPECT_EQ(pieces[5].start, 5 * q);
    EXPECT_EQ(pieces[5].value, (NoteValue {4, true}));
    EXPECT_EQ(pieces[6].start, 8 * q);
    EXPECT_EQ(pieces[6].value, (NoteValue {8, false}));
    EXPECT_FALSE(pieces[5].tieStart || pieces[6].tieStop);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_FALSE(pieces[i].tieStart || pieces[i].tieStop) << i;
}

} // namespace
