#pragma once

#include <nlohmann/json.hpp>

#include <string>

namespace pwcli {

using Json = nlohmann::ordered_json;

// The value on one line with ", " and ": " separators, keys in insertion order, text as UTF-8.
std::string JsonLine(const Json &value);

} // namespace pwcli
