#include "scale_degrees.h"

namespace pwgen {

const std::vector<DegreeName> &DegreeNames()
{
    static const std::vector<DegreeName> names {
        {"T", 0, 0}, {"S||II", 2, 2},  {"T||III", 4, 3},   {"S", 5, 5},
        {"D", 7, 7}, {"TS||VI", 9, 8}, {"D||VII", 11, 11},
    };
    return names;
}

} // namespace pwgen
