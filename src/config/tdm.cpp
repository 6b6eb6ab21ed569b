#include "config/tdm.h"

#include "platform/file_paths.h"

namespace pw {

namespace {
std::string trimmed(const std::string &text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}
} // namespace

std::filesystem::path Tdm::dataPath(const std::string &name) const
{
    // An empty DataDir (from "-d" given last) resolves against the working directory.
    return ResolveDataPath(DataDir.empty() ? std::filesystem::path(".") : std::filesystem::path(DataDir),
                           name);
}

std::string WithTrailingSeparator(const std::filesystem::path &folder)
{
    std::string text = folder.string();
    if (!text.empty() && text.back() != '/')
        text += '/';
    return text;
}

CommandLineResult ReadCommandLine(const std::vector<std::string> &arguments, Tdm &tdm)
{
    for (std::size_t i = 0; i < arguments.size(); i += 2) {
        const std::string option = trimmed(arguments[i]);
        if (option.empty())
            break;
        const std::string value = i + 1 < arguments.size() ? arguments[i + 1] : std::string();
        if (option == "-d")
            tdm.DataDir = value;
        else if (option == "-l")
            tdm.Language = value;
        else if (option == "-m")
            tdm.MenuName = value;
        else
            return {false, arguments[i]};
    }
    return {};
}

} // namespace pw
