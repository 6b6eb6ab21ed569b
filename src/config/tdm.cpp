#include "config/tdm.h"

#include "platform/file_paths.h"

#include <optional>

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
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string &given = arguments[i];
        std::string option = trimmed(given);
        if (option.empty())
            break;
        if (option == "--help" || option == "-h")
            return {true, {}, CommandLineAction::Help};
        if (option == "--version")
            return {true, {}, CommandLineAction::Version};
        // A long option may carry its value after "=", or in the next argument as the short ones do.
        std::optional<std::string> value;
        if (const auto equals = option.find('='); option.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = option.substr(equals + 1);
            option.resize(equals);
        } else {
            value = i + 1 < arguments.size() ? arguments[++i] : std::string();
        }
        if (option == "-d" || option == "--data-dir")
            tdm.DataDir = *value;
        else if (option == "-l" || option == "--language")
            tdm.Language = *value;
        else if (option == "-m" || option == "--menu")
            tdm.MenuName = *value;
        else
            return {false, given};
    }
    return {};
}

bool WantsInformation(const std::vector<std::string> &arguments, std::string *language)
{
    bool wanted = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string option = trimmed(arguments[i]);
        if (option == "--help" || option == "-h" || option == "--version")
            wanted = true;
        else if ((option == "-l" || option == "--language") && i + 1 < arguments.size() && language)
            *language = arguments[i + 1];
        else if (option.rfind("--language=", 0) == 0 && language)
            *language = option.substr(11);
    }
    return wanted;
}

} // namespace pw
