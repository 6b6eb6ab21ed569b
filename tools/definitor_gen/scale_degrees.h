#pragma once

// The one-voice definitions: every degree of the scale named by its function, for melody
// exercises.

#include <string>
#include <vector>

namespace pwgen {

struct DegreeName
{
    std::string label; // "T", "S||II", ...: the degree goes to the lower index
    int major; // pitch class in C major
    int minor; // pitch class in A harmonic minor
};

// I T, II S, III T, IV S, V D, VI TS, VII D (in minor the raised leading tone).
const std::vector<DegreeName> &DegreeNames();

} // namespace pwgen
