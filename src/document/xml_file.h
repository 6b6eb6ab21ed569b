#pragma once

#include <pugixml.hpp>

#include <cstddef>
#include <filesystem>
#include <string>

namespace pw {

// Files larger than this are refused before they are read: the largest file the program reads,
// a long chorale, is a few megabytes.
inline constexpr std::size_t MaxXmlFileBytes = std::size_t {16} << 20;

enum class XmlFileStatus {
    Loaded,
    Missing,
    Unreadable,
    TooLarge,
    Undecodable,
    Malformed,
};

// Whether a file loaded, and if not, why: the reason is in the program's built-in Russian (with
// the line where there is one), for a message that names the file.
struct XmlLoadResult
{
    XmlFileStatus status = XmlFileStatus::Loaded;
    std::string reason;
    explicit operator bool() const { return status == XmlFileStatus::Loaded; }
};

// Loads an XML file into doc. The encoding declaration is honoured: windows-1251 (or any other
// encoding iconv knows) is converted to UTF-8 first, since everything in memory is UTF-8. A name
// that does not exist as written is looked up case-insensitively. A file that is missing, too
// large, not in its encoding, or not well-formed (including what pugixml would let through:
// undefined entities, characters XML does not allow, repeated attributes, nesting deeper than
// MaxXmlDepth) leaves doc empty.
XmlLoadResult ReadXmlFile(pugi::xml_document &doc, const std::filesystem::path &path);
bool LoadXmlFile(pugi::xml_document &doc, const std::filesystem::path &path);

// Parses XML text (with the same encoding handling and checks) into doc.
XmlLoadResult ReadXmlText(pugi::xml_document &doc, std::string bytes);
bool LoadXmlText(pugi::xml_document &doc, const std::string &bytes);

// The document as UTF-8 text with an XML declaration.
std::string XmlToText(const pugi::xml_document &doc);

// Saves doc as UTF-8 atomically: a failed save leaves the previous file intact. Throws XmlError.
void SaveXmlFile(const pugi::xml_document &doc, const std::filesystem::path &path);

// Converts bytes from the named encoding to UTF-8; throws XmlError for an unknown encoding or
// invalid input.
std::string ConvertToUtf8(const std::string &bytes, const std::string &encoding);

} // namespace pw
