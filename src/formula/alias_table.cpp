#include "formula/alias_table.h"

#include "formula/formula_exception.h"
#include "formula/text_case.h"

namespace pw {

AliasTable AliasTable::Standard()
{
    AliasTable t;
    t.add("FALSE", "0");
    t.add("TRUE", "1");
    t.add("DIV", "\\");
    t.add("MOD", "%");
    t.add("AND", "&");
    t.add("OR", "|");
    t.add("NOT", "!");
    t.add("BEGIN", "BLOCK(");
    t.add("END", ")");
    t.add("ENDD", "))");
    t.add("VAR", "DEFINES(");
    t.add("IF", "CONDITION(");
    t.add("THEN", ",BLOCK(");
    t.add("ELSE", "),BLOCK(");
    t.add("ENDIF", "),0)");
    t.add("WHILE", "LOOP(");
    t.add("DO", ",BLOCK(");
    t.add("WEND", "))");
    t.add("FOR", "SERIES(");
    t.add("NEXT", "))");
    t.add("REPEAT", "TILL(BLOCK(");
    t.add("UNTIL", "),");
    return t;
}

void AliasTable::add(std::string_view name, std::string_view value)
{
    std::string upper = AsciiUpper(name);
    if (find(upper))
        throw FormulaException("Constant already defined");
    m_items.push_back(TConstItem {std::move(upper), std::string(value)});
}

const std::string *AliasTable::find(std::string_view upperName) const
{
    for (const TConstItem &item : m_items)
        if (item.name == upperName)
            return &item.value;
    return nullptr;
}

} // namespace pw
