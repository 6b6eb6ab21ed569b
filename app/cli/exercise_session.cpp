#include "exercise_session.h"

#include "json_line.h"

#include "harmony/definitor.h"
#include "harmony/part_analysis.h"
#include "platform/error.h"
#include "platform/file_paths.h"
#include "platform/program_ui.h"

#include <iostream>

namespace pwcli {

void ExerciseOptions::addTo(CLI::App &command, bool withEdit)
{
    command.add_option("FILE", file, "exercise file, absolute or relative to the data directory")->required();
    command.add_option("--data-dir,-d", dataDir, "data directory (default: the bundled course)");
    command.add_option("--seed", seed, "seed for every random choice, for reproducible runs");
    if (withEdit)
        command.add_flag("--edit", edit, "open in authoring mode, as the empty template is opened");
}

std::filesystem::path ExerciseOptions::dataFolder() const
{
    return dataDir.empty() ? pw::BundledDataFolder(pw::ExecutableFolder()) : std::filesystem::path(dataDir);
}

ExerciseSession::ExerciseSession(const ExerciseOptions &options)
    : random(options.seed)
    , exercise(ui, random, options.dataFolder())
    , m_options(options)
{
    pw::SetProgramUi(&ui);
}

// Relative names are taken in the data directory, as the course menu names them; a name found only
// relative to the working directory is taken from there, as a shell user expects. A file to be
// written that exists nowhere yet is placed by its folder the same way, so that the name it was
// saved under opens it again.
bool ExerciseOptions::inWorkingFolder(const std::string &name, bool creating) const
{
    namespace fs = std::filesystem;
    const fs::path given(name);
    if (given.is_absolute())
        return false;
    std::error_code ec;
    const fs::path inData = pw::ResolveDataPath(dataFolder(), name);
    if (fs::exists(inData, ec))
        return false;
    if (fs::exists(given, ec))
        return true;
    return creating && given.has_parent_path() && !fs::exists(inData.parent_path(), ec)
        && fs::is_directory(given.parent_path(), ec);
}

std::filesystem::path ExerciseOptions::savePath(const std::string &name) const
{
    return inWorkingFolder(name, true) ? std::filesystem::absolute(name)
                                       : pw::ResolveDataPath(dataFolder(), name);
}

std::string ExerciseSession::fileName() const
{
    return m_options.inWorkingFolder(m_options.file, false)
        ? std::filesystem::absolute(m_options.file).string()
        : m_options.file;
}

bool ExerciseSession::load()
{
    exercise.EditMode = m_options.edit;
    task.Iterations = -1;
    try {
        if (exercise.LoadExercise(fileName(), &task, false)) {
            // As the program opens it: a worked example with its analysis.
            if (!m_options.edit) {
                pw::TMusDefinitor definitor(m_options.ruleBase(), ui);
                pw::AnalyseWorkedExamples(exercise, definitor);
            }
            return true;
        }
        m_error = ui.lastText();
    } catch (const pw::Error &e) {
        m_error = e.what();
    }
    return false;
}

void ExerciseSession::printLoadFailure() const
{
    std::cout << JsonLine(Json {{"status", -1}, {"error", m_error}}) << '\n';
}

} // namespace pwcli
