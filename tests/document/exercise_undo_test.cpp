#include "support/exercise_document.h"

#include "document/xml_access.h"
#include "document/xml_file.h"

#include <filesystem>
#include <unistd.h>

using namespace pw;

namespace {

class Undo : public ExerciseFixture
{
protected:
    void SetUp() override
    {
        ExerciseFixture::SetUp();
        ASSERT_TRUE(load("ex.xml",
                         "<MExercise><Part><Size chi=\"4\" zna=\"8\"/><Voice H=\"0\"/></Part>"
                         "<Part><Size chi=\"4\" zna=\"8\"/><Voice H=\"0\"/></Part></MExercise>"));
    }

    // One editing step as note entry makes it: snapshot, register, change, rebuild.
    void edit(int high)
    {
        exercise->SaveSnapshot();
        exercise->PushUndoStep("Insert Note");
        XmlNode voice = exercise->part(0).Node.child("Voice");
        AddChild(voice, "Note", {"High", std::to_string(high)}, {"Long", "8"});
        BuildTacts(exercise->part(0).Node, exercise->part(0).Tacts);
        exercise->part(0).CurPos = notes();
    }
    int notes() const
    {
        const XmlNode voice = exercise->part(0).Node.child("Voice");
        return static_cast<int>(std::distance(voice.children("Note").begin(), voice.children("Note").end()));
    }
    int lastHigh() const
    {
        return GetAttrInt(exercise->part(0).Node.child("Voice").last_child(), "High", -99);
    }
};

} // namespace

TEST_F(Undo, ThreeEditsUndoneInOrder)
{
    EXPECT_FALSE(exercise->CanUndo());
    edit(36);
    edit(38);
    edit(40);
    EXPECT_EQ(notes(), 3);
    EXPECT_TRUE(exercise->CanUndo());
    EXPECT_EQ(exercise->UndoSteps[2].Message, "Insert Note");

    exercise->Undo();
    EXPECT_EQ(notes(), 2);
    EXPECT_EQ(lastHigh(), 38);
    // The cursor comes back to where it was before the step; the index is rebuilt.
    EXPECT_EQ(exercise->part(0).CurPos, 2);
    EXPECT_EQ(exercise->part(0).Tacts.TactEnd[0], (std::vector<int> {1}));
    exercise->Undo();
    EXPECT_EQ(notes(), 1);
    exercise->Undo();
    EXPECT_EQ(notes(), 0);
    EXPECT_EQ(exercise->part(0).CurPos, 0);
    EXPECT_FALSE(exercise->CanUndo());
    exercise->Undo();
    EXPECT_EQ(notes(), 0);
}

TEST_F(Undo, SnapshotsAreFilesInAFolderOfTheirOwnUnderTheUndoFolder)
{
    edit(36);
    const std::filesystem::path own = exercise->UndoFolder();
    EXPECT_EQ(own.parent_path(), folder / "xml" / "undo");
    EXPECT_EQ(own.filename().string().rfind(std::to_string(::getpid()) + "-", 0), 0u) << own;
    EXPECT_EQ(exercise->SnapshotPath(0), own / "mus0");
    EXPECT_TRUE(std::filesystem::exists(own / "mus0"));
    EXPECT_EQ(exercise->UndoSteps[0].State, 0);
    exercise->SaveSnapshot();
    EXPECT_EQ(exercise->UndoSteps[1].State, 2);
    EXPECT_EQ(exercise->UndoTop, 0);
}

// Two exercises at once (two windows, two programs over one course) never restore each other's
// snapshots, and each one's folder goes with it.
TEST_F(Undo, TwoExercisesAtOnceKeepTheirSnapshotsApart)
{
    HarExercis other(ui, random, folder);
    TimerArea otherTask;
    write("xml/other.xml", "<MExercise><Part><Size chi=\"4\" zna=\"8\"/><Voice H=\"0\"/></Part></MExercise>");
    ASSERT_TRUE(other.LoadExercise((folder / "xml" / "other.xml").string(), &otherTask, false));
    EXPECT_NE(other.UndoFolder(), exercise->UndoFolder());

    edit(36);
    edit(38);
    // The other one's first step snapshots its empty part into its own slot 0.
    other.SaveSnapshot();
    other.PushUndoStep("Insert Note");
    AddChild(other.part(0).Node.child("Voice"), "Note", {"High", "50"}, {"Long", "8"});

    exercise->Undo();
    EXPECT_EQ(notes(), 1);
    EXPECT_EQ(lastHigh(), 36) << "our own slot 1, not the other's";
    exercise->Undo();
    EXPECT_EQ(notes(), 0) << "our own slot 0, not the other's empty part of another file";
    EXPECT_EQ(exercise->PartCount(), 2);
    other.Undo();
    EXPECT_TRUE(other.part(0).Node.child("Voice").children("Note").begin()
                == other.part(0).Node.child("Voice").children("Note").end());
    EXPECT_EQ(other.PartCount(), 1);

    const std::filesystem::path ours = exercise->UndoFolder();
    exercise.reset();
    EXPECT_FALSE(std::filesystem::exists(ours)) << "removed with its exercise";
    EXPECT_TRUE(std::filesystem::exists(other.SnapshotPath(0))) << "the other's stays while it runs";
}

TEST_F(Undo, TenEditsWrapTheRingAndNineCanBeUndone)
{
    for (int i = 0; i < 10; ++i)
        edit(30 + i);
    EXPECT_EQ(exercise->UndoTop, 0);
    int undone = 0;
    while (exercise->CanUndo()) {
        exercise->Undo();
        ++undone;
        if (undone == 1) {
            EXPECT_EQ(exercise->UndoTop, 8) << "the first undo wraps";
        }
    }
    EXPECT_EQ(undone, 9);
    // The oldest step's snapshot was overwritten by the tenth, so one note stays.
    EXPECT_EQ(notes(), 1);
    EXPECT_EQ(lastHigh(), 30);
}

TEST_F(Undo, StepsOfAnEarlierExerciseAreNeverRestored)
{
    for (int i = 0; i < 9; ++i)
        edit(30 + i);
    // The next exercise has one part only; a snapshot of the earlier one must not come back.
    ASSERT_TRUE(load("next.xml", "<MExercise><Part Tag=\"next\"><Voice H=\"0\"/></Part></MExercise>"));
    EXPECT_FALSE(exercise->CanUndo());
    edit(50);
    exercise->Undo();
    EXPECT_EQ(notes(), 0);
    EXPECT_FALSE(exercise->CanUndo());
    exercise->Undo();
    EXPECT_EQ(GetAttr(exercise->part(0).Node, "Tag"), "next");
    EXPECT_EQ(exercise->PartCount(), 1);
}

TEST_F(Undo, UnreadableSnapshotKeepsTheStep)
{
    edit(36);
    std::filesystem::remove(exercise->SnapshotPath(0));
    exercise->Undo();
    EXPECT_EQ(notes(), 1);
    EXPECT_TRUE(exercise->CanUndo());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Файл с нотной записью не найден ");
}

TEST_F(Undo, RestoreKeepsKeysAndDoesNotAddAnAnalysisVoice)
{
    ASSERT_TRUE(load("def.xml",
                     "<MExercise Def=\"TSD major\" CasualTonality=\"2\"><Part><Voice H=\"0\"/>"
                     "<Tonality type=\"1\" val=\"0\"/></Part></MExercise>"));
    const int val = exercise->part(0).Tonality.val;
    edit(36);
    exercise->Undo();
    EXPECT_EQ(exercise->part(0).Tonality.val, val);
    EXPECT_EQ(SelectNodes(exercise->part(0).Node, "Voice[@Type='Def']").size(), 1u);
}

TEST_F(Undo, SaveWritesTheDocumentUnchanged)
{
    edit(36);
    const auto saved = folder / "out" / "saved.xml";
    exercise->SaveExercise(saved);
    HarExercis other(ui, random, folder);
    TimerArea otherTask;
    ASSERT_TRUE(other.LoadExercise(saved.string(), &otherTask, false));
    EXPECT_EQ(other.PartCount(), 2);
    EXPECT_EQ(GetAttr(other.part(0).Node.child("Voice").child("Note"), "High"), "36");
}

TEST_F(Undo, SnapshotWithFewerPartsDropsTheLaterOnes)
{
    // The step added the second part: its snapshot holds only the first.
    exercise->SaveSnapshot();
    exercise->PushUndoStep("Insert new Part");
    pugi::xml_document before;
    ASSERT_TRUE(LoadXmlText(before, "<MExercise><Part><Voice H=\"0\"/></Part></MExercise>"));
    SaveXmlFile(before, exercise->SnapshotPath(0));
    exercise->CurPart = 1;

    exercise->Undo();
    EXPECT_EQ(exercise->PartCount(), 1);
    EXPECT_EQ(exercise->Parts.size(), 1u);
    EXPECT_EQ(exercise->CurPart, 0);
}

// An undo brings notes back, never time: the countdown, the series and the exam's state stay.
TEST_F(Undo, UndoLeavesTheCountdownTheSeriesAndTheExamAsTheyAre)
{
    ASSERT_TRUE(load("timed.xml",
                     "<MExercise LimitMin=\"15\" CountIteration=\"3\" Exam=\"Y\"><Part>"
                     "<Size chi=\"4\" zna=\"8\"/><Voice H=\"0\"/></Part></MExercise>"));
    ASSERT_TRUE(task.Timer->enabled());
    task.LimitMin = 14;
    task.LimitSec = 24;
    task.Attempts = 1;
    task.Successes = 1;
    exercise->ExamState = 0;
    edit(36);
    task.Timer->setEnabled(false);

    exercise->Undo();
    EXPECT_EQ(notes(), 0);
    EXPECT_EQ(std::make_pair(task.LimitMin, task.LimitSec), std::make_pair(14, 24)) << "not back to 15:00";
    EXPECT_EQ(task.Iterations, 3);
    EXPECT_EQ(std::make_pair(task.Attempts, task.Successes), std::make_pair(1, 1));
    EXPECT_FALSE(task.Timer->enabled()) << "a stopped clock is not started";
    EXPECT_EQ(exercise->ExamState, 0);
}
