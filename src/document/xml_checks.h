#pragma once

// What pugixml lets through but a well-formed file may not hold, found before or after parsing.
// Each check gives an empty text when the file is sound, else the reason in the program's
// built-in Russian with the line it concerns.

#include <pugixml.hpp>

#include <string>
#include <string_view>

namespace pw {

// Elements nested deeper than this are refused: nothing the program reads needs a tenth of it,
// and every copy of such a file (an undo snapshot, a save) would grow with its indentation.
inline constexpr int MaxXmlDepth = 64;

// The 1-based line of the byte at offset.
int LineAt(std::string_view text, std::size_t offset);

// A byte sequence that is not UTF-8.
std::string Utf8Problem(std::string_view text);

// A reference to an entity that XML does not define (pugixml keeps it as text), a character
// reference or a raw control character that XML does not allow. Comments, CDATA sections,
// processing instructions and the document type declaration are skipped.
std::string MarkupProblem(std::string_view text);

// An attribute given twice on one element, or elements nested deeper than MaxXmlDepth. The
// lines come from the node offsets into text, the buffer the document was parsed from.
std::string TreeProblem(const pugi::xml_document &doc, std::string_view text);

// The reason pugixml gives, in Russian.
std::string ParseStatusText(pugi::xml_parse_status status);

} // namespace pw
