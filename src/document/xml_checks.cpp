#include "document/xml_checks.h"

#include "platform/text_format.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <unordered_set>
#include <vector>

namespace pw {

namespace {

std::string atLine(std::string_view text, std::size_t offset, std::string_view pattern,
                   std::vector<std::string> values = {})
{
    values.insert(values.begin(), std::to_string(LineAt(text, offset)));
    return FormatText(pattern, values);
}

// The length of the UTF-8 sequence at i, or 0 when it is not one (overlong forms, surrogates and
// values above U+10FFFF included).
std::size_t sequenceLength(std::string_view text, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    std::uint32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07u;
    } else {
        return 0;
    }
    if (i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0u) != 0x80u)
            return 0;
        code = (code << 6) | (byte(i + k) & 0x3Fu);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (overlong || surrogate || code > 0x10FFFF)
        return 0;
    return length;
}

// Characters XML 1.0 allows.
bool isXmlChar(std::uint32_t code)
{
    return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF)
        || (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}

// The value of a character reference body ("#65", "#x41"), or nothing.
bool referenceValue(std::string_view body, std::uint32_t &code)
{
    if (body.size() < 2 || body[0] != '#')
        return false;
    const bool hex = body[1] == 'x';
    const std::string_view digits = body.substr(hex ? 2 : 1);
    if (digits.empty() || digits.size() > 8)
        return false;
    std::uint64_t value = 0;
    for (char c : digits) {
        int d = -1;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (hex && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        if (d < 0)
            return false;
        value = value * (hex ? 16 : 10) + static_cast<std::uint64_t>(d);
    }
    code = value > 0x10FFFF ? 0xFFFFFFFFu : static_cast<std::uint32_t>(value);
    return true;
}

// Where the markup that starts at i ends (just past it), for the kinds whose contents are not
// text: comments, CDATA, processing instructions, and the document type declaration with its
// internal subset.
std::size_t skippedMarkupEnd(std::string_view text, std::size_t i)
{
    const auto until = [&](std::string_view close) {
        const std::size_t end = text.find(close, i);
        return end == std::string_view::npos ? text.size() : end + close.size();
    };
    const std::string_view rest = text.substr(i);
    if (rest.starts_with("<!--"))
        return until("-->");
    if (rest.starts_with("<![CDATA["))
        return until("]]>");
    if (rest.starts_with("<?"))
        return until("?>");
    if (rest.starts_with("<!DOCTYPE")) {
        int brackets = 0;
        for (std::size_t k = i; k < text.size(); ++k) {
            if (text[k] == '[')
                ++brackets;
            else if (text[k] == ']')
                --brackets;
            else if (text[k] == '>' && brackets <= 0)
                return k + 1;
        }
        return text.size();
    }
    return i;
}

std::string hexCode(std::uint32_t code)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(code));
    return buffer;
}

} // namespace

int LineAt(std::string_view text, std::size_t offset)
{
    offset = std::min(offset, text.size());
    return 1
        + static_cast<int>(
               std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
}

std::string Utf8Problem(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = sequenceLength(text, i);
        if (length == 0)
            return atLine(text, i, "строка %1: недопустимая последовательность UTF-8");
        i += length;
    }
    return {};
}

namespace {

// The problem of the character at i of text or of an attribute value, if any; otherwise i moves
// past it (past the whole reference for "&").
std::string characterProblem(std::string_view text, std::size_t &i)
{
    static constexpr std::string_view predefined[] = {"lt", "gt", "amp", "apos", "quot"};
    const char c = text[i];
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 && c != '\t' && c != '\n' && c != '\r')
        return atLine(text, i, "строка %1: недопустимый символ %2", {hexCode(byte)});
    if (c != '&') {
        ++i;
        return {};
    }
    const std::size_t semicolon = text.find(';', i);
    const std::size_t stop = text.find_first_of("<&\"' \t\r\n", i + 1);
    if (semicolon == std::string_view::npos || (stop != std::string_view::npos && stop < semicolon))
        return atLine(text, i, "строка %1: знак «&» без ссылки");
    const std::string_view body = text.substr(i + 1, semicolon - i - 1);
    std::uint32_t code = 0;
    if (body.starts_with('#')) {
        if (!referenceValue(body, code) || !isXmlChar(code))
            return atLine(text, i, "строка %1: недопустимый символ «%2»", {"&" + std::string(body) + ";"});
    } else if (std::find(std::begin(predefined), std::end(predefined), body) == std::end(predefined)) {
        return atLine(text, i, "строка %1: неизвестная ссылка «%2»", {"&" + std::string(body) + ";"});
    }
    i = semicolon + 1;
    return {};
}

// An element's tag from its "<": attribute values are checked as text is, and hold no "<" (which
// would otherwise be taken for the start of markup and hide what follows). Returns the problem,
// with i past the tag when there is none.
std::string tagProblem(std::string_view text, std::size_t &i)
{
    char quote = 0;
    for (++i; i < text.size();) {
        const char c = text[i];
        if (quote) {
            if (c == quote) {
                quote = 0;
                ++i;
            } else if (c == '<') {
                return atLine(text, i, "строка %1: знак «<» в значении атрибута");
            } else if (std::string problem = characterProblem(text, i); !problem.empty()) {
                return problem;
            }
            continue;
        }
        ++i;
        if (c == '"' || c == '\'')
            quote = c;
        else if (c == '>')
            break;
    }
    return {};
}

} // namespace

std::string MarkupProblem(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        std::string problem;
        if (text[i] != '<') {
            problem = characterProblem(text, i);
        } else if (const std::size_t end = skippedMarkupEnd(text, i); end > i) {
            i = end;
        } else {
            problem = tagProblem(text, i);
        }
        if (!problem.empty())
            return problem;
    }
    return {};
}

std::string TreeProblem(const pugi::xml_document &doc, std::string_view text)
{
    // Iterative, so that the walk itself needs no stack for a deep file.
    pugi::xml_node node = doc.first_child();
    int depth = node ? 1 : 0;
    std::unordered_set<std::string_view> names;
    while (node) {
        if (node.type() == pugi::node_element) {
            if (depth > MaxXmlDepth)
                return atLine(text, static_cast<std::size_t>(node.offset_debug()),
                              "строка %1: элементы вложены глубже %2 уровней", {std::to_string(MaxXmlDepth)});
            names.clear();
            for (pugi::xml_attribute a : node.attributes()) {
                if (!names.insert(a.name()).second)
                    return atLine(text, static_cast<std::size_t>(node.offset_debug()),
                                  "строка %1: атрибут «%2» повторяется", {a.name()});
            }
        }
        if (node.first_child()) {
            node = node.first_child();
            ++depth;
            continue;
        }
        while (node && !node.next_sibling()) {
            node = node.parent();
            --depth;
        }
        if (node)
            node = node.next_sibling();
    }
    return {};
}

std::string ParseStatusText(pugi::xml_parse_status status)
{
    switch (status) {
    case pugi::status_out_of_memory:
        return "не хватает памяти";
    case pugi::status_unrecognized_tag:
        return "нераспознанная разметка";
    case pugi::status_bad_pi:
        return "неверная инструкция обработки";
    case pugi::status_bad_comment:
        return "неверный комментарий";
    case pugi::status_bad_cdata:
        return "неверный раздел CDATA";
    case pugi::status_bad_doctype:
        return "неверное объявление типа документа";
    case pugi::status_bad_pcdata:
        return "неверный текст";
    case pugi::status_bad_start_element:
        return "неверный открывающий тег";
    case pugi::status_bad_attribute:
        return "неверный атрибут";
    case pugi::status_bad_end_element:
        return "неверный закрывающий тег";
    case pugi::status_end_element_mismatch:
        return "закрывающий тег не совпадает с открывающим";
    case pugi::status_no_document_element:
        return "в файле нет ни одного элемента";
    default:
        return "ошибка разбора";
    }
}

} // namespace pw
