#pragma once

// The music of the four-voice chord definitions: which triads a key has, how each inversion
// doubles its members, and how the three upper voices may be spaced.

#include <array>
#include <string>
#include <vector>

namespace pwgen {

enum class Member { Root, Third, Fifth };

// A primary triad of a key as pitch classes counted from the reference tonic (C in major, A in
// minor).
struct Triad
{
    std::string function; // "T", "S" or "D"
    int root;
    int third;
    int fifth;

    int pitchClass(Member m) const;
    bool contains(int pitchClass) const;
    // The member of a pitch class; the class must belong to the triad.
    Member memberOf(int pitchClass) const;
};

struct Mode
{
    std::string name; // group and definition name
    int tonalityType; // 1 major, 0 minor
    std::array<Triad, 3> triads;
};

// C major and A minor (harmonic: the dominant is major, with the raised leading tone).
const Mode &MajorMode();
const Mode &MinorMode();

// The raised seventh degree in both modes (B in C major, G sharp in A minor), never doubled.
inline constexpr int LeadingTone = 11;

// An inversion: which member the bass takes and which members the upper voices may carry.
struct Inversion
{
    std::string descriptor; // the S descriptor: "T" root position, "6" sixth, "K" six-four
    std::string labelSuffix; // "", "|6", "|6|4"
    Member bass;
    std::vector<std::array<Member, 3>> upperMembers; // allowed doublings, as multisets
    // Doublings of the bass's own member, allowed unless the bass is the leading tone.
    std::vector<std::array<Member, 3>> bassDoubled = {};
};

const std::vector<Inversion> &Inversions();

// One four-voice shape after normalisation: the bass as pitch class, the upper voices as a block
// whose lowest voice lies in 0..11.
struct Shape
{
    std::array<int, 4> pitches; // bass, tenor, alto, soprano
    std::string spacing; // the L descriptor: "N" close, "W" open, "M" mixed
    std::string melodicPosition; // the M descriptor: "1", "3", "5"
};

// Every spacing of the triad in the inversion that the rules allow, tenor lowest first.
std::vector<Shape> ShapesOf(const Triad &triad, const Inversion &inversion);

} // namespace pwgen
