#pragma once

#include "support/test_folder.h"

#include "platform/recording_ui.h"
#include "progress/progress_database.h"
#include "progress/progress_log.h"

#include <QSqlQuery>
#include <QVariant>

#include <string>

// A log file in a scratch folder, its messages recorded.
class ProgressFixture : public TestFolder
{
protected:
    std::filesystem::path logFile() const { return folder / "data" / "progress.sqlite"; }

    static pw::ProgressEntry entry(int n, const std::string &finishedAt = "2024-05-01T10:00:00+02:00")
    {
        pw::ProgressEntry e;
        e.menuFile = "xml\\Menu.xml";
        e.lessonFile = "xml\\Lesson-" + std::to_string(n) + ".xml";
        e.lessonCaption = "Урок " + std::to_string(n);
        e.kind = "MusHarmonyExercise";
        e.finishedAt = finishedAt;
        e.mark = 2 + n % 4;
        e.attempts = 3;
        e.errors = n % 3;
        e.secondsUsed = 40 + n;
        e.language = "Russian";
        return e;
    }

    // The first value of a statement run on its own connection to the file.
    static QVariant scalar(const std::filesystem::path &file, const QString &statement)
    {
        pw::LogConnection connection(file, true);
        QSqlQuery query(connection.Database());
        if (!query.exec(statement) || !query.next())
            return {};
        return query.value(0);
    }

    pw::RecordingUi ui;
};
