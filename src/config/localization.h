#pragma once

#include "document/xml_access.h"

#include <pugixml.hpp>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace pw {

// The interface texts: built-in Russian, replaced by identifier from Localize.xml when a language
// other than "Russian" is chosen and the file exists. An element present but empty blanks a text.
class Localization
{
public:
    // Reads dataDir/Localize.xml unless language is "Russian" or the file is missing.
    void Load(const std::filesystem::path &dataDir, const std::string &language);
    bool InUse() const { return m_inUse; }

    // The text of "//Localize/<section>/I[@id='<id>']", or its built-in default.
    std::string Text(const std::string &section, const std::string &id) const;
    // The text of "//BottomQuest/I[@id='<id>']" (at any depth), or its built-in default.
    std::string BottomQuest(const std::string &id) const;
    // A message of the program's lower layers, which speak the built-in Russian: its
    // translation from the "Phrases" section (an I whose "ru" is the text, or a pattern with
    // %1 … %9 that matches it: its values go into the translation, translated in turn), or the
    // text itself.
    std::string Phrase(const std::string &russian) const;

    // The document the lower panels read their texts from (empty when not in use).
    XmlNode Document() const { return m_doc; }

    // The built-in Russian text of an identifier; empty for an unknown one.
    static std::string Default(const std::string &section, const std::string &id);
    // Every identifier with a built-in text, as (section, id), sorted.
    static std::vector<std::pair<std::string, std::string>> Identifiers();

private:
    std::string phrase(const std::string &russian, int depth) const;

    pugi::xml_document m_doc;
    bool m_inUse = false;
};

} // namespace pw
