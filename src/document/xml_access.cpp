#include "document/xml_access.h"

#include "platform/error.h"
#include "platform/program_ui.h"

#include <cctype>
#include <cstdint>
#include <memory>
#include <unordered_map>

namespace pw {

namespace {

bool canCarryAttributes(XmlNode node)
{
    return node.type() == pugi::node_element || node.type() == pugi::node_declaration;
}

[[noreturn]] void conversionError(std::string_view name, std::string_view text)
{
    throw ConversionError("'" + std::string(text) + "' is not a valid integer value for the attribute '"
                          + std::string(name) + "'");
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Whole-text conversion: spaces, sign, then decimal digits or "$"/"0x" and hexadecimal digits.
// Hexadecimal text stands for the 32 bits it spells ("$FFFFFFFF" is -1); decimal text must lie
// in the signed 32-bit range.
int parseInteger(std::string_view name, std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size())
        conversionError(name, text);
    std::uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = base == 16
            ? hexDigit(text[i])
            : (std::isdigit(static_cast<unsigned char>(text[i])) ? text[i] - '0' : -1);
        if (digit < 0)
            conversionError(name, text);
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (value > 0xFFFFFFFFull)
            conversionError(name, text);
    }
    std::int64_t result;
    if (base == 16) {
        result = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    } else {
        result = static_cast<std::int64_t>(value);
        if (result > (negative ? 2147483648LL : 2147483647LL))
            conversionError(name, text);
    }
    return static_cast<int>(negative ? -result : result);
}

// Compiled paths are kept: the same few dozen paths are evaluated over and over. A path with
// values keeps its own variable set, bound at compile time, whose values are set before each
// evaluation.
struct CompiledPath
{
    pugi::xpath_variable_set variables;
    std::unique_ptr<pugi::xpath_query> query;
};

std::string cacheKey(std::string_view path, PathValues values)
{
    std::string key(path);
    for (const PathValue &v : values) {
        key += v.isNumber ? "\n#" : "\n$";
        key += v.name;
    }
    return key;
}

CompiledPath &compiledPath(std::string_view path, PathValues values = {})
{
    thread_local std::unordered_map<std::string, std::unique_ptr<CompiledPath>> cache;
    const std::string key = cacheKey(path, values);
    auto found = cache.find(key);
    if (found != cache.end())
        return *found->second;
    if (cache.size() > 4096)
        cache.clear();
    auto compiled = std::make_unique<CompiledPath>();
    for (const PathValue &v : values) {
        const std::string name(v.name);
        if (!compiled->variables.add(name.c_str(),
                                     v.isNumber ? pugi::xpath_type_number : pugi::xpath_type_string))
            throw XmlError("Invalid path value name '" + name + "'");
    }
    try {
        compiled->query = std::make_unique<pugi::xpath_query>(ZeroBasedToXPath(path).c_str(),
                                                              values.size() ? &compiled->variables : nullptr);
    } catch (const pugi::xpath_exception &e) {
        throw XmlError("Invalid path '" + std::string(path) + "': " + e.what());
    }
    return *cache.emplace(key, std::move(compiled)).first->second;
}

void appendText(XmlNode node, std::string &out)
{
    for (XmlNode child : node.children()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
            out += child.value();
        else if (child.type() == pugi::node_element)
            appendText(child, out);
    }
}

void setPairs(XmlNode node, AttrPair a1, AttrPair a2, AttrPair a3)
{
    SetAttr(node, a1.name, a1.value);
    SetAttr(node, a2.name, a2.value);
    SetAttr(node, a3.name, a3.value);
}

} // namespace

std::string ZeroBasedToXPath(std::string_view path)
{
    std::string out;
    out.reserve(path.size() + 4);
    char quote = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const char c = path[i];
        if (quote) {
            quote = c == quote ? 0 : quote;
            out += c;
            continue;
        }
        if (c == '\'' || c == '"') {
            quote = c;
            out += c;
            continue;
        }
        if (c == '[') {
            std::size_t j = i + 1;
            while (j < path.size() && path[j] == ' ')
                ++j;
            const std::size_t digitsStart = j;
            while (j < path.size() && std::isdigit(static_cast<unsigned char>(path[j])))
                ++j;
            const std::size_t digitsEnd = j;
            while (j < path.size() && path[j] == ' ')
                ++j;
            if (digitsEnd > digitsStart && digitsEnd - digitsStart < 10 && j < path.size()
                && path[j] == ']') {
                const long index = std::stol(std::string(path.substr(digitsStart, digitsEnd - digitsStart)));
                out += '[' + std::to_string(index + 1) + ']';
                i = j;
                continue;
            }
        }
        out += c;
    }
    return out;
}

pugi::xpath_node_set SelectNodes(XmlNode node, std::string_view path, PathValues values)
{
    if (!node)
        return {};
    CompiledPath &compiled = compiledPath(path, values);
    for (const PathValue &v : values) {
        const std::string name(v.name);
        if (v.isNumber)
            compiled.variables.set(name.c_str(), v.number);
        else
            compiled.variables.set(name.c_str(), std::string(v.text).c_str());
    }
    try {
        return node.select_nodes(*compiled.query);
    } catch (const pugi::xpath_exception &e) {
        throw XmlError("Invalid path '" + std::string(path) + "': " + e.what());
    }
}

pugi::xpath_node_set SelectNodes(XmlNode node, std::string_view path)
{
    return SelectNodes(node, path, {});
}

XmlNode SelectNode(XmlNode node, std::string_view path, PathValues values)
{
    for (const pugi::xpath_node &item : SelectNodes(node, path, values)) {
        if (item.node())
            return item.node();
    }
    return {};
}

XmlNode SelectNode(XmlNode node, std::string_view path)
{
    return SelectNode(node, path, {});
}

std::string NodeText(const pugi::xpath_node &node)
{
    if (node.attribute())
        return node.attribute().value();
    XmlNode n = node.node();
    if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata)
        return n.value();
    std::string out;
    appendText(n, out);
    return out;
}

std::string GetAttr(XmlNode node, std::string_view name, std::string_view def)
{
    if (!node)
        return {};
    if (!canCarryAttributes(node))
        return std::string(def);
    const pugi::xml_attribute attr = node.attribute(std::string(name).c_str());
    return attr ? attr.value() : std::string(def);
}

int GetAttrInt(XmlNode node, std::string_view name, int def)
{
    const std::string text = GetAttr(node, name);
    return text.empty() ? def : parseInteger(name, text);
}

std::string GetAttrLang(XmlNode node, std::string_view name, std::string_view suffix, std::string_view def)
{
    if (!node)
        return {};
    if (!canCarryAttributes(node))
        return std::string(def);
    const std::string plain(name);
    if (const pugi::xml_attribute local = node.attribute((plain + std::string(suffix)).c_str()))
        return local.value();
    if (const pugi::xml_attribute attr = node.attribute(plain.c_str()))
        return attr.value();
    return std::string(def);
}

void SetAttr(XmlNode node, std::string_view name, std::string_view value)
{
    if (name.empty())
        return;
    if (!canCarryAttributes(node))
        throw XmlError("Cannot set the attribute '" + std::string(name) + "' on no element");
    const std::string key(name);
    pugi::xml_attribute attr = node.attribute(key.c_str());
    if (!attr)
        attr = node.append_attribute(key.c_str());
    attr.set_value(std::string(value).c_str());
}

void SetAttr(XmlNode node, std::string_view name, int value)
{
    SetAttr(node, name, std::to_string(value));
}

void RemoveAttr(XmlNode node, std::string_view name)
{
    if (name.empty() || !canCarryAttributes(node))
        return;
    node.remove_attribute(std::string(name).c_str());
}

XmlNode TryAddChild(XmlNode parent, std::string_view element, AttrPair a1, AttrPair a2, AttrPair a3)
{
    if (!parent)
        return {};
    XmlNode child = parent.append_child(std::string(element).c_str());
    if (!child)
        throw XmlError("Cannot add the element '" + std::string(element) + "'");
    setPairs(child, a1, a2, a3);
    return child;
}

XmlNode AddChild(XmlNode parent, std::string_view element, AttrPair a1, AttrPair a2, AttrPair a3)
{
    if (!parent) {
        ProgramUi().message("!!!",
                            "Попытка добавить элемент " + std::string(element) + " к пустому элементу");
        return {};
    }
    return TryAddChild(parent, element, a1, a2, a3);
}

XmlNode FindOrAddChild(XmlNode parent, std::string_view name, AttrPair a1, AttrPair a2, AttrPair a3)
{
    if (!parent)
        return {};
    if (XmlNode found = SelectNode(parent, name))
        return found;
    return AddChild(parent, name, a1, a2, a3);
}

XmlNode FindOrAddTextChild(XmlNode parent, std::string_view path, AttrPair a1, AttrPair a2, AttrPair a3,
                           std::string_view text)
{
    if (!parent)
        return {};
    XmlNode taken;
    for (const pugi::xpath_node &item : SelectNodes(parent, path)) {
        if (item.node() && NodeText(item) == text)
            taken = item.node();
    }
    if (!taken) {
        taken = parent.append_child(std::string(path).c_str());
        if (!taken)
            throw XmlError("Cannot add the element '" + std::string(path) + "'");
        taken.append_child(pugi::node_pcdata).set_value(std::string(text).c_str());
    }
    setPairs(taken, a1, a2, a3);
    return taken;
}

bool HasTextChild(XmlNode node, std::string_view path, std::string_view text)
{
    if (!node)
        return false;
    for (const pugi::xpath_node &item : SelectNodes(node, path)) {
        if (NodeText(item) == text)
            return true;
    }
    return false;
}

bool RemoveTextChild(XmlNode node, std::string_view path, std::string_view text)
{
    if (!node)
        return false;
    for (const pugi::xpath_node &item : SelectNodes(node, path)) {
        if (item.node() && NodeText(item) == text)
            return item.node().parent().remove_child(item.node());
    }
    return false;
}

bool RemoveNode(XmlNode node)
{
    return node && node.parent().remove_child(node);
}

std::string SelectText(XmlNode node, std::string_view path, PathValues values, std::string_view def)
{
    const pugi::xpath_node_set found = SelectNodes(node, path, values);
    if (found.empty())
        return std::string(def);
    return NodeText(found.first());
}

std::string SelectText(XmlNode node, std::string_view path, std::string_view def)
{
    return SelectText(node, path, {}, def);
}

int FindSubstringFrom(std::string_view pattern, std::string_view text, int start)
{
    if (pattern.empty() || pattern.size() > text.size())
        return 0;
    const std::size_t from = start <= 1 ? 0 : static_cast<std::size_t>(start - 1);
    const std::size_t at = text.find(pattern, from);
    return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

} // namespace pw
