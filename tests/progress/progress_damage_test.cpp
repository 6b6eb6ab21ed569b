// Files the log cannot use: damaged ones are moved aside with one message and a new log starts;
// an unusable folder or a newer program's file turns the log off for the run, told once.

#include "progress_fixture.h"

#include "platform/text_format.h"

#include <random>
#include <regex>
#include <unistd.h>

using namespace pw;

namespace {

class ProgressDamage : public ProgressFixture
{
protected:
    std::string randomBytes(std::size_t count)
    {
        std::mt19937 generator(20240501);
        std::string bytes(count, '\0');
        for (char &b : bytes)
            b = static_cast<char>(generator() & 0xff);
        return bytes;
    }
    // A log of many entries, closed: everything is in the main file.
    void writeRealLog(int entries)
    {
        ProgressLog log(logFile(), ui);
        for (int n = 0; n < entries; ++n)
            ASSERT_TRUE(log.Record(entry(n)));
    }
    // The damaged file is now at MovedAside() with the bytes it had, told once; the new log works.
    void expectMovedAsideAndFresh(ProgressLog &log, const std::string &bytes)
    {
        EXPECT_EQ(log.Record(entry(1)), 1) << "a new log starts";
        EXPECT_EQ(log.Entries().size(), 1u);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].caption, "Журнал результатов");
        EXPECT_EQ(ui.messages[0].text,
                  FormatText("Журнал результатов %1 был повреждён: он переименован в %2, начат новый журнал.",
                             {logFile().string(), log.MovedAside().string()}));
        const std::string name = log.MovedAside().filename().string();
        EXPECT_EQ(log.MovedAside().parent_path(), logFile().parent_path());
        EXPECT_TRUE(std::regex_match(name, std::regex(R"(progress\.sqlite\.broken-\d{8}-\d{6})"))) << name;
        EXPECT_EQ(read(log.MovedAside()), bytes);
        log.Record(entry(2));
        EXPECT_EQ(ui.messages.size(), 1u) << "told once";
    }
};

} // namespace

TEST_F(ProgressDamage, RandomBytesAreMovedAsideWithTheirJournal)
{
    const std::string bytes = randomBytes(8192);
    write("data/progress.sqlite", bytes);
    write("data/progress.sqlite-wal", "not a journal");
    write("data/progress.sqlite-shm", "not an index");
    ProgressLog log(logFile(), ui);
    expectMovedAsideAndFresh(log, bytes);
    EXPECT_EQ(read(log.MovedAside().string() + "-wal"), "not a journal");
    EXPECT_EQ(read(log.MovedAside().string() + "-shm"), "not an index");
}

TEST_F(ProgressDamage, ATruncatedLogIsMovedAside)
{
    writeRealLog(2000);
    const auto size = std::filesystem::file_size(logFile());
    ASSERT_GT(size, 16u * 4096u) << "the log spans many pages";
    std::filesystem::resize_file(logFile(), size / 2);
    const std::string bytes = read(logFile());
    ui.messages.clear();
    ProgressLog log(logFile(), ui);
    expectMovedAsideAndFresh(log, bytes);
}

TEST_F(ProgressDamage, ADatabaseOfAnotherLayoutIsMovedAside)
{
    for (const char *schema :
         {"CREATE TABLE notes (x TEXT)",
          "CREATE TABLE entries (id INTEGER PRIMARY KEY, mark INTEGER); PRAGMA user_version = 1"}) {
        SCOPED_TRACE(schema);
        std::filesystem::remove_all(folder / "data");
        std::filesystem::create_directories(folder / "data");
        {
            LogConnection connection(logFile(), false);
            for (const QString &statement : QString(schema).split("; "))
                ASSERT_TRUE(QSqlQuery(connection.Database()).exec(statement));
        }
        const std::string bytes = read(logFile());
        ui.messages.clear();
        ProgressLog log(logFile(), ui);
        expectMovedAsideAndFresh(log, bytes);
    }
}

// A log a later version wrote is not this version's to move or change.
TEST_F(ProgressDamage, ANewerVersionsLogIsLeftAloneAndTheLogIsOff)
{
    writeRealLog(3);
    {
        LogConnection connection(logFile(), false);
        ASSERT_TRUE(QSqlQuery(connection.Database()).exec("PRAGMA user_version = 2"));
    }
    ProgressLog log(logFile(), ui);
    EXPECT_FALSE(log.Record(entry(9)));
    EXPECT_TRUE(log.Entries().empty());
    EXPECT_TRUE(log.MovedAside().empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "Журнал результатов " + logFile().string()
                  + " отключён до конца работы: журнал записан более новой версией программы");
    EXPECT_EQ(scalar(logFile(), "SELECT count(*) FROM entries").toInt(), 3);
}

// A file where the folder should be: no folder can be made there, for root neither.
TEST_F(ProgressDamage, AFolderThatCannotBeMadeTurnsTheLogOffOnce)
{
    write("data", "a file, not a folder");
    ProgressLog log(logFile(), ui);
    EXPECT_FALSE(log.IsOn());
    EXPECT_FALSE(log.Record(entry(1)));
    EXPECT_TRUE(log.Entries().empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "Журнал результатов " + logFile().string()
                  + " отключён до конца работы: папку журнала не удалось создать");
    EXPECT_EQ(read(folder / "data"), "a file, not a folder");
}

TEST_F(ProgressDamage, AReadOnlyFolderTurnsTheLogOffOnce)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root ignores folder permissions";
    writeRealLog(2);
    std::filesystem::permissions(folder / "data", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    ui.messages.clear();
    ProgressLog log(logFile(), ui);
    const bool on = log.IsOn();
    log.Record(entry(3));
    std::filesystem::permissions(folder / "data", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    EXPECT_FALSE(on);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "Журнал результатов " + logFile().string()
                  + " отключён до конца работы: папка журнала закрыта для записи");
    EXPECT_EQ(scalar(logFile(), "SELECT count(*) FROM entries").toInt(), 2) << "the file is kept as it was";
}
