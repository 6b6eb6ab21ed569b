#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace pw {

// The program's directories, language and course menu name, set at start-up.
struct Tdm
{
    // Where every data file is read from; ends with a path separator.
    std::string DataDir;
    // The executable's directory (skins, videos); ends with a path separator.
    std::string ExeDir;
    // "Russian" means the built-in texts.
    std::string Language = "Russian";
    // The course menu is xml/<MenuName>.xml under DataDir.
    std::string MenuName;

    std::filesystem::path dataPath(const std::string &name) const;
};

// What the command line asks beside running the course.
enum class CommandLineAction { Run, Help, Version };

// The outcome of reading "-d" (--data-dir), "-l" (--language) and "-m" (--menu) from the
// command line.
struct CommandLineResult
{
    bool ok = true;
    std::string unknownArgument;
    CommandLineAction action = CommandLineAction::Run;
};

// Reads each option with its value (the next argument, or after "=" for a long option) from the
// first; stops at the first argument that is empty after trimming spaces. An option given last
// takes an empty value. --help (-h) and --version end the reading.
CommandLineResult ReadCommandLine(const std::vector<std::string> &arguments, Tdm &tdm);

// Whether the arguments ask for the help or the version; the language they name, if any.
bool WantsInformation(const std::vector<std::string> &arguments, std::string *language);

// The folder as the data module keeps it: with a trailing separator.
std::string WithTrailingSeparator(const std::filesystem::path &folder);

} // namespace pw
