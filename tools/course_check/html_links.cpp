#include "course_check/html_links.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

namespace pw {

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool isAlpha(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

std::string lower(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

void appendUtf8(std::string &out, unsigned long code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The character of a reference such as "amp" or "#x41", or none for one this reader does not know.
std::optional<std::string> referenced(std::string_view name)
{
    static const std::array<std::pair<std::string_view, std::string_view>, 6> named {
        {{"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}, {"nbsp", "\xC2\xA0"}}};
    for (const auto &[entity, text] : named) {
        if (entity == name)
            return std::string(text);
    }
    if (name.size() < 2 || name[0] != '#')
        return std::nullopt;
    const bool hex = name[1] == 'x' || name[1] == 'X';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    if (digits.empty() || digits.size() > 6)
        return std::nullopt;
    unsigned long code = 0;
    for (char c : digits) {
        const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
            : hex && std::isxdigit(static_cast<unsigned char>(c))
            ? std::tolower(static_cast<unsigned char>(c)) - 'a' + 10
            : -1;
        if (digit < 0)
            return std::nullopt;
        code = code * (hex ? 16 : 10) + static_cast<unsigned long>(digit);
    }
    if (code == 0 || code > 0x10FFFF)
        return std::nullopt;
    std::string out;
    appendUtf8(out, code);
    return out;
}

std::string decodeReferences(std::string_view value)
{
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '&') {
            const std::size_t end = value.find(';', i + 1);
            if (end != std::string_view::npos && end - i <= 10) {
                if (const auto text = referenced(value.substr(i + 1, end - i - 1))) {
                    out += *text;
                    i = end;
                    continue;
                }
            }
        }
        out += value[i];
    }
    return out;
}

class PageReader
{
public:
    explicit PageReader(std::string_view html)
        : m_html(html)
    {
    }

    std::vector<PageLink> links()
    {
        while (m_at < m_html.size()) {
            if (m_html.substr(m_at, 4) == "<!--") {
                const std::size_t end = m_html.find("-->", m_at + 4);
                moveTo(end == std::string_view::npos ? m_html.size() : end + 3);
            } else if (m_html[m_at] == '<' && m_at + 1 < m_html.size() && isAlpha(m_html[m_at + 1])) {
                readTag();
            } else {
                moveTo(m_at + 1);
            }
        }
        return std::move(m_links);
    }

private:
    // Moves on, counting the lines passed.
    void moveTo(std::size_t at)
    {
        at = std::min(at, m_html.size());
        m_line += static_cast<int>(std::count(m_html.begin() + static_cast<std::ptrdiff_t>(m_at),
                                              m_html.begin() + static_cast<std::ptrdiff_t>(at), '\n'));
        m_at = at;
    }
    bool atEnd() const { return m_at >= m_html.size(); }
    char current() const { return m_html[m_at]; }
    void skipSpace()
    {
        while (!atEnd() && isSpace(current()))
            moveTo(m_at + 1);
    }
    std::string_view readWhile(bool (*keep)(char))
    {
        const std::size_t start = m_at;
        while (!atEnd() && keep(current()))
            moveTo(m_at + 1);
        return m_html.substr(start, m_at - start);
    }

    void readTag()
    {
        moveTo(m_at + 1);
        readWhile([](char c) { return !isSpace(c) && c != '>' && c != '/'; });
        for (;;) {
            skipSpace();
            if (atEnd())
                return;
            if (current() == '>') {
                moveTo(m_at + 1);
                return;
            }
            if (current() == '/') {
                moveTo(m_at + 1);
                continue;
            }
            const std::string name
                = lower(readWhile([](char c) { return !isSpace(c) && c != '=' && c != '>' && c != '/'; }));
            skipSpace();
            if (atEnd() || current() != '=')
                continue;
            moveTo(m_at + 1);
            skipSpace();
            const int line = m_line;
            std::string_view value;
            if (!atEnd() && (current() == '"' || current() == '\'')) {
                const char quote = current();
                const std::size_t end = m_html.find(quote, m_at + 1);
                const std::size_t stop = end == std::string_view::npos ? m_html.size() : end;
                value = m_html.substr(m_at + 1, stop - m_at - 1);
                moveTo(stop + 1);
            } else {
                value = readWhile([](char c) { return !isSpace(c) && c != '>'; });
            }
            if (name == "href" || name == "src")
                m_links.push_back(PageLink {name, decodeReferences(value), line});
        }
    }

    std::string_view m_html;
    std::size_t m_at = 0;
    int m_line = 1;
    std::vector<PageLink> m_links;
};

int hexValue(char c)
{
    if (std::isdigit(static_cast<unsigned char>(c)))
        return c - '0';
    if (std::isxdigit(static_cast<unsigned char>(c)))
        return std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
    return -1;
}

// Whether the link starts with a URL scheme: a letter, then letters, digits, "+", "-" or ".", then ":".
bool hasScheme(std::string_view link)
{
    if (link.empty() || !isAlpha(link[0]))
        return false;
    for (char c : link) {
        if (c == ':')
            return true;
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.')
            return false;
    }
    return false;
}

} // namespace

std::vector<PageLink> PageLinks(std::string_view html)
{
    return PageReader(html).links();
}

std::optional<std::string> LinkedFile(std::string_view link)
{
    while (!link.empty() && isSpace(link.front()))
        link.remove_prefix(1);
    while (!link.empty() && isSpace(link.back()))
        link.remove_suffix(1);
    if (hasScheme(link))
        return std::nullopt;
    link = link.substr(0, link.find_first_of("#?"));
    if (link.empty())
        return std::nullopt;
    std::string file;
    for (std::size_t i = 0; i < link.size(); ++i) {
        if (link[i] == '%' && i + 2 < link.size() && hexValue(link[i + 1]) >= 0
            && hexValue(link[i + 2]) >= 0) {
            file += static_cast<char>(hexValue(link[i + 1]) * 16 + hexValue(link[i + 2]));
            i += 2;
        } else {
            file += link[i];
        }
    }
    return file;
}

} // namespace pw
