#include "staff_fixture.h"

#include "staff/pitch_rules.h"
#include "staff/staff_voices.h"

namespace pw {

void PrintTo(const WrittenPitch &p, std::ostream *os)
{
    *os << "CDEFGAB"[p.letter] << p.octave << (p.alter >= 0 ? "+" : "") << p.alter;
}

} // namespace pw

namespace pw::test {
namespace {

using Kind = RecordingCanvas::Kind;
using NotesTest = StaffTest;

constexpr Tonality CMajor {1, 0};

TEST(StaffPositionTest, ReferencePitchesOnBothClefs)
{
    EXPECT_EQ(StaffPosition(36, CMajor, 4), 2); // middle C
    EXPECT_EQ(StaffPosition(40, CMajor, 4), 4); // E4 on the bottom line
    EXPECT_EQ(StaffPosition(53, CMajor, 4), 12); // F5 on the top line
    EXPECT_EQ(StaffPosition(19, CMajor, 1), 4); // G2 on the bottom line
    EXPECT_EQ(StaffPosition(43, {0, 0}, 4), 4); // minor: High 43 is E4
    EXPECT_EQ(StaffPosition(36, CMajor, 2), 23); // no correction for other clefs
    // G major: C4 of the reference key is shown as G4, four steps up.
    EXPECT_EQ(StaffPosition(36, {1, -1}, 4), 6);
}

TEST(WrittenPitchTest, LettersAndOctavesAreTheStaffPositions)
{
    for (int type : {0, 1}) {
        for (int val = -7; val <= 7; ++val) {
            for (int high = 0; high <= 127; ++high) {
                const WrittenPitch p = WrittenPitchOf(high, {type, val});
                // Treble E4 lies on the bottom line, position 4, and C1 is the third step from A0.
                EXPECT_EQ(7 * p.octave + p.letter - 5, StaffPosition(high, {type, val}, 4) + 21)
                    << "type " << type << " val " << val << " High " << high;
                EXPECT_GE(p.alter, -2);
                EXPECT_LE(p.alter, 2);
            }
        }
    }
}

TEST(WrittenPitchTest, KeySignaturesAndAccidentalsSpellTheNote)
{
    EXPECT_EQ(WrittenPitchOf(36, CMajor), (WrittenPitch {0, 4, 0})); // middle C
    EXPECT_EQ(WrittenPitchOf(35, {0, 0}), (WrittenPitch {4, 3, 1})); // A minor: the leading tone G sharp
    EXPECT_EQ(WrittenPitchOf(35, {0, 1}), (WrittenPitch {0, 4, 1})); // D minor: C sharp in a flat key
    EXPECT_EQ(WrittenPitchOf(29, {1, 1}), (WrittenPitch {6, 3, -1})); // F major: B flat
    EXPECT_EQ(WrittenPitchOf(34, {1, 1}), (WrittenPitch {2, 4, -1})); // F major, reference B flat: E flat
    EXPECT_EQ(WrittenPitchOf(24, {1, 7}), (WrittenPitch {0, 3, -1})); // seven flats: C flat
    EXPECT_EQ(WrittenPitchOf(35, {1, -7}), (WrittenPitch {6, 3, 1})); // seven sharps: B sharp
    EXPECT_EQ(WrittenPitchOf(37, {1, -7}), (WrittenPitch {0, 4, 2})); // C double sharp
    EXPECT_EQ(WrittenPitchOf(42, {1, -1}), (WrittenPitch {0, 5, 1})); // G major, reference F sharp: C sharp
}

struct AccidentalCase
{
    const char *name;
    Tonality tonality;
    std::vector<std::pair<int, int>> notes; // High, expected sign, in one measure
};

void PrintTo(const AccidentalCase &c, std::ostream *os)
{
    *os << c.name;
}

class AccidentalTest : public ::testing::TestWithParam<AccidentalCase>
{
};

TEST_P(AccidentalTest, SignsWithMemory)
{
    AccidentalMemory memory {};
    for (std::size_t i = 0; i < GetParam().notes.size(); ++i) {
        const auto [high, sign] = GetParam().notes[i];
        EXPECT_EQ(AccidentalFor(high, GetParam().tonality, memory), sign) << "note " << i << " High " << high;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, AccidentalTest,
    ::testing::Values(
        // D sharp, D, D sharp: no key signature shows every sign again.
        AccidentalCase {"CMajor", CMajor, {{39, Sharp}, {38, Natural}, {39, Sharp}, {40, NoSign}}},
        AccidentalCase {"CMajorFlat", CMajor, {{46, Flat}, {46, Flat}, {47, Natural}, {47, NoSign}}},
        // One sharp: reference B carries it. B flat is shown as a natural, B as the sharp again;
        // C sharp takes a sharp once per measure.
        AccidentalCase {"OneSharp",
                        {1, -1},
                        {{10, Natural}, {10, NoSign}, {11, Sharp}, {1, Sharp}, {1, NoSign}, {0, Natural}}},
        AccidentalCase {"OneSharpMinor", {0, -1}, {{1, Natural}, {2, Sharp}, {2, NoSign}}},
        // One flat: reference F carries it. F sharp is a natural, F the flat again.
        AccidentalCase {"OneFlat", {1, 1}, {{6, Natural}, {6, NoSign}, {5, Flat}, {5, NoSign}, {4, NoSign}}},
        AccidentalCase {"OneFlatOtherStep", {1, 1}, {{1, Sharp}, {1, NoSign}, {0, Natural}}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(NoteUnitsTest, DotsAndCoarseUnits)
{
    pugi::xml_document doc;
    XmlNode dottedQuarter = doc.append_child("Note");
    dottedQuarter.append_attribute("Long") = 8;
    dottedQuarter.append_attribute("P") = 1;
    XmlNode eighth = doc.append_child("Note");
    eighth.append_attribute("Long") = 16;
    XmlNode none = doc.append_child("Note");
    EXPECT_EQ(NoteUnits(dottedQuarter, 16), 3);
    EXPECT_EQ(NoteUnits(eighth, 8), 0);
    EXPECT_EQ(NoteUnits(eighth, 16), 1);
    EXPECT_EQ(NoteUnits(none, 16), 0);
}

TEST_F(NotesTest, LedgerLinesBitmapsAndPositions)
{
    // Soprano C4, E4, F5, A5 and bass G2, E2 in C major; one measure of four quarters.
    load(exercise(
        part(voice(3, {"36:8", "40:8", "53:8", "57:8"}) + voice(0, {"19:8", "16:8", "19:8", "19:8"}))));
    paint();
    const Tacts &tacts = ex->part(0).Tacts;
    const int origin = 111;
    const int step = tacts.TactStep[0];
    const auto up = bitmapsNamed("n4_up.bmp");
    const auto down = bitmapsNamed("n4_down.bmp");
    ASSERT_EQ(up.size(), 4u);
    ASSERT_EQ(down.size(), 4u);
    // y = StaffTop + 3L + offset - p * L / 2.
    EXPECT_EQ(std::make_pair(up[0].x1, up[0].y1), std::make_pair(origin + 1, Top + 10 - 10));
    EXPECT_EQ(up[1].y1, Top + 10 - 20);
    EXPECT_EQ(std::make_pair(up[2].x1, up[2].y1), std::make_pair(origin + 2 * step + 1, Top + 10 - 60));
    EXPECT_EQ(down[0].y1, 150 + 10 - 20);

    std::vector<std::tuple<int, int, int>> ledgers;
    for (const auto &call : canvas.of(Kind::Line)) {
        if (call.y1 == call.y2 && call.x2 - call.x1 == 24)
            ledgers.emplace_back(call.x1, call.y1, call.pen);
    }
    const auto color = static_cast<int>(parms->ColorLine);
    EXPECT_EQ(ledgers,
              (std::vector<std::tuple<int, int, int>> {
                  {origin + 1, Top + 5 * L, color}, // C4
                  {origin + 3 * step + 1, Top - L, color}, // A5
                  {origin + step + 1, 150 + 5 * L, color}, // E2
              }));
}

TEST_F(NotesTest, TwoLedgerLinesBelowAndAbove)
{
    load(exercise(part(voice(3, {"33:8", "60:8", "40:4"}))));
    paint();
    int below = 0, above = 0;
    for (const auto &call : canvas.of(Kind::Line)) {
        if (call.y1 == call.y2 && call.x2 - call.x1 == 24)
            (call.y1 > Top ? below : above) += 1;
    }
    EXPECT_EQ(below, 2); // A3, position 0
    EXPECT_EQ(above, 2); // C6, position 16
}

TEST_F(NotesTest, RestsPerVoice)
{
    load(exercise(part(voice(3, {"-1:16", "-1:16", "-1:8", "-1:4"}) + voice(2, {"-1:8", "-1:8", "-1:4"})
                       + voice(1, {"-1:0", "-1:2"}) + voice(0, {"-1:16", "-1:16", "-1:8", "-1:4"}))));
    paint();
    const auto eighths = bitmapsNamed("rest_eighth.bmp");
    ASSERT_EQ(eighths.size(), 4u);
    // Soprano four line distances above the reference position, bass one below.
    EXPECT_EQ(std::make_pair(eighths[0].x1, eighths[0].y1), std::make_pair(112, Top + 30 - 20 - 40));
    EXPECT_EQ(eighths[2].y1, 150 + 30 - 20 + 10);
    const auto quarters = bitmapsNamed("rest_quarter.bmp");
    ASSERT_EQ(quarters.size(), 4u);
    EXPECT_EQ(quarters[1].y1, Top + 30 - 20 + 10); // alto
    EXPECT_EQ(bitmapsNamed("rest_half.bmp").size(), 4u); // half rests and the alto's whole rest
    EXPECT_EQ(bitmapsNamed("rest_other.bmp").size(), 1u); // length code 0
    EXPECT_EQ(bitmapsNamed("dot.bmp").size(), 0u);
    EXPECT_EQ(canvas.of(Kind::Line).size(), 10u + 5u) << "rests get no ledger lines";
}

TEST_F(NotesTest, DotSignAndExemptionMark)
{
    load(exercise(part(voice(3, {"<Note High=\"39\" Long=\"8\" P=\"1\" BH=\"1\"/>", "38:16", "40:4"}))));
    paint();
    const int y = Top + 10 - 15; // D sharp on position 3
    const auto dot = bitmapsNamed("dot.bmp");
    ASSERT_EQ(dot.size(), 1u);
    EXPECT_EQ(std::make_pair(dot[0].x1, dot[0].y1), std::make_pair(112 + Note / 2, y + NoteHeight / 3));
    const auto sharp = bitmapsNamed("sharp.bmp");
    ASSERT_EQ(sharp.size(), 1u);
    EXPECT_EQ(std::make_pair(sharp[0].x1, sharp[0].y1), std::make_pair(112 - Note / 3, y + NoteHeight / 3));
    EXPECT_EQ(bitmapsNamed("natural.bmp").size(), 1u);
    const auto mark = canvas.texts("][");
    ASSERT_EQ(mark.size(), 1u);
    EXPECT_EQ(std::make_pair(mark[0].x1, mark[0].y1), std::make_pair(112 - Note / 3, 150 - L * S / 2));
    EXPECT_EQ(mark[0].font.color, MakeColor(255, 0, 0));
    EXPECT_TRUE(mark[0].font.bold);
}

TEST_F(NotesTest, MemoryIsClearedAfterEveryMeasure)
{
    load(exercise(part(voice(3, {"39:8", "39:8", "40:4", "39:8", "38:8", "40:4"}))));
    paint();
    EXPECT_EQ(bitmapsNamed("sharp.bmp").size(), 3u);
    EXPECT_EQ(bitmapsNamed("natural.bmp").size(), 1u);
}

TEST_F(NotesTest, PitchBelowMinusOneIsReportedTwice)
{
    load(exercise(part(voice(3, {"-5:2"}))));
    paint();
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].caption, "Нота: -5 в отрисовке знака");
    EXPECT_EQ(ui.messages[1].text, "Ошибка");
    const auto whole = bitmapsNamed("n1_up.bmp");
    ASSERT_EQ(whole.size(), 1u);
    EXPECT_EQ(whole[0].y1, Top + 10);
}

TEST_F(NotesTest, StemDirectionAndLengthsPickTheBitmap)
{
    load(exercise(part(voice(2, {"40:16", "40:16", "40:8", "40:4"}) + voice(1, {"24:2"})
                       + voice(3, {"45:0", "45:1"}))));
    paint();
    EXPECT_EQ(bitmapsNamed("n8_down.bmp").size(), 2u);
    EXPECT_EQ(bitmapsNamed("n4_down.bmp").size(), 1u);
    EXPECT_EQ(bitmapsNamed("n2_down.bmp").size(), 1u);
    EXPECT_EQ(bitmapsNamed("n1_up.bmp").size(), 1u);
    EXPECT_EQ(bitmapsNamed("nn_up.bmp").size(), 1u);
    EXPECT_EQ(bitmapsNamed("n0_up.bmp").size(), 1u);
}

} // namespace
} // namespace pw::test
