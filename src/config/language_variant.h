#pragma once

#include <filesystem>
#include <string>

namespace pw {

// The one rule for the language versions of data files (pages, pause pages, contents, videos, the
// about page): the language goes before the first "." of the file name, or in front of a file
// name without one; the folders of the name stay as they are. "Russian" (the built-in language)
// and an empty language leave the name unchanged. Names may use "\" or "/" between folders.
std::string LanguageVariantName(const std::string &name, const std::string &language);

// The variant of a name relative to dataDir when that file exists, otherwise the name itself.
std::string LanguageVariant(const std::filesystem::path &dataDir, const std::string &name,
                            const std::string &language);

// The same for a file named by its full path.
std::filesystem::path LanguageVariantFile(const std::filesystem::path &file, const std::string &language);

} // namespace pw
