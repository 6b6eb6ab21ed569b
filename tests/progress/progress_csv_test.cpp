// The CSV of the log: RFC 4180 quoting, the header, empty fields for values left out, UTF-8.

#include "progress_fixture.h"

#include "platform/error.h"
#include "progress/progress_csv.h"

using namespace pw;

TEST(ProgressCsv, FieldsAreQuotedOnlyWhenTheyMustBe)
{
    EXPECT_EQ(CsvField("plain text"), "plain text");
    EXPECT_EQ(CsvField(""), "");
    EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(CsvField("carriage\rreturn"), "\"carriage\rreturn\"");
    EXPECT_EQ(CsvField("\""), "\"\"\"\"");
    EXPECT_EQ(CsvField("Тест по теории"), "Тест по теории");
}

TEST(ProgressCsv, TheTableHasAHeaderAndOneCrlfLinePerEntry)
{
    ProgressEntry quest;
    quest.id = 7;
    quest.menuFile = "xml\\Menu.xml";
    quest.lessonFile = "xml\\quest-theory.xml";
    quest.lessonCaption = "Тест, «по теории»\nи \"практике\"";
    quest.kind = "Quest";
    quest.finishedAt = "2024-05-01T14:03:22+02:00";
    quest.mark = 4;
    quest.errors = 2;
    quest.attempts = 12;
    quest.secondsUsed = 300;
    quest.language = "Russian";
    ProgressEntry drill = quest;
    drill.id = 8;
    drill.lessonFile.clear();
    drill.lessonCaption = "Notes";
    drill.kind = "MusNoteDefine";
    drill.mark = std::nullopt;
    drill.secondsUsed = std::nullopt;
    EXPECT_EQ(ProgressCsv({quest, drill}),
              "id,menu_file,lesson_file,lesson_caption,kind,finished_at,mark,errors,attempts,seconds_used,"
              "language\r\n"
              "7,xml\\Menu.xml,xml\\quest-theory.xml,\"Тест, «по теории»\nи \"\"практике\"\"\",Quest,"
              "2024-05-01T14:03:22+02:00,4,2,12,300,Russian\r\n"
              "8,xml\\Menu.xml,,Notes,MusNoteDefine,2024-05-01T14:03:22+02:00,,2,12,,Russian\r\n");
    EXPECT_EQ(ProgressCsv({}),
              "id,menu_file,lesson_file,lesson_caption,kind,finished_at,mark,errors,attempts,seconds_used,"
              "language\r\n");
}

class ProgressCsvFile : public ProgressFixture
{
};

TEST_F(ProgressCsvFile, TheLogIsSavedAsItsCsv)
{
    ProgressLog log(logFile(), ui);
    ProgressEntry cyrillic = entry(1);
    cyrillic.lessonCaption = "Гармонизация баса, \"бемоли\"";
    log.Record(cyrillic);
    log.Record(entry(2));
    const std::filesystem::path csv = folder / "out" / "results.csv";
    log.WriteCsv(csv);
    const std::string bytes = read(csv);
    EXPECT_EQ(bytes, ProgressCsv(log.Entries()));
    EXPECT_NE(bytes.find(",\"Гармонизация баса, \"\"бемоли\"\"\","), std::string::npos) << bytes;

    // A target that cannot be written is the caller's to tell.
    std::filesystem::create_directories(folder / "taken" / "inside");
    EXPECT_THROW(log.WriteCsv(folder / "taken"), FileWriteError);
}
