#pragma once

// The tolerant XML access layer: every reader of a data file is a flat list of key reads with a
// default each. A missing node or attribute yields the default, never an error.
//
// Nodes are pugixml handles; a null handle is a legal "no node" everywhere. The owner document of
// a node is reachable from the node itself, so the functions that create nodes need no document
// argument. Paths are XPath 1.0 with one difference: a numeric index predicate counts from 0, so
// "Scene[0]" is the first Scene.

#include <pugixml.hpp>

#include <initializer_list>
#include <string>
#include <string_view>

namespace pw {

using XmlNode = pugi::xml_node;

// No node: empty text. A node that cannot carry attributes: def. Attribute absent: def. Otherwise
// its text, also when empty.
std::string GetAttr(XmlNode node, std::string_view name, std::string_view def = {});

// GetAttr with an empty default; empty text gives def, anything else must be a 32-bit integer
// (decimal, or hexadecimal after "$" or "0x", optional sign, leading spaces) or ConversionError
// is thrown naming the attribute and the text.
int GetAttrInt(XmlNode node, std::string_view name, int def);

// The attribute name+suffix when present, else name, else def (no node: empty text).
std::string GetAttrLang(XmlNode node, std::string_view name, std::string_view suffix,
                        std::string_view def = {});

// Replaces the attribute in place or appends it. An empty name does nothing.
void SetAttr(XmlNode node, std::string_view name, std::string_view value);
void SetAttr(XmlNode node, std::string_view name, int value);

void RemoveAttr(XmlNode node, std::string_view name);

struct AttrPair
{
    std::string_view name;
    std::string_view value;
};

// Appends an element with up to three attributes (pairs with an empty name are skipped). Without
// a parent, shows the "!!!" message through the program's Ui and returns no node.
XmlNode AddChild(XmlNode parent, std::string_view element, AttrPair a1 = {}, AttrPair a2 = {},
                 AttrPair a3 = {});

// AddChild that returns no node silently when there is no parent.
XmlNode TryAddChild(XmlNode parent, std::string_view element, AttrPair a1 = {}, AttrPair a2 = {},
                    AttrPair a3 = {});

// The first child matching the name, untouched; or a new one made by AddChild.
XmlNode FindOrAddChild(XmlNode parent, std::string_view name, AttrPair a1 = {}, AttrPair a2 = {},
                       AttrPair a3 = {});

// The last node selected by path whose text equals text, else a new element named path holding
// text; the pairs are then set on it (overwriting).
XmlNode FindOrAddTextChild(XmlNode parent, std::string_view path, AttrPair a1, AttrPair a2, AttrPair a3,
                           std::string_view text);

bool HasTextChild(XmlNode node, std::string_view path, std::string_view text);

// Removes the first selected direct child whose text equals text.
bool RemoveTextChild(XmlNode node, std::string_view path, std::string_view text);

bool RemoveNode(XmlNode node);

// The text of the first node selected by path, else def (no node: def). The localisation lookup.
std::string SelectText(XmlNode node, std::string_view path, std::string_view def = {});

// 1-based position of pattern in text at or after start, 0 when none.
int FindSubstringFrom(std::string_view pattern, std::string_view text, int start);

// Path selection with 0-based index predicates. An invalid path throws XmlError with the XPath
// message. Results are in document order.
pugi::xpath_node_set SelectNodes(XmlNode node, std::string_view path);
XmlNode SelectNode(XmlNode node, std::string_view path);

// A value the path names as $name. Text read from a file reaches a query only this way: it is
// compared as a value and can never change what the path means. A number compares as XPath
// numbers do (@High=$p matches High="012" for 12).
struct PathValue
{
    PathValue(std::string_view name, std::string_view text)
        : name(name)
        , text(text)
    {
    }
    PathValue(std::string_view name, const std::string &text)
        : name(name)
        , text(text)
    {
    }
    PathValue(std::string_view name, const char *text)
        : name(name)
        , text(text)
    {
    }
    PathValue(std::string_view name, double number)
        : name(name)
        , number(number)
        , isNumber(true)
    {
    }
    std::string_view name;
    std::string_view text;
    double number = 0;
    bool isNumber = false;
};
using PathValues = std::initializer_list<PathValue>;

pugi::xpath_node_set SelectNodes(XmlNode node, std::string_view path, PathValues values);
XmlNode SelectNode(XmlNode node, std::string_view path, PathValues values);
std::string SelectText(XmlNode node, std::string_view path, PathValues values, std::string_view def = {});

// The path with every numeric index predicate "[N]" rewritten to XPath's 1-based "[N+1]".
std::string ZeroBasedToXPath(std::string_view path);

// The text of a node and all its descendants (for an attribute node: its value).
std::string NodeText(const pugi::xpath_node &node);

} // namespace pw
