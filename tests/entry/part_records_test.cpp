// The part records of the document stay whole through everything that adds or drops parts.

#include "support/entry_fixture.h"

#include "document/exercise_nodes.h"
#include "platform/error.h"

using namespace pw;

namespace {

// Every shown part has its record, and every record points into the document in hand.
void ExpectConsistent(const HarExercis &ex)
{
    const XmlNode root = ex.Doc->document_element();
    EXPECT_TRUE(ex.CurPart == 0 || ex.HasCurrentPart()) << "current part " << ex.CurPart;
    for (int p = 0; p < ex.PartCount(); ++p) {
        const ExercisePart &part = ex.part(p);
        ASSERT_GE(part.Order, 0) << "part " << p;
        ASSERT_LT(part.Order, static_cast<int>(ex.PartList.size())) << "part " << p;
        EXPECT_EQ(ex.PartList[static_cast<std::size_t>(part.Order)], part.Node) << "part " << p;
        EXPECT_EQ(part.Node.root(), root.root()) << "part " << p << " points into another document";
        EXPECT_GE(part.CurVoice, -1);
        EXPECT_LE(part.CurVoice, 3);
        if (part.CurVoice >= 0)
            EXPECT_TRUE(part.VoiceFree[static_cast<std::size_t>(part.CurVoice)]) << "part " << p;
        EXPECT_GE(part.Tacts.TactCount, 1) << "part " << p << " has no measure index";
        EXPECT_EQ(part.Tacts.TactEnd.size(), part.Tacts.VoiceIds.size()) << "part " << p;
    }
    for (XmlNode node : ex.PartList)
        EXPECT_EQ(node.root(), root.root());
}

class PartRecords : public EntryFixture
{
protected:
    bool loadTwoParts()
    {
        return load("two.xml",
                    "<MExercise><Part><Size chi=\"4\" zna=\"8\"/><Voice H=\"0\"/></Part>"
                    "<Part CurrentVoice=\"2\"><Size chi=\"4\" zna=\"8\"/><Voice H=\"0\" Fixed=\"Y\"/></Part>"
                    "</MExercise>");
    }
};

} // namespace

TEST_F(PartRecords, StayWholeThroughLoadsUndoAndAddedParts)
{
    ASSERT_TRUE(loadTwoParts());
    ExpectConsistent(*exercise);
    EXPECT_EQ(exercise->part(1).CurVoice, 2);
    EXPECT_FALSE(exercise->part(1).VoiceFree[0]);

    // Authoring: a third part is added by PartDown at the last part, then undone.
    ASSERT_TRUE(load("empty.xml", "<MExercise><Part><Size chi=\"4\" zna=\"8\"/></Part></MExercise>"));
    exercise->EditMode = true;
    ASSERT_TRUE(exercise->ReloadExercise());
    ui.buttonAnswers = {UiButton::Ok};
    entry->PartDown();
    ASSERT_EQ(exercise->PartCount(), 2);
    EXPECT_EQ(exercise->CurPart, 1);
    EXPECT_EQ(exercise->part(1).Order, 1) << "the new part's place among the Part elements";
    ExpectConsistent(*exercise);
    EXPECT_EQ(play(60), 0) << "the added part takes notes";

    exercise->Undo(); // the note
    exercise->Undo(); // the added part
    EXPECT_EQ(exercise->PartCount(), 1);
    EXPECT_EQ(exercise->CurPart, 0);
    ExpectConsistent(*exercise);
}

TEST_F(PartRecords, AFailedLoadLeavesNothingDangling)
{
    ASSERT_TRUE(loadTwoParts());
    const XmlNode before = exercise->part(0).Node;

    // Missing and malformed files leave the document in hand as it was.
    EXPECT_FALSE(exercise->LoadExercise((folder / "xml" / "missing.xml").string(), &task, false));
    ExpectConsistent(*exercise);
    EXPECT_EQ(exercise->part(0).Node, before);
    EXPECT_FALSE(load("broken.xml", "<MExercise><Part>"));
    ExpectConsistent(*exercise);

    // A value that is no number is refused before anything is taken from the file.
    EXPECT_FALSE(load("bad.xml", "<MExercise><Part CurrentVoice=\"x\"/></MExercise>"));
    EXPECT_EQ(exercise->part(0).Node, before);
    ExpectConsistent(*exercise);

    // A draw that cannot be made empties the parts.
    EXPECT_FALSE(load("draw.xml", "<MExercise ShowPartsCount=\"3\"><Part/></MExercise>"));
    EXPECT_EQ(exercise->PartCount(), 0);
    ExpectConsistent(*exercise);
}
