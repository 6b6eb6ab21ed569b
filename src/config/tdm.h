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

// The outcome of reading "-d", "-l" and "-m" from the command line.
struct CommandLineResult
{
    bool ok = true;
    std::string unknownArgument;
};

// Reads the arguments in pairs from the first; stops at the first one that is empty after
// trimming spaces. An option given last takes an empty value.
CommandLineResult ReadCommandLine(const std::vector<std::string> &arguments, Tdm &tdm);

// The folder as the data module keeps it: with a trailing separator.
std::string WithTrailingSeparator(const std::filesystem::path &folder);

} // namespace pw
