#include "chord_shapes.h"

#include <algorithm>
#include <stdexcept>

namespace pwgen {

namespace {

// Adjacent upper voices never lie more than an octave apart.
constexpr int MaxAdjacentDistance = 12;

int pitchClassOf(int pitch)
{
    return ((pitch % 12) + 12) % 12;
}

// How many chord tones could stand strictly between two voices.
int chordTonesBetween(const Triad &triad, int lower, int upper)
{
    int count = 0;
    for (int p = lower + 1; p < upper; ++p)
        count += triad.contains(pitchClassOf(p)) ? 1 : 0;
    return count;
}

// Close when no chord tone fits between any two adjacent upper voices, open when one fits
// between each pair (an octave between two voices counts as open), mixed otherwise.
std::string spacingOf(const Triad &triad, int tenor, int alto, int soprano)
{
    const bool lowerClose = chordTonesBetween(triad, tenor, alto) == 0;
    const bool upperClose = chordTonesBetween(triad, alto, soprano) == 0;
    if (lowerClose && upperClose)
        return "N";
    if (!lowerClose && !upperClose)
        return "W";
    return "M";
}

std::string positionName(Member m)
{
    switch (m) {
    case Member::Root:
        return "1";
    case Member::Third:
        return "3";
    case Member::Fifth:
        return "5";
    }
    return "1";
}

std::array<Member, 3> sorted(std::array<Member, 3> members)
{
    std::sort(members.begin(), members.end());
    return members;
}

} // namespace

int Triad::pitchClass(Member m) const
{
    switch (m) {
    case Member::Root:
        return root;
    case Member::Third:
        return third;
    case Member::Fifth:
        return fifth;
    }
    return root;
}

bool Triad::contains(int pc) const
{
    return pc == root || pc == third || pc == fifth;
}

Member Triad::memberOf(int pc) const
{
    if (pc == root)
        return Member::Root;
    if (pc == third)
        return Member::Third;
    if (pc == fifth)
        return Member::Fifth;
    throw std::logic_error("pitch class outside the triad");
}

const Mode &MajorMode()
{
    static const Mode mode {"TSD major", 1, {{{"T", 0, 4, 7}, {"S", 5, 9, 0}, {"D", 7, 11, 2}}}};
    return mode;
}

const Mode &MinorMode()
{
    static const Mode mode {"TSD minor", 0, {{{"T", 0, 3, 7}, {"S", 5, 8, 0}, {"D", 7, 11, 2}}}};
    return mode;
}

const std::vector<Inversion> &Inversions()
{
    using enum Member;
    static const std::vector<Inversion> inversions {
        // Root position doubles the root: the complete triad, or the tripled root with the third
        // and without the fifth.
        {"T", "", Root, {{Root, Third, Fifth}, {Root, Root, Third}}},
        // The sixth chord may double any tone but the leading tone: the root, the fifth, or its bass
        // (the third) in T and S, never in D.
        {"6", "|6", Third, {{Root, Root, Fifth}, {Root, Fifth, Fifth}}, {{Root, Third, Fifth}}},
        // The six-four chord doubles its bass, the fifth.
        {"K", "|6|4", Fifth, {{Fifth, Root, Third}}},
    };
    return inversions;
}

std::vector<Shape> ShapesOf(const Triad &triad, const Inversion &inversion)
{
    const int bass = triad.pitchClass(inversion.bass);
    std::vector<std::array<Member, 3>> allowed;
    for (const auto &members : inversion.upperMembers)
        allowed.push_back(sorted(members));
    if (bass != LeadingTone) {
        for (const auto &members : inversion.bassDoubled)
            allowed.push_back(sorted(members));
    }

    std::vector<Shape> shapes;
    // Upper voices strictly rise (no crossing, no unison), the tenor in the lowest octave.
    for (int tenor = 0; tenor < 12; ++tenor) {
        if (!triad.contains(tenor))
            continue;
        for (int alto = tenor + 1; alto <= tenor + MaxAdjacentDistance; ++alto) {
            if (!triad.contains(pitchClassOf(alto)))
                continue;
            for (int soprano = alto + 1; soprano <= alto + MaxAdjacentDistance; ++soprano) {
                if (!triad.contains(pitchClassOf(soprano)))
                    continue;
                const std::array<Member, 3> members
                    = sorted({triad.memberOf(tenor), triad.memberOf(pitchClassOf(alto)),
                              triad.memberOf(pitchClassOf(soprano))});
                if (std::find(allowed.begin(), allowed.end(), members) == allowed.end())
                    continue;
                shapes.push_back({{bass, tenor, alto, soprano},
                                  spacingOf(triad, tenor, alto, soprano),
                                  positionName(triad.memberOf(pitchClassOf(soprano)))});
            }
        }
    }
    return shapes;
}

} // namespace pwgen
