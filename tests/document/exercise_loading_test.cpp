#include "support/exercise_document.h"

#include "document/exercise_limits.h"
#include "document/xml_access.h"
#include "platform/error.h"

using namespace pw;

namespace {

std::string fiveParts(const std::string &exerciseAttrs)
{
    std::string xml = "<MExercise " + exerciseAttrs + ">";
    for (int p = 0; p < 5; ++p)
        xml += "<Part Tag=\"" + std::to_string(p) + "\"><Tonality type=\"1\" val=\"" + std::to_string(p)
            + "\"/><Size chi=\"4\" zna=\"8\"/><Voice H=\"0\"/></Part>";
    return xml + "</MExercise>";
}

} // namespace

using Loading = ExerciseFixture;

TEST_F(Loading, ShowPartsCountDrawsDistinctPartsInRandomOrder)
{
    random.values = {3, 3, 3, 1, 4};
    ASSERT_TRUE(load("five.xml", fiveParts("ShowPartsCount=\"2\"")));
    EXPECT_EQ(exercise->PartCount(), 2);
    EXPECT_EQ(PartValues(*exercise, &ExercisePart::Order), (std::vector<int> {3, 1}));
    EXPECT_EQ(GetAttr(exercise->part(0).Node, "Tag"), "3");
    EXPECT_EQ(GetAttr(exercise->part(1).Node, "Tag"), "1");
    EXPECT_EQ(exercise->part(0).Tonality.val, 3);
    EXPECT_EQ(exercise->Status, 0);
    EXPECT_GE(random.reseeds, 2);
}

TEST_F(Loading, AllPartsInFileOrderWithoutShowPartsCountOrInAuthoringMode)
{
    ASSERT_TRUE(load("five.xml", fiveParts("")));
    EXPECT_EQ(PartValues(*exercise, &ExercisePart::Order), (std::vector<int> {0, 1, 2, 3, 4}));
    exercise->EditMode = true;
    ASSERT_TRUE(load("five2.xml", fiveParts("ShowPartsCount=\"2\" CasualTonality=\"3\"")));
    EXPECT_EQ(exercise->PartCount(), 5);
    EXPECT_EQ(exercise->part(4).Tonality.val, 4);
    EXPECT_EQ(exercise->ViewMode, 2);
}

TEST_F(Loading, ImpossiblePartDrawFailsWithItsMessage)
{
    EXPECT_FALSE(load("five.xml", fiveParts("ShowPartsCount=\"6\"")));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "Не смог заполнить случайную матрицу частей");
    EXPECT_EQ(ui.messages[0].text, "Сбой");
    EXPECT_EQ(exercise->Status, -1);
    EXPECT_EQ(exercise->PartCount(), 0);
}

TEST_F(Loading, CasualTonalityDrawsEachPartsKeyIndependently)
{
    // -3 .. 2 are the six possible values; the script asks for every one of them.
    random.values = {0, 5, 2, 3, 1};
    ASSERT_TRUE(load("five.xml", fiveParts("CasualTonality=\"3\"")));
    std::vector<int> vals;
    for (const Tonality &t : PartValues(*exercise, &ExercisePart::Tonality))
        vals.push_back(t.val);
    EXPECT_EQ(vals, (std::vector<int> {-3, 2, -1, 0, -2}));
    EXPECT_EQ(exercise->part(0).Tonality.type, 1);
}

TEST_F(Loading, FixedVoicesFromExercisePartAndVoice)
{
    ASSERT_TRUE(load("fixed.xml",
                     "<MExercise FixedVoice=\"3\">"
                     "<Part><Voice H=\"3\"/></Part>"
                     "<Part FixedVoice=\"0\"><Voice H=\"0\"/></Part>"
                     "<Part><Voice H=\"1\" Fixed=\"Y\"/></Part></MExercise>"));
    using Free = std::array<bool, 4>;
    EXPECT_EQ(exercise->part(0).VoiceFree, (Free {true, true, true, false}));
    EXPECT_EQ(exercise->part(1).VoiceFree, (Free {false, true, true, true}));
    EXPECT_EQ(exercise->part(2).VoiceFree, (Free {true, false, true, false}));
    EXPECT_EQ(exercise->part(1).CurVoice, 1);
    EXPECT_EQ(exercise->CurrentVoice(), 0);
}

TEST_F(Loading, OnlyVoicesFreesExactlyTheVoicesPresent)
{
    ASSERT_TRUE(
        load("only.xml",
             "<MExercise FixedVoice=\"1\"><Part OnlyVoices=\"Y\" CurrentVoice=\"2\">"
             "<Voice H=\"1\"/><Voice H=\"2\"/><Voice Type=\"TextNote\" H=\"3\"/></Part></MExercise>"));
    EXPECT_EQ(exercise->part(0).VoiceFree, (std::array<bool, 4> {false, true, true, false}));
    EXPECT_EQ(exercise->part(0).CurVoice, 2);
}

TEST_F(Loading, CurrentVoiceFollowsTheVoiceOrderWhenTheNamedOneIsGiven)
{
    const std::string xml = "<MExercise><Part CurrentVoice=\"0\"><Voice H=\"0\" Fixed=\"Y\"/>"
                            "<Voice H=\"2\" Fixed=\"Y\"/></Part></MExercise>";
    ASSERT_TRUE(load("order0.xml", xml));
    EXPECT_EQ(exercise->part(0).CurVoice, 1);
    exercise->SpecialMoveType = 1;
    ASSERT_TRUE(load("order1.xml", xml));
    EXPECT_EQ(exercise->part(0).CurVoice, 3);
    ASSERT_TRUE(load("none.xml",
                     "<MExercise FixedVoice=\"0\"><Part><Voice H=\"1\" Fixed=\"Y\"/><Voice H=\"2\" "
                     "Fixed=\"Y\"/><Voice H=\"3\" Fixed=\"Y\"/></Part></MExercise>"));
    EXPECT_EQ(exercise->CurrentVoice(), -1);
}

TEST_F(Loading, AnalysisVoiceAddedAtEveryWorkingLoadOnly)
{
    const std::string xml = "<MExercise Def=\"TSD major\"><Part><Voice H=\"0\"/></Part>"
                            "<Part Def=\"Notes\" CheckType=\"NT\"><Voice H=\"3\"/></Part></MExercise>";
    ASSERT_TRUE(load("def.xml", xml));
    EXPECT_EQ(PartValues(*exercise, &ExercisePart::Def), (std::vector<std::string> {"TSD major", "Notes"}));
    EXPECT_EQ(PartValues(*exercise, &ExercisePart::CheckType), (std::vector<std::string> {"", "NT"}));
    for (int p = 0; p < 2; ++p) {
        EXPECT_EQ(SelectNodes(exercise->part(p).Node, "Voice[@Type='Def']").size(), 1u);
        EXPECT_TRUE(exercise->part(p).Tacts.HasVoiceSlot(0, "Def"));
    }
    ASSERT_TRUE(exercise->ReloadExercise());
    EXPECT_EQ(SelectNodes(exercise->part(0).Node, "Voice[@Type='Def']").size(), 1u);

    exercise->EditMode = true;
    ASSERT_TRUE(load("def.xml", xml));
    EXPECT_TRUE(SelectNodes(exercise->part(0).Node, "Voice[@Type='Def']").empty());
}

TEST_F(Loading, TaskLimitsIterationsAndTimer)
{
    ASSERT_TRUE(load("timed.xml",
                     "<MExercise LimitMin=\"1\" LimitSec=\"150\" CountIteration=\"2\"><Part/></MExercise>"));
    EXPECT_EQ(task.LimitMin, 3);
    EXPECT_EQ(task.LimitSec, 30);
    EXPECT_EQ(task.Iterations, 2);
    EXPECT_TRUE(task.Timer->enabled());
    EXPECT_EQ(task.TimerMode, 1);
    EXPECT_EQ(task.SecondsUsed, 0);

    // The next iteration keeps the count of the series, and the seconds it used.
    for (int second = 0; second < 5; ++second)
        task.TickDown();
    task.CountAttempt(true);
    ASSERT_TRUE(exercise->ReloadExercise());
    EXPECT_EQ(task.Attempts, 1);
    EXPECT_EQ(task.Iterations, 2);
    EXPECT_EQ(task.LimitSec, 30) << "each iteration has the whole limit";
    task.TickDown();
    EXPECT_EQ(task.SecondsUsed, 6);

    ASSERT_TRUE(load("untimed.xml", "<MExercise><Part/></MExercise>"));
    EXPECT_FALSE(task.Timer->enabled());
    EXPECT_EQ(task.TimerMode, 0);
    EXPECT_EQ(task.Iterations, 0);
    EXPECT_FALSE(task.SecondsUsed) << "a series without a limit has no seconds used";
}

TEST_F(Loading, TimerProportionalCountsTheGivenVoicesNotes)
{
    ASSERT_TRUE(load("prop.xml",
                     "<MExercise TimerProportional=\"Y\" LimitMin=\"0\" LimitSec=\"20\" FixedVoice=\"3\">"
                     "<Part><Voice H=\"3\">"
                         + quarters(12) + "</Voice></Part></MExercise>"));
    EXPECT_EQ(task.LimitMin, 4);
    EXPECT_EQ(task.LimitSec, 0);
    // Whole minutes of the limit are not part of the per-note time.
    ASSERT_TRUE(load("prop2.xml",
                     "<MExercise TimerProportional=\"Y\" LimitMin=\"2\" LimitSec=\"10\" FixedVoice=\"3\">"
                     "<Part><Voice H=\"3\">"
                         + quarters(3) + "</Voice></Part></MExercise>"));
    EXPECT_EQ(task.LimitMin, 0);
    EXPECT_EQ(task.LimitSec, 30);
}

TEST_F(Loading, DefaultLengthFollowsTheLengthVoice)
{
    ASSERT_TRUE(load("len.xml",
                     "<MExercise DefaultLength=\"3\"><Part><Size chi=\"4\" zna=\"8\"/>"
                     "<Voice H=\"0\"/><Voice H=\"3\"><Note High=\"40\" Long=\"4\" P=\"1\"/>"
                     "<Note High=\"40\" Long=\"8\"/></Voice></Part>"
                     "<Part DefaultLength=\"0\"><Voice H=\"0\"/></Part></MExercise>"));
    EXPECT_EQ(PartValues(*exercise, &ExercisePart::LengthVoice), (std::vector<int> {3, 0}));
    EXPECT_EQ(exercise->CurLength, 4);
    EXPECT_EQ(exercise->CurDot, 1);
    exercise->part(0).CurPos = 1;
    exercise->UpdateCurrentLength();
    EXPECT_EQ(exercise->CurLength, 8);
    EXPECT_EQ(exercise->CurDot, 0);
    // Beyond the last note the length stays; a length of 0 becomes a quarter.
    exercise->part(0).CurPos = 5;
    exercise->SetLength(0, 0);
    EXPECT_EQ(exercise->CurrentLength(), 4);
    exercise->UpdateCurrentLength();
    EXPECT_EQ(exercise->CurLength, 8);
}

TEST_F(Loading, StaffCountFromPolyphonyVoices)
{
    ASSERT_TRUE(load("poly.xml", "<MExercise PolyphonyVoices=\"3\"><Part/></MExercise>"));
    EXPECT_TRUE(exercise->HasStaffCount);
    EXPECT_EQ(exercise->StaffCount, 3);
    EXPECT_EQ(exercise->LastStaff, 2);
}

TEST_F(Loading, BadFilesGiveTheirMessageAndLeaveTheLoadedExercise)
{
    ASSERT_TRUE(load("good.xml", "<MExercise><Part Tag=\"kept\"><Voice H=\"0\"/></Part></MExercise>"));

    EXPECT_FALSE(exercise->LoadExercise((folder / "xml" / "none.xml").string(), &task, false));
    EXPECT_FALSE(load("broken.xml", "<MExercise><Part></MExercise>"));
    EXPECT_FALSE(load("other.xml", "<Menu/>"));
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[0].caption, "Ошибка");
    EXPECT_EQ(ui.messages[0].text, "Файл с нотной записью не найден ");
    // A file that is there but broken says so, and why.
    EXPECT_EQ(ui.messages[1].text,
              "Файл с нотной записью " + (folder / "xml" / "broken.xml").string()
                  + " не загружен: строка 1, столбец 20: закрывающий тег не совпадает с открывающим");
    EXPECT_EQ(ui.messages[2].text, "В файле не найдено MExercise");
    // The parts still point into a live document.
    EXPECT_EQ(GetAttr(exercise->part(0).Node, "Tag"), "kept");
}

// A value that is no number, or one out of its range, refuses the file with a message naming
// where it is, the attribute and the text; the exercise already loaded stays.
TEST_F(Loading, BadValuesRefuseTheFileNamingWhereAndWhat)
{
    ASSERT_TRUE(load("good.xml", "<MExercise><Part Tag=\"kept\"><Voice H=\"0\"/></Part></MExercise>"));
    const std::pair<const char *, const char *> cases[] = {
        {"<MExercise LimitMin=\"ten\"><Part/></MExercise>",
         "упражнение: атрибут «LimitMin» = «ten» — не целое число"},
        {"<MExercise><Part CurrentVoice=\"4\"/></MExercise>",
         "часть 1: атрибут «CurrentVoice» = 4 вне допустимых значений 0…3"},
        {"<MExercise><Part/><Part><Voice H=\"0\"><Note High=\"1\" Long=\"8\"/><Note High=\"2147483647\" "
         "Long=\"8\"/>"
         "</Voice></Part></MExercise>",
         "часть 2, голос 1, нота 2: атрибут «High» = 2147483647 вне допустимых значений -127…127"},
        {"<MExercise><Part><Voice H=\"0\"><Note High=\"1\" Long=\"1073741824\"/></Voice></Part></MExercise>",
         "часть 1, голос 1, нота 1: атрибут «Long» = 1073741824 — не степень двойки от 1 до 128"},
        {"<MExercise><Part><Voice H=\"0\"><Note High=\"1\" Long=\"-8\"/></Voice></Part></MExercise>",
         "часть 1, голос 1, нота 1: атрибут «Long» = -8 — не степень двойки от 1 до 128"},
        {"<MExercise><Part><Voice H=\"0\"><Note High=\"1\" Long=\"12\"/></Voice></Part></MExercise>",
         "часть 1, голос 1, нота 1: атрибут «Long» = 12 — не степень двойки от 1 до 128"},
        {"<MExercise><Part><Size chi=\"0\" zna=\"0\"/></Part></MExercise>",
         "часть 1, размер: атрибут «chi» = 0 вне допустимых значений 1…64"},
        {"<MExercise><Part><Size chi=\"7\" zna=\"0\"/></Part></MExercise>",
         "часть 1, размер: атрибут «zna» = 0 — не степень двойки от 1 до 128"},
        {"<MExercise><Part><Size chi=\"-4\" zna=\"8\"/></Part></MExercise>",
         "часть 1, размер: атрибут «chi» = -4 вне допустимых значений 1…64"},
        {"<MExercise><Part><Size chi=\"4\"/></Part></MExercise>",
         "часть 1, размер: нет атрибутов «chi» и «zna»"},
        {"<MExercise><Part><Tonality type=\"1\" val=\"9\"/></Part></MExercise>",
         "часть 1, тональность: атрибут «val» = 9 вне допустимых значений -7…7"},
        {"<MExercise PolyphonyVoices=\"2147483647\"><Part/></MExercise>",
         "упражнение: атрибут «PolyphonyVoices» = 2147483647 вне допустимых значений 1…8"},
        {"<MExercise><Part Key1=\"bass\"/></MExercise>", "часть 1: атрибут «Key1» = «bass» — не целое число"},
    };
    for (const auto &[text, reason] : cases) {
        ui.messages.clear();
        EXPECT_FALSE(load("bad.xml", text)) << text;
        ASSERT_EQ(ui.messages.size(), 1u) << text;
        EXPECT_EQ(ui.messages[0].text,
                  "Файл с нотной записью " + (folder / "xml" / "bad.xml").string()
                      + " не загружен: " + reason);
        EXPECT_EQ(GetAttr(exercise->part(0).Node, "Tag"), "kept") << text;
        EXPECT_EQ(read(folder / "xml" / "bad.xml"), text) << "nothing on disk is touched";
    }
}

TEST_F(Loading, CountsPastTheirLimitsRefuseTheFile)
{
    std::string voices;
    for (int v = 0; v <= exercise_limits::MaxVoicesPerPart; ++v)
        voices += "<Voice H=\"0\"/>";
    EXPECT_FALSE(load("voices.xml", "<MExercise><Part>" + voices + "</Part></MExercise>"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("часть 1: больше 64 элементов «Voice»"), std::string::npos);
    // Right at the limits a file loads.
    EXPECT_TRUE(load("edge.xml",
                     "<MExercise><Part><Size chi=\"64\" zna=\"128\"/><Tonality type=\"0\" val=\"-7\"/>"
                     "<Voice H=\"7\"><Note High=\"-127\" Long=\"128\"/><Note High=\"127\" Long=\"1\" "
                     "P=\"1\"/><Note Long=\"0\"/>"
                     "</Voice></Part></MExercise>"));
}

TEST(TimerArea, MarkAndTimeNormalisation)
{
    TimerArea task;
    task.Iterations = 4;
    const int successes[] = {4, 3, 2, 1, 0};
    const char *marks[] = {"5", "4", "3", "2", "2"};
    for (int i = 0; i < 5; ++i) {
        task.Successes = successes[i];
        EXPECT_EQ(task.MarkText(), marks[i]) << successes[i];
    }
    task.LimitMin = 0;
    task.LimitSec = 150;
    task.NormalizeTime();
    EXPECT_EQ(task.LimitMin, 2);
    EXPECT_EQ(task.LimitSec, 30);
}

// Only the seconds the countdown really takes count: none past the end of the limit.
TEST(TimerArea, SecondsUsedCountTheTicksThatTookTime)
{
    TimerArea task;
    task.LimitMin = 1;
    task.LimitSec = 1;
    task.TickDown();
    EXPECT_FALSE(task.SecondsUsed) << "nothing is counted before a series asks for it";
    task.SecondsUsed = 0;
    for (int second = 0; second < 70; ++second)
        task.TickDown();
    EXPECT_EQ(task.SecondsUsed, 60);
    EXPECT_EQ(task.LimitMin + task.LimitSec, 0);
}
