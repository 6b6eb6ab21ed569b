#pragma once

// Assembles the bundled rule base, data/xml/definitor.xml, from the rules in code.

#include <string>

namespace pwgen {

// The rule file's text exactly as the generator writes it.
std::string RuleBaseText();

} // namespace pwgen
