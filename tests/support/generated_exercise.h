#pragma once

// Exercise files of any size, made in memory for tests and benchmarks (no huge file is checked
// in): the format of data/xml/*.xml, one part in C major of 4/4 measures.

#include <array>
#include <string>

namespace pwtest {

// Chords of bass, tenor, alto and soprano in C major, repeated in this order: a T S D T cadence in
// close position, then faults the analysis names and explains (tenor above alto, parallel octaves
// and fifths, a leap), then the cadence again in open position.
inline constexpr std::array<std::array<int, 4>, 12> GeneratedChords {{{24, 31, 36, 40},
                                                                      {17, 33, 36, 41},
                                                                      {19, 31, 35, 38},
                                                                      {24, 31, 36, 40},
                                                                      {24, 36, 31, 40},
                                                                      {17, 29, 36, 45},
                                                                      {19, 31, 38, 47},
                                                                      {12, 28, 31, 36},
                                                                      {17, 29, 36, 45},
                                                                      {19, 31, 35, 38},
                                                                      {12, 28, 36, 43},
                                                                      {12, 28, 31, 36}}};

inline std::string GeneratedNote(int high, int length = 8)
{
    return "<Note High=\"" + std::to_string(high) + "\" Long=\"" + std::to_string(length) + "\"/>";
}

inline std::string GeneratedHead(const std::string &partAttributes)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<MExercise Def=\"TSD major\">\n<Part Key0=\"4\" "
           "Key1=\"1\" Def=\"TSD major\""
        + partAttributes + "><Tonality type=\"1\" val=\"0\"/><Size chi=\"4\" zna=\"8\"/>\n";
}

// One part of four voices (H 0 to 3) written out with chords quarter-note chords, four to a
// measure: the shape of a long chorale corpus entered as one exercise.
inline std::string ChordsExerciseXml(int chords, const std::string &partAttributes = {})
{
    std::string xml = GeneratedHead(partAttributes);
    for (int v = 0; v < 4; ++v) {
        xml += "<Voice H=\"" + std::to_string(v) + "\">";
        for (int i = 0; i < chords; ++i)
            xml += GeneratedNote(GeneratedChords[static_cast<std::size_t>(i) % GeneratedChords.size()]
                                                [static_cast<std::size_t>(v)]);
        xml += "</Voice>\n";
    }
    return xml + "</Part>\n</MExercise>\n";
}

// One part of voices Voice elements numbered H 0, 1, 2, ... each holding one measure of
// quarters (the pitches of the cadence for the voice H mod 4).
inline std::string ManyVoicesExerciseXml(int voices)
{
    std::string xml = GeneratedHead({});
    for (int h = 0; h < voices; ++h) {
        xml += "<Voice H=\"" + std::to_string(h) + "\">";
        for (std::size_t i = 0; i < 4; ++i)
            xml += GeneratedNote(GeneratedChords[i][static_cast<std::size_t>(h % 4)]);
        xml += "</Voice>\n";
    }
    return xml + "</Part>\n</MExercise>\n";
}

} // namespace pwtest
