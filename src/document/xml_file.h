#pragma once

#include <pugixml.hpp>

#include <filesystem>
#include <string>

namespace pw {

// Loads an XML file into doc. The encoding declaration is honoured: windows-1251 (or any other
// encoding iconv knows) is converted to UTF-8 first, since everything in memory is UTF-8. A name
// that does not exist as written is looked up case-insensitively. Returns false, with doc left
// empty, when the file is missing or not well-formed.
bool LoadXmlFile(pugi::xml_document &doc, const std::filesystem::path &path);

// Parses XML text (with the same encoding handling) into doc.
bool LoadXmlText(pugi::xml_document &doc, const std::string &bytes);

// The document as UTF-8 text with an XML declaration.
std::string XmlToText(const pugi::xml_document &doc);

// Saves doc as UTF-8 atomically: a failed save leaves the previous file intact. Throws XmlError.
void SaveXmlFile(const pugi::xml_document &doc, const std::filesystem::path &path);

// Converts bytes from the named encoding to UTF-8; throws XmlError for an unknown encoding or
// invalid input.
std::string ConvertToUtf8(const std::string &bytes, const std::string &encoding);

} // namespace pw
