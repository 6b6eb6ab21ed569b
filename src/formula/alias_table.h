#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pw {

// A keyword that the lexer replaces by its text before reading on.
struct TConstItem
{
    std::string name; // upper case
    std::string value;
};

class AliasTable
{
public:
    // The keywords of the statement forms, the logic words and the truth values.
    static AliasTable Standard();

    // Fails with "Constant already defined" when the name is taken.
    void add(std::string_view name, std::string_view value);
    // The replacement for an upper-case identifier, or nullptr.
    const std::string *find(std::string_view upperName) const;
    std::size_t size() const { return m_items.size(); }

private:
    std::vector<TConstItem> m_items;
};

} // namespace pw
