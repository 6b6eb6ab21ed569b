#pragma once

// The time layout of one exercise part as notation writes it: every length in ticks, the measures
// the time signature and the upbeat give, and each voice cut at the bar lines into written values.
// The measures are the time signature's, not the measure index's: a note that runs past a bar
// line (note entry lets one in) is tied over it here instead of merging the measures.

#include "document/xml_access.h"

#include <vector>

namespace pw {

// A tick is 1/256 of the file's unit (a breve): every length code from 1 to 128, dotted or not, and
// every measure a time signature of the file can give is a whole number of ticks.
inline constexpr int TicksPerUnit = 256;
inline constexpr int TicksPerQuarter = TicksPerUnit / 8;

// A written value: a length code as in the file (8 a quarter), down to 256 (a 128th) for the
// pieces a bar line leaves, with or without a dot.
struct NoteValue
{
    int length = 8;
    bool dotted = false;

    bool operator==(const NoteValue &) const = default;
};

int ValueTicks(const NoteValue &value);
// The ticks of a note of that code; 0 for a head without a duration (code 0).
int NoteTicks(int length, bool dotted);
// The values that add up to ticks (above 0), longest first, each the longest that still fits:
// a note's own length and dot come back as they are.
std::vector<NoteValue> ValuesOf(int ticks);

// The measures of a part: an upbeat measure (when the part has one shorter or longer than a full
// measure) and then full measures.
struct MeasureGrid
{
    // The time signature written: beats of 1/beatType.
    int beats = 4;
    int beatType = 4;
    int upbeat = 0; // ticks of the upbeat measure, 0 without one
    int measure = 0; // ticks of a full measure

    int StartOf(int index) const;
    int EndOf(int index) const { return StartOf(index + 1); }
    // The measure that holds the tick.
    int IndexAt(int tick) const;
    // How many measures hold ticks 0 … end (one at least).
    int CountFor(int end) const;
};

// The grid of a part: its Size and its FirstTactChi / FirstTactZna. A part without a usable time
// signature is laid out in 4/4, the time signature of a new part.
MeasureGrid GridOf(XmlNode part);

// One written note of a voice: the part of a note of the file that lies in one measure and has
// one written value.
struct VoicePiece
{
    XmlNode note;
    int start = 0; // ticks from the start of the part
    NoteValue value;
    bool rest = false;
    int high = 0;
    // The note's first piece, and whether it is tied to the piece before or after it.
    bool first = true;
    bool tieStop = false;
    bool tieStart = false;

    int End() const { return start + ValueTicks(value); }
};

// The pieces of a voice's notes in time order. Heads without a duration take no time and are
// left out.
std::vector<VoicePiece> PiecesOf(XmlNode voice, const MeasureGrid &grid);

} // namespace pw
