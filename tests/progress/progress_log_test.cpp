// Recording and reading back: every field, values left out, the order by moment, the schema and
// its journal, and two logs at once.

#include "progress_fixture.h"

#include "platform/error.h"

#include <regex>

using namespace pw;

namespace {

class ProgressLogTest : public ProgressFixture
{
};

} // namespace

TEST_F(ProgressLogTest, EntriesComeBackAsRecordedWithTheirIds)
{
    ProgressEntry drill = entry(1);
    drill.kind = "MusNoteDefine";
    drill.lessonFile.clear();
    drill.mark = std::nullopt;
    drill.secondsUsed = std::nullopt;
    drill.language = "English";
    drill.lessonCaption = "White keys: \"find\" the note, again";
    {
        ProgressLog log(logFile(), ui);
        EXPECT_EQ(log.Record(entry(0)), 1);
        EXPECT_EQ(log.Record(drill), 2);
    }
    // A new log on the same file: as a later run of the program sees it.
    ProgressLog log(logFile(), ui);
    const std::vector<ProgressEntry> entries = log.Entries();
    ASSERT_EQ(entries.size(), 2u);
    ProgressEntry first = entry(0);
    first.id = 1;
    drill.id = 2;
    EXPECT_EQ(entries[0], first);
    EXPECT_EQ(entries[1], drill);
    EXPECT_FALSE(entries[1].mark);
    EXPECT_FALSE(entries[1].secondsUsed);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(log.MovedAside().empty());
}

// 10:00 at UTC+2 came before 09:00 at UTC, and 23:30 the day before at UTC−3 before both, whatever
// the text says.
TEST_F(ProgressLogTest, EntriesAreOrderedByTheirMomentAcrossOffsets)
{
    ProgressLog log(logFile(), ui);
    log.Record(entry(1, "2024-05-01T09:00:00+00:00"));
    log.Record(entry(2, "2024-05-01T10:00:00+02:00"));
    log.Record(entry(3, "2024-04-30T23:30:00-03:00"));
    std::vector<int> order;
    for (const ProgressEntry &e : log.Entries())
        order.push_back(static_cast<int>(e.id));
    EXPECT_EQ(order, (std::vector<int> {3, 2, 1}));
}

TEST_F(ProgressLogTest, TheFileCarriesItsSchemaVersionAndWritesAhead)
{
    ProgressLog log(logFile(), ui);
    ASSERT_TRUE(log.Record(entry(1)));
    EXPECT_EQ(scalar(logFile(), "PRAGMA user_version").toInt(), ProgressSchemaVersion);
    EXPECT_EQ(scalar(logFile(), "PRAGMA journal_mode").toString(), "wal");
    EXPECT_TRUE(std::filesystem::exists(logFile().string() + "-wal"));
}

TEST_F(ProgressLogTest, TwoLogsInOneProcessKeepTheirOwnConnections)
{
    ProgressLog one(folder / "one" / "progress.sqlite", ui);
    ProgressLog two(folder / "two" / "progress.sqlite", ui);
    one.Record(entry(1));
    two.Record(entry(2));
    two.Record(entry(3));
    EXPECT_EQ(one.Entries().size(), 1u);
    EXPECT_EQ(two.Entries().size(), 2u);
    EXPECT_EQ(one.Entries().front().lessonFile, "xml\\Lesson-1.xml");
}

TEST_F(ProgressLogTest, TheTimeNowCarriesItsOffset)
{
    const std::string now = ProgressTimeNow();
    // 2024-05-01T14:03:22+02:00, or Z at UTC.
    EXPECT_TRUE(std::regex_match(now, std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d([+-]\d\d:\d\d|Z))")))
        << now;
}

TEST_F(ProgressLogTest, AMarkOutsideTwoToFiveIsRefusedAndTurnsTheLogOff)
{
    ProgressLog log(logFile(), ui);
    ProgressEntry wrong = entry(1);
    wrong.mark = 7;
    EXPECT_FALSE(log.Record(wrong));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "Журнал результатов " + logFile().string()
                  + " отключён до конца работы: запись в журнал не удалась");
    EXPECT_FALSE(log.Record(entry(2)));
    EXPECT_EQ(ui.messages.size(), 1u) << "told once";
    EXPECT_EQ(scalar(logFile(), "SELECT count(*) FROM entries").toInt(), 0);
}

TEST_F(ProgressLogTest, ReadingTheFileForTheCommandLineChangesNothing)
{
    EXPECT_FALSE(ReadProgressFile(logFile())) << "no file, no entries";
    {
        ProgressLog log(logFile(), ui);
        log.Record(entry(1));
    }
    EXPECT_FALSE(std::filesystem::exists(logFile().string() + "-wal")) << "closed, the log leaves no journal";
    const auto before = std::filesystem::last_write_time(logFile());
    const std::optional<std::vector<ProgressEntry>> found = ReadProgressFile(logFile());
    ASSERT_TRUE(found);
    ASSERT_EQ(found->size(), 1u);
    EXPECT_EQ(found->front().lessonCaption, "Урок 1");
    EXPECT_EQ(std::filesystem::last_write_time(logFile()), before);
    EXPECT_FALSE(std::filesystem::exists(logFile().string() + "-wal"));

    write("data/garbage.sqlite", std::string(2048, 'x'));
    EXPECT_THROW(ReadProgressFile(folder / "data" / "garbage.sqlite"), Error);
    EXPECT_EQ(read(folder / "data" / "garbage.sqlite"), std::string(2048, 'x'));
}

// While the program has the log open, a reader sees what is committed in its journal too.
TEST_F(ProgressLogTest, AReaderSeesWhatTheRunningProgramCommitted)
{
    ProgressLog log(logFile(), ui);
    log.Record(entry(1));
    log.Record(entry(2));
    ASSERT_TRUE(std::filesystem::exists(logFile().string() + "-wal"));
    const std::optional<std::vector<ProgressEntry>> found = ReadProgressFile(logFile());
    ASSERT_TRUE(found);
    EXPECT_EQ(found->size(), 2u);
    log.Record(entry(3));
    EXPECT_EQ(ReadProgressFile(logFile())->size(), 3u);
}
