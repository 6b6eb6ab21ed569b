#pragma once

#include "console_ui.h"

#include "document/har_exercis.h"
#include "document/timer_area.h"
#include "harmony/exercise_check.h"
#include "platform/random.h"

#include <CLI/CLI.hpp>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace pwcli {

// The options every exercise command shares: FILE [--data-dir DIR] [--seed N] [--edit].
struct ExerciseOptions
{
    std::string file;
    std::string dataDir;
    std::optional<std::uint64_t> seed;
    bool edit = false;

    void addTo(CLI::App &command, bool withEdit);
    std::filesystem::path dataFolder() const;
    // The file a name given to be written stands for, found as FILE is found.
    std::filesystem::path savePath(const std::string &name) const;
    // Whether a relative name is taken from the working directory rather than the data directory.
    bool inWorkingFolder(const std::string &name, bool creating) const;
    // The rule base of the data directory, xml/definitor.xml.
    std::filesystem::path ruleBase() const { return dataFolder() / "xml" / "definitor.xml"; }
};

// An exercise loaded as the main window loads one: with a fresh task record (Iterations -1), in
// working mode or, with --edit, in authoring mode, and checked after every change as there.
class ExerciseSession
{
public:
    explicit ExerciseSession(const ExerciseOptions &options);

    // Loads the file; on failure the reason is in error().
    bool load();
    const std::string &error() const { return m_error; }
    // The failed load as every exercise command reports it: {"status": -1, "error": ...} on stdout.
    void printLoadFailure() const;

    ConsoleUi ui;
    pw::StdRandom random;
    pw::TimerArea task;
    pw::HarExercis exercise;
    pw::ExerciseChecker checker {exercise};

private:
    std::string fileName() const;

    const ExerciseOptions &m_options;
    std::string m_error;
};

} // namespace pwcli
