#pragma once

#include <CLI/CLI.hpp>

#include <functional>

namespace pwcli {

// What a chosen subcommand does once the command line is parsed; returns the exit status.
using CommandRun = std::function<int()>;

// Each subcommand registers itself on the program's App and, when chosen, stores its action.
void AddDumpCommand(CLI::App &app, CommandRun &chosen);
void AddMidiCommand(CLI::App &app, CommandRun &chosen);
void AddFormulaCommand(CLI::App &app, CommandRun &chosen);
void AddAnalyzeCommand(CLI::App &app, CommandRun &chosen);
void AddRenderCommand(CLI::App &app, CommandRun &chosen);
void AddLayoutCommand(CLI::App &app, CommandRun &chosen);
void AddEnterCommand(CLI::App &app, CommandRun &chosen);
void AddPlayTableCommand(CLI::App &app, CommandRun &chosen);
void AddDrillCommand(CLI::App &app, CommandRun &chosen);
void AddQuestCommand(CLI::App &app, CommandRun &chosen);
void AddSceneCommand(CLI::App &app, CommandRun &chosen);
void AddExportCommand(CLI::App &app, CommandRun &chosen);
void AddCheckCourseCommand(CLI::App &app, CommandRun &chosen);
void AddProgressCommand(CLI::App &app, CommandRun &chosen);

} // namespace pwcli
