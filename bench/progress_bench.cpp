// Recording one finished lesson, as the shell does after showing its result: one INSERT in a
// transaction of its own, into a log that already holds 1,000 or 100,000 entries (the target is
// under 5 ms each); and opening such a log, which the first record of a run does.

#include "platform/recording_ui.h"
#include "progress/progress_database.h"
#include "progress/progress_log.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

pw::ProgressEntry entry(int n)
{
    pw::ProgressEntry e;
    e.menuFile = "xml\\Menu.xml";
    e.lessonFile = "xml\\Lesson-" + std::to_string(n % 40) + ".xml";
    e.lessonCaption = "Гармонизация баса в бемольных мажорах";
    e.kind = "MusHarmonyExercise";
    e.finishedAt = "2024-05-01T14:03:22+02:00";
    e.mark = 2 + n % 4;
    e.attempts = 3;
    e.errors = n % 3;
    e.secondsUsed = 60 + n % 200;
    e.language = "Russian";
    return e;
}

// A log of the given size, filled in one transaction (the program would have taken years).
std::filesystem::path filledLog(int entries)
{
    const std::filesystem::path folder
        = std::filesystem::temp_directory_path() / ("pw-bench-progress-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / "progress.sqlite";
    {
        pw::RecordingUi ui;
        pw::ProgressLog log(file, ui);
        log.Record(entry(0));
    }
    pw::LogConnection connection(file, false);
    QSqlDatabase db = connection.Database();
    db.transaction();
    for (int n = 1; n < entries; ++n) {
        // InsertLogEntry would commit each row: one statement inside one transaction instead.
        QSqlQuery insert(db);
        insert.prepare(
            "INSERT INTO entries (menu_file, lesson_file, lesson_caption, kind, finished_at, mark, "
            "errors, attempts, seconds_used, language) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        const pw::ProgressEntry e = entry(n);
        for (const QVariant &value :
             {QVariant(QString::fromStdString(e.menuFile)), QVariant(QString::fromStdString(e.lessonFile)),
              QVariant(QString::fromStdString(e.lessonCaption)), QVariant(QString::fromStdString(e.kind)),
              QVariant(QString::fromStdString(e.finishedAt)), QVariant(*e.mark), QVariant(e.errors),
              QVariant(e.attempts), QVariant(*e.secondsUsed), QVariant(QString::fromStdString(e.language))})
            insert.addBindValue(value);
        insert.exec();
    }
    db.commit();
    return file;
}

void BM_RecordOneEntry(benchmark::State &state)
{
    const std::filesystem::path file = filledLog(static_cast<int>(state.range(0)));
    pw::RecordingUi ui;
    {
        pw::ProgressLog log(file, ui);
        // Opening (and its quick_check) happens once a run, not per record.
        if (!log.IsOn())
            state.SkipWithError("the log did not open");
        int n = 0;
        for (auto _ : state) {
            if (!log.Record(entry(++n)))
                state.SkipWithError("an entry was not recorded");
        }
    }
    state.counters["entries"] = static_cast<double>(state.range(0));
    std::filesystem::remove_all(file.parent_path());
}

// The first record of a run opens the log first: its checks read the whole file once.
void BM_OpenAndCheck(benchmark::State &state)
{
    const std::filesystem::path file = filledLog(static_cast<int>(state.range(0)));
    pw::RecordingUi ui;
    for (auto _ : state) {
        pw::ProgressLog log(file, ui);
        if (!log.IsOn())
            state.SkipWithError("the log did not open");
    }
    std::filesystem::remove_all(file.parent_path());
}

BENCHMARK(BM_RecordOneEntry)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenAndCheck)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
