#include "platform/text_format.h"

namespace pw {

namespace {

bool isMark(std::string_view text, std::size_t i)
{
    return text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9';
}

} // namespace

std::string FormatText(std::string_view pattern, const std::vector<std::string> &arguments)
{
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (isMark(pattern, i)) {
            const auto n = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (n < arguments.size()) {
                out += arguments[n];
                ++i;
                continue;
            }
        }
        out += pattern[i];
    }
    return out;
}

std::optional<std::vector<std::string>> MatchText(std::string_view pattern, std::string_view text)
{
    std::vector<std::string> arguments;
    std::size_t p = 0;
    std::size_t t = 0;
    while (p < pattern.size()) {
        if (!isMark(pattern, p)) {
            if (t >= text.size() || text[t] != pattern[p])
                return std::nullopt;
            ++p;
            ++t;
            continue;
        }
        const auto n = static_cast<std::size_t>(pattern[p + 1] - '1');
        p += 2;
        // The literal after the mark, up to the next mark or the end.
        std::size_t literalEnd = p;
        while (literalEnd < pattern.size() && !isMark(pattern, literalEnd))
            ++literalEnd;
        const std::string_view literal = pattern.substr(p, literalEnd - p);
        std::size_t end = text.size();
        if (!literal.empty()) {
            // The last literal of the pattern must end the text; an inner one is the first found.
            end = literalEnd == pattern.size()
                ? (text.size() >= literal.size() && text.ends_with(literal) ? text.size() - literal.size()
                                                                            : std::string_view::npos)
                : text.find(literal, t);
            if (end == std::string_view::npos || end < t)
                return std::nullopt;
        } else if (literalEnd < pattern.size()) {
            return std::nullopt;
        }
        if (arguments.size() <= n)
            arguments.resize(n + 1);
        arguments[n] = std::string(text.substr(t, end - t));
        t = end;
    }
    if (t != text.size())
        return std::nullopt;
    return arguments;
}

} // namespace pw
