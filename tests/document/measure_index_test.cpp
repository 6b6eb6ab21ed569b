#include "document/measure_index.h"
#include "document/xml_file.h"

#include <gtest/gtest.h>

using namespace pw;

namespace {

// A part built from note lists: each voice is "H:Type:len len. len ..." with "." marking a dot.
class PartFixture : public ::testing::Test
{
protected:
    XmlNode part(const std::string &partXml)
    {
        EXPECT_TRUE(LoadXmlText(doc, partXml));
        return doc.document_element();
    }
    static std::string notes(std::initializer_list<const char *> lengths)
    {
        std::string out;
        for (std::string l : lengths) {
            const bool dotted = l.back() == '.';
            if (dotted)
                l.pop_back();
            out += "<Note High=\"36\" Long=\"" + l + "\"" + (dotted ? " P=\"1\"" : "") + "/>";
        }
        return out;
    }
    static std::vector<std::string> sizes(const Tacts &t)
    {
        std::vector<std::string> out;
        for (int i = 0; i < t.TactCount; ++i)
            out.push_back(std::to_string(t.TactSize[i].Count) + "/" + std::to_string(t.TactSize[i].Unit));
        return out;
    }

    pugi::xml_document doc;
    Tacts tacts;
};

using Ends = std::vector<int>;
using Texts = std::vector<std::string>;

} // namespace

TEST_F(PartFixture, MeasuresCloseWhenAVoiceFillsThemExactly)
{
    XmlNode p
        = part("<Part><Size chi=\"4\" zna=\"8\"/><Voice H=\"0\">" + notes({"8", "8", "8", "8", "4", "4"})
               + "</Voice><Voice H=\"3\">" + notes({"4.", "8", "2"}) + "</Voice></Part>");
    BuildTacts(p, tacts);
    EXPECT_EQ(tacts.TactCount, 2);
    EXPECT_EQ(tacts.VoiceIds, (std::vector<int> {0, 3}));
    EXPECT_EQ(tacts.TactEnd[0], (Ends {3, 5}));
    EXPECT_EQ(tacts.TactEnd[1], (Ends {1, 2}));
    EXPECT_EQ(sizes(tacts), (Texts {"4/8", "4/8"}));
}

TEST_F(PartFixture, UpbeatFirstMeasureThenRegularOnes)
{
    XmlNode p = part("<Part FirstTactChi=\"1\" FirstTactZna=\"8\"><Size chi=\"4\" zna=\"8\"/><Voice H=\"0\">"
                     + notes({"8", "8", "8", "8", "8", "2"}) + "</Voice></Part>"); // the last is a whole note
    BuildTacts(p, tacts);
    EXPECT_EQ(tacts.TactEnd[0], (Ends {0, 4, 5}));
    EXPECT_EQ(sizes(tacts), (Texts {"1/8", "4/8", "4/8"}));
}

TEST_F(PartFixture, OverfullMeasureSwallowsTheRestOfTheVoice)
{
    // A half note from beat 4 crosses the bar line: nothing closes any more.
    XmlNode p = part("<Part><Size chi=\"4\" zna=\"8\"/><Voice H=\"0\">"
                     + notes({"8", "8", "8", "4", "8", "8"}) + "</Voice></Part>");
    BuildTacts(p, tacts);
    EXPECT_EQ(tacts.TactCount, 1);
    EXPECT_EQ(tacts.TactEnd[0], (Ends {5}));
    EXPECT_EQ(sizes(tacts), (Texts {"7/8"}));
}

TEST_F(PartFixture, MeasureSizeMergesOverVoicesOnTheFinerUnit)
{
    XmlNode p = part("<Part><Size chi=\"4\" zna=\"8\"/><Voice H=\"0\">" + notes({"8", "8", "8", "8", "8"})
                     + "</Voice><Voice H=\"1\">"
                     + notes({"16", "16", "16", "16", "16", "16", "16", "16", "16", "16", "16"})
                     + "</Voice></Part>");
    BuildTacts(p, tacts);
    // Eighths give the measure more room (count 8 on unit 16); the unfinished last measure takes
    // the longer of the two voices' sums.
    EXPECT_EQ(sizes(tacts), (Texts {"8/16", "3/16"}));
    EXPECT_EQ(tacts.TactEnd[0], (Ends {3, 4}));
    EXPECT_EQ(tacts.TactEnd[1], (Ends {7, 10}));
}

TEST_F(PartFixture, DottedQuarterAfterHalfIn2_2)
{
    XmlNode p
        = part("<Part><Size chi=\"2\" zna=\"4\"/><Voice H=\"0\">" + notes({"4", "8."}) + "</Voice></Part>");
    BuildTacts(p, tacts);
    EXPECT_EQ(sizes(tacts), (Texts {"7/16"}));
    EXPECT_EQ(tacts.TactEnd[0], (Ends {1}));
}

TEST_F(PartFixture, EmptyPartGetsOneMeasureEndingItsRow)
{
    XmlNode p = part("<Part><Size chi=\"3\" zna=\"8\"/><Voice H=\"0\"/><Voice H=\"3\"/></Part>");
    BuildTacts(p, tacts);
    EXPECT_EQ(tacts.TactCount, 1);
    EXPECT_TRUE(tacts.TactLineEnd[0]);
    EXPECT_EQ(sizes(tacts), (Texts {"3/8"}));
    EXPECT_TRUE(tacts.TactEnd[0].empty());
}

TEST_F(PartFixture, RebuildAfterANewNoteResetsTheIndex)
{
    XmlNode p = part("<Part><Size chi=\"2\" zna=\"8\"/><Voice H=\"0\">" + notes({"8", "8", "8"})
                     + "</Voice></Part>");
    BuildTacts(p, tacts);
    EXPECT_EQ(tacts.TactEnd[0], (Ends {1, 2}));
    RemoveNode(p.child("Voice").last_child());
    BuildTacts(p, tacts);
    EXPECT_EQ(tacts.TactCount, 1);
    EXPECT_EQ(tacts.TactEnd[0], (Ends {1}));
}

TEST_F(PartFixture, SlotIdentitiesAndMissingVoicesCreated)
{
    XmlNode p = part("<Part><Size chi=\"4\" zna=\"8\"/><Voice H=\"0\"/><Voice Type=\"Def\"/>"
                     "<Voice Type=\"TextNote\"/><Voice H=\"3\" Type=\"Notes\"/></Part>");
    BuildTacts(p, tacts);
    EXPECT_EQ(tacts.VoiceIds, (std::vector<int> {0, AnalysisSlotId, TextSlotId, 3}));
    EXPECT_TRUE(tacts.HasVoiceSlot(3, "Notes"));
    EXPECT_FALSE(tacts.HasVoiceSlot(2, ""));

    EXPECT_EQ(tacts.VoiceSlot(p, 2, ""), 4);
    XmlNode created = p.last_child();
    EXPECT_STREQ(created.name(), "Voice");
    EXPECT_EQ(GetAttr(created, "H"), "2");
    // Asking again neither adds a slot nor a voice.
    EXPECT_EQ(tacts.VoiceSlot(p, 2, "Notes"), 4);
    EXPECT_EQ(p.last_child(), created);
}

TEST_F(PartFixture, AlignedNoteFindsTheNoteSoundingAtTheEndOfTheReference)
{
    // Bass: half, quarter, quarter | whole. Soprano: quarters | half, quarter, quarter.
    XmlNode p = part("<Part><Size chi=\"4\" zna=\"8\"/><Voice H=\"0\">" + notes({"4", "8", "8", "2"})
                     + "</Voice><Voice H=\"3\">" + notes({"8", "8", "8", "8", "4", "8", "8"})
                     + "</Voice><Voice H=\"1\">" + notes({"8"}) + "</Voice></Part>");
    BuildTacts(p, tacts);
    EXPECT_EQ(AlignedNote(p, tacts, 0, 0, 0, 1), 1); // bass half ends with soprano's 2nd
    EXPECT_EQ(AlignedNote(p, tacts, 0, 0, 2, 1), 3); // last quarters align
    EXPECT_EQ(AlignedNote(p, tacts, 1, 0, 2, 0), 1); // soprano's 3rd ends inside bass 2nd
    EXPECT_EQ(AlignedNote(p, tacts, 1, 1, 0, 0), 3); // measure 2 counts from its own start
    EXPECT_EQ(AlignedNote(p, tacts, 1, 1, 2, 0), 3);
    EXPECT_EQ(AlignedNote(p, tacts, 0, 0, 2, 2), std::nullopt); // tenor runs out
    EXPECT_EQ(AlignedNote(p, tacts, 0, 1, 0, 2), std::nullopt); // tenor has no second measure
    EXPECT_EQ(AlignedNote(p, tacts, 0, 0, 0, 7), std::nullopt); // no such slot
}

TEST_F(PartFixture, AlignedNoteOverOneReadOfThePartAnswersAsAFreshReadEachTime)
{
    // Uneven lengths, a dot, an upbeat, a voice that stops early and one that overruns: one
    // PartNotes answers every question in a row, its running sums reused from one to the next,
    // as a fresh read of the part answers each.
    XmlNode p
        = part("<Part FirstTactChi=\"1\" FirstTactZna=\"8\"><Size chi=\"4\" zna=\"8\"/><Voice H=\"0\">"
               + notes({"8", "4", "8.", "16", "8", "2", "4"}) + "</Voice><Voice H=\"3\">"
               + notes({"8", "8", "8", "8", "8", "16", "16", "4.", "8", "8"}) + "</Voice><Voice H=\"1\">"
               + notes({"8", "4"}) + "</Voice><Voice H=\"2\">" + notes({"8", "1", "1"}) + "</Voice></Part>");
    BuildTacts(p, tacts);
    PartNotes read(p);
    int answered = 0;
    for (int ref = -1; ref <= 4; ++ref) {
        for (int tact = -1; tact <= tacts.TactCount; ++tact) {
            // Longer and shorter sums in turn, so that both are answered from what is kept.
            for (const int pos : {3, 8, 0, 5, -1, 1, 7, 2, 6, 4}) {
                for (int x = -1; x <= 4; ++x) {
                    const std::optional<int> walked = AlignedNote(p, tacts, ref, tact, pos, x);
                    EXPECT_EQ(AlignedNote(read, tacts, ref, tact, pos, x), walked)
                        << "slot " << ref << " measure " << tact << " note " << pos << " against " << x;
                    answered += walked.has_value();
                }
            }
        }
    }
    EXPECT_GT(answered, 40);
}
