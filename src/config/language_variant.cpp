#include "config/language_variant.h"

#include "platform/file_paths.h"

namespace pw {

std::string LanguageVariantName(const std::string &name, const std::string &language)
{
    if (language.empty() || language == "Russian")
        return name;
    const auto folderEnd = name.find_last_of("\\/");
    const std::size_t fileStart = folderEnd == std::string::npos ? 0 : folderEnd + 1;
    const auto dot = name.find('.', fileStart);
    const std::size_t at = dot == std::string::npos ? fileStart : dot;
    return name.substr(0, at) + language + name.substr(at);
}

std::string LanguageVariant(const std::filesystem::path &dataDir, const std::string &name,
                            const std::string &language)
{
    const std::string variant = LanguageVariantName(name, language);
    if (variant == name)
        return name;
    std::error_code ec;
    return std::filesystem::exists(ResolveDataPath(dataDir, variant), ec) ? variant : name;
}

std::filesystem::path LanguageVariantFile(const std::filesystem::path &file, const std::string &language)
{
    const std::filesystem::path variant
        = file.parent_path() / LanguageVariantName(file.filename().string(), language);
    std::error_code ec;
    return variant != file && std::filesystem::exists(variant, ec) ? variant : file;
}

} // namespace pw
