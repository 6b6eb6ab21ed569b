#pragma once

// The links and pictures of an HTML page, as the page pane follows and loads them.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

struct PageLink
{
    // "href" or "src".
    std::string attribute;
    // The value with its character references decoded.
    std::string value;
    int line = 1;
};

// Every href and src attribute of the page's tags, in page order; comments are skipped.
std::vector<PageLink> PageLinks(std::string_view html);

// The file a link names, relative to its page (or absolute): without its #anchor or ?query and
// with %XX decoded. None for a link that leaves the course (a scheme such as http:, https:,
// mailto:) or stays on its page (an anchor only).
std::optional<std::string> LinkedFile(std::string_view link);

} // namespace pw
