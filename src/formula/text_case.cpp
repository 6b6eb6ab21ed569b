#include "formula/text_case.h"

namespace pw {

std::string AsciiUpper(std::string_view s)
{
    std::string out(s);
    for (char &c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

namespace {

// Cyrillic capitals are U+0400-U+042F, small letters U+0430-U+045F: U+0410-U+042F pair with
// U+0430-U+044F, U+0400-U+040F with U+0450-U+045F.
unsigned cyrillicUpper(unsigned cp)
{
    if (cp >= 0x430 && cp <= 0x44F)
        return cp - 0x20;
    if (cp >= 0x450 && cp <= 0x45F)
        return cp - 0x50;
    return cp;
}

unsigned cyrillicLower(unsigned cp)
{
    if (cp >= 0x410 && cp <= 0x42F)
        return cp + 0x20;
    if (cp >= 0x400 && cp <= 0x40F)
        return cp + 0x50;
    return cp;
}

template<typename Ascii, typename Cyrillic>
std::string convert(std::string_view s, Ascii ascii, Cyrillic cyrillic)
{
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto b = static_cast<unsigned char>(s[i]);
        const bool twoByte = (b == 0xD0 || b == 0xD1) && i + 1 < s.size()
            && (static_cast<unsigned char>(s[i + 1]) & 0xC0) == 0x80;
        if (!twoByte) {
            out.push_back(ascii(s[i]));
            continue;
        }
        const unsigned cp = ((b & 0x1Fu) << 6) | (static_cast<unsigned char>(s[i + 1]) & 0x3Fu);
        const unsigned mapped = cyrillic(cp);
        out.push_back(static_cast<char>(0xC0 | (mapped >> 6)));
        out.push_back(static_cast<char>(0x80 | (mapped & 0x3F)));
        ++i;
    }
    return out;
}

} // namespace

std::string TextUpper(std::string_view s)
{
    return convert(
        s, [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }, cyrillicUpper);
}

std::string TextLower(std::string_view s)
{
    return convert(
        s, [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }, cyrillicLower);
}

} // namespace pw
