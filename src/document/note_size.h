#pragma once

#include "document/xml_access.h"

namespace pw {

// An exact duration Count/Unit over the length codes (a note of code L lasts 1/L; 4/8 is a 4/4
// measure). 0/0 is the empty duration.
class NSize
{
public:
    NSize() = default;
    NSize(int count, int unit)
        : Count(count)
        , Unit(unit)
    {
    }
    // 0/0 plus the note's length.
    explicit NSize(XmlNode note);

    // Adds the note's Long (default 0), dotted when its P is above 0.
    int AddNote(XmlNode note);
    // Adds 1/L, or 3/(2L) when dotted. Returns 0, or -2 when the sum cannot be kept on the
    // current unit (does not happen with power-of-two codes). L = 0 adds nothing.
    int AddLength(int length, bool dotted);
    void Clear() { Count = Unit = 0; }
    // 1 when this is shorter than other, 0 when equal, -1 when longer.
    int CompareTo(const NSize &other) const;

    bool operator==(const NSize &) const = default;

    int Count = 0;
    int Unit = 0;
};

} // namespace pw
