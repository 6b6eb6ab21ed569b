// partwriter-cli progress: the student's progress log, one entry a line or as CSV, read without
// changing the file.

#include "command.h"

#include "platform/file_paths.h"
#include "progress/progress_csv.h"
#include "progress/progress_database.h"

#include <QCoreApplication>

#include <iostream>
#include <memory>

namespace pwcli {

namespace {

struct ProgressOptions
{
    bool csv = false;
    std::string db;
};

std::string orDash(const std::optional<int> &value)
{
    return value ? std::to_string(*value) : "-";
}

// A caption holds no line breaks here: one entry, one line.
std::string oneLine(std::string text)
{
    for (char &c : text) {
        if (c == '\n' || c == '\r')
            c = ' ';
    }
    return text;
}

// ID FINISHED_AT KIND mark=M errors=E/A seconds=S language=L file=F caption=C; "-" for a value
// left out, the caption last (it may hold spaces).
std::string textLine(const pw::ProgressEntry &e)
{
    return std::to_string(e.id) + ' ' + e.finishedAt + ' ' + e.kind + " mark=" + orDash(e.mark)
        + " errors=" + std::to_string(e.errors) + '/' + std::to_string(e.attempts)
        + " seconds=" + orDash(e.secondsUsed) + " language=" + e.language
        + " file=" + (e.lessonFile.empty() ? "-" : e.lessonFile) + " caption=" + oneLine(e.lessonCaption);
}

int runProgress(const ProgressOptions &options)
{
    // Qt SQL finds its SQLite driver through the application's plugin paths.
    int argc = 1;
    char name[] = "partwriter-cli";
    char *argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);

    const std::filesystem::path file
        = options.db.empty() ? pw::UserDataFolder() / "progress.sqlite" : std::filesystem::path(options.db);
    const std::optional<std::vector<pw::ProgressEntry>> entries = pw::ReadProgressFile(file);
    if (!entries)
        return 0;
    if (options.csv) {
        std::cout << pw::ProgressCsv(*entries);
        return 0;
    }
    for (const pw::ProgressEntry &entry : *entries)
        std::cout << textLine(entry) << '\n';
    return 0;
}

} // namespace

void AddProgressCommand(CLI::App &app, CommandRun &chosen)
{
    auto options = std::make_shared<ProgressOptions>();
    CLI::App *command
        = app.add_subcommand("progress", "print the student's progress log, oldest entry first");
    command->add_flag("--csv", options->csv, "print the log as CSV (RFC 4180, with a header row)");
    command->add_option("--db", options->db,
                        "the log file (default: progress.sqlite in $XDG_DATA_HOME/Partwriter, or "
                        "~/.local/share/Partwriter)");
    command->callback([options, &chosen] { chosen = [options] { return runProgress(*options); }; });
}

} // namespace pwcli
