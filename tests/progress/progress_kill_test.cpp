// A writer killed in the middle of a transaction: the log keeps exactly what was committed, and
// is sound.

#include "progress_fixture.h"

#include <QProcess>

using namespace pw;

namespace {

class ProgressKill : public ProgressFixture
{
};

} // namespace

TEST_F(ProgressKill, AWriterKilledMidTransactionLeavesTheCommittedEntries)
{
    constexpr int Committed = 25;
    QProcess writer;
    writer.start(PROGRESS_WRITER, {QString::fromStdString(logFile().string()), QString::number(Committed)});
    ASSERT_TRUE(writer.waitForStarted());
    QByteArray said;
    // Generous: the writer is only waited for, never timed.
    while (!said.contains("ready\n") && writer.state() == QProcess::Running && writer.waitForReadyRead(60000))
        said += writer.readAllStandardOutput();
    ASSERT_TRUE(said.contains("ready\n"))
        << said.toStdString() << writer.readAllStandardError().toStdString();
    // The open transaction spilled into the journal: there is something to roll back.
    ASSERT_GT(std::filesystem::file_size(logFile().string() + "-wal"), 1000000u);
    writer.kill();
    ASSERT_TRUE(writer.waitForFinished());
    EXPECT_EQ(writer.exitStatus(), QProcess::CrashExit);

    {
        LogConnection connection(logFile(), false);
        EXPECT_EQ(CheckLog(connection.Database()), LogCondition::Ready);
    }
    ProgressLog log(logFile(), ui);
    const std::vector<ProgressEntry> entries = log.Entries();
    ASSERT_EQ(entries.size(), static_cast<std::size_t>(Committed));
    EXPECT_EQ(entries.back().lessonFile, "xml\\Lesson-" + std::to_string(Committed - 1) + ".xml");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(log.Record(entry(99)), Committed + 1);
}
