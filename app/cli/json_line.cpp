#include "json_line.h"

namespace pwcli {

std::string JsonLine(const Json &value)
{
    std::string out;
    if (value.is_object()) {
        out += '{';
        bool first = true;
        for (const auto &[key, item] : value.items()) {
            if (!first)
                out += ", ";
            first = false;
            out += Json(key).dump() + ": " + JsonLine(item);
        }
        return out + '}';
    }
    if (value.is_array()) {
        out += '[';
        for (std::size_t i = 0; i < value.size(); ++i) {
            if (i > 0)
                out += ", ";
            out += JsonLine(value[i]);
        }
        return out + ']';
    }
    return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

} // namespace pwcli
