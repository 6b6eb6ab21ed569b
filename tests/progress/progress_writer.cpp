// Started by the kill test: commits COUNT entries to the log FILE, then opens a transaction,
// inserts many more without committing, prints "ready" and waits to be killed.
// Usage: progress_writer FILE COUNT

#include "platform/recording_ui.h"
#include "progress/progress_database.h"
#include "progress/progress_log.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

pw::ProgressEntry entry(int n)
{
    pw::ProgressEntry e;
    e.menuFile = "xml\\Menu.xml";
    e.lessonFile = "xml\\Lesson-" + std::to_string(n) + ".xml";
    // Long enough that the uncommitted rows spill out of the page cache into the journal.
    e.lessonCaption = std::string(200, 'x');
    e.kind = "MusHarmonyExercise";
    e.finishedAt = "2024-05-01T10:00:00+02:00";
    e.mark = 5;
    e.attempts = 1;
    e.language = "Russian";
    return e;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: progress_writer FILE COUNT\n");
        return 2;
    }
    const std::filesystem::path file = argv[1];
    const int count = std::stoi(argv[2]);
    {
        pw::RecordingUi ui;
        pw::ProgressLog log(file, ui);
        for (int n = 0; n < count; ++n) {
            if (!log.Record(entry(n))) {
                std::fprintf(stderr, "the log is off\n");
                return 1;
            }
        }
    }
    pw::LogConnection connection(file, false);
    QSqlDatabase db = connection.Database();
    pw::UseWriteAheadLog(db);
    if (!db.transaction())
        return 1;
    for (int n = 0; n < 20000; ++n) {
        // Each insert is a transaction of its own only outside this one: here they all stay open.
        QSqlQuery insert(db);
        insert.prepare(
            "INSERT INTO entries (menu_file, lesson_file, lesson_caption, kind, finished_at, errors, "
            "attempts, language) VALUES ('m', 'f', ?, 'k', 't', 0, 1, 'l')");
        insert.addBindValue(QString(200, 'y'));
        if (!insert.exec())
            return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    for (;;)
        ::pause();
}
