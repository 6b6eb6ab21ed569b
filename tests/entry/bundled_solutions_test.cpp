// Every harmony exercise of the bundled course can be solved: a model solution, played note by note
// as a student plays it, completes every part without an error and earns the mark 5, in every key
// and with every part the exercise may draw.

#include "support/entry_fixture.h"

#include "document/xml_access.h"
#include "document/xml_file.h"
#include "entry/play_table.h"
#include "harmony/harmony_check.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <set>

using namespace pw;

namespace {

struct Chord
{
    int bass, tenor, alto, soprano;
    int length = 8;
    bool dotted = false;

    int pitch(int voice) const
    {
        const int pitches[] = {bass, tenor, alto, soprano};
        return pitches[voice];
    }
};

using PartSolution = std::vector<Chord>;

// Stored pitches, as the exercise file writes them (C major, A minor); one entry per Part element.
struct Solution
{
    const char *file;
    std::vector<PartSolution> parts;
};

// Writes a progression of four-part chords of one length with a last chord of its own.
PartSolution Chords(const std::vector<std::array<int, 4>> &chords, int lastLength = 8,
                    bool lastDotted = false)
{
    PartSolution out;
    for (const auto &[b, t, a, s] : chords)
        out.push_back({b, t, a, s});
    out.back().length = lastLength;
    out.back().dotted = lastDotted;
    return out;
}

// T S D T | S D T in close position over the bass, the last chord a half.
PartSolution MinorCadences(const std::array<int, 7> &bass, const std::array<int, 3> &t,
                           const std::array<int, 3> &s, const std::array<int, 3> &d)
{
    const std::array<std::array<int, 3>, 7> upper {t, s, d, t, s, d, t};
    std::vector<std::array<int, 4>> chords;
    for (std::size_t i = 0; i < bass.size(); ++i)
        chords.push_back({bass[i], upper[i][0], upper[i][1], upper[i][2]});
    return Chords(chords, 4);
}

PartSolution Melody(const std::vector<int> &soprano)
{
    std::vector<std::array<int, 4>> chords;
    for (int s : soprano)
        chords.push_back({0, 0, 0, s});
    return Chords(chords);
}

const std::vector<Solution> &Solutions()
{
    static const std::vector<Solution> solutions {
        {"Chromo-major-bemol.xml",
         {Chords({{24, 31, 36, 40},
                  {17, 33, 36, 41},
                  {19, 31, 35, 38},
                  {24, 31, 36, 40},
                  {17, 33, 36, 41},
                  {19, 31, 35, 38},
                  {12, 31, 36, 40}},
                 4),
          Chords({{12, 31, 36, 40},
                  {7, 31, 35, 38},
                  {12, 31, 36, 40},
                  {17, 33, 36, 41},
                  {19, 31, 35, 38},
                  {7, 31, 35, 38},
                  {12, 31, 36, 40}},
                 4),
          Chords({{24, 36, 40, 43},
                  {29, 36, 41, 45},
                  {31, 35, 38, 43},
                  {24, 36, 40, 43},
                  {29, 36, 41, 45},
                  {31, 35, 38, 43},
                  {24, 36, 40, 43}},
                 4)}},
        {"Melody-degrees.xml",
         {Melody({36, 35, 36, 38, 40, 41, 43, 48}), Melody({24, 26, 27, 29, 31, 32, 35, 36})}},
        {"Free-writing-major.xml",
         {Chords({{12, 24, 28, 31},
                  {17, 24, 29, 33},
                  {19, 23, 26, 31},
                  {12, 24, 28, 31},
                  {17, 24, 29, 33},
                  {19, 23, 26, 31},
                  {12, 24, 28, 31}},
                 4)}},
        {"Positions-major.xml",
         {Chords({{12, 31, 36, 40},
                  {17, 33, 36, 41},
                  {19, 31, 35, 38},
                  {12, 31, 36, 40},
                  {16, 31, 36, 43},
                  {17, 33, 36, 41},
                  {19, 31, 35, 38},
                  {12, 31, 36, 40}})}},
        {"Upbeat-bass.xml", {[] {
             PartSolution part = Chords({{24, 31, 36, 40},
                                         {17, 33, 36, 41},
                                         {19, 31, 35, 38},
                                         {16, 31, 36, 43},
                                         {17, 33, 36, 41},
                                         {19, 31, 35, 38},
                                         {24, 31, 36, 40}},
                                        4, true);
             part[1].length = 4;
             return part;
         }()}},
        {"Random-keys-bass.xml",
         {Chords({{24, 31, 36, 40},
                  {23, 31, 38, 43},
                  {24, 31, 36, 40},
                  {29, 33, 36, 41},
                  {28, 31, 36, 43},
                  {21, 33, 36, 41},
                  {19, 35, 38, 43},
                  {24, 36, 40, 43}})}},
        {"Soprano-minor.xml",
         {Chords({{24, 36, 43, 51},
                  {29, 36, 44, 53},
                  {31, 35, 43, 50},
                  {24, 36, 43, 51},
                  {24, 39, 43, 48},
                  {29, 41, 44, 48},
                  {31, 38, 43, 47},
                  {24, 39, 43, 48}})}},
        {"Timed-minor-cadences.xml",
         {MinorCadences({24, 29, 31, 24, 29, 31, 24}, {39, 43, 48}, {41, 44, 48}, {38, 43, 47}),
          MinorCadences({24, 29, 31, 24, 29, 31, 24}, {36, 39, 43}, {36, 41, 44}, {35, 38, 43}),
          MinorCadences({24, 17, 19, 24, 17, 19, 12}, {31, 36, 39}, {32, 36, 41}, {31, 35, 38})}},
        {"Sixth-chords-soprano.xml",
         {Chords({{24, 31, 36, 40},
                  {23, 31, 38, 43},
                  {24, 31, 36, 40},
                  {21, 33, 36, 41},
                  {19, 35, 38, 43},
                  {16, 31, 36, 43},
                  {17, 33, 36, 41},
                  {19, 31, 35, 38},
                  {24, 31, 36, 40}},
                 2)}},
        {"Exam-soprano.xml",
         {Chords({{24, 31, 36, 40},
                  {21, 33, 36, 41},
                  {19, 35, 38, 43},
                  {24, 36, 40, 43},
                  {28, 36, 43, 48},
                  {29, 36, 41, 45},
                  {31, 35, 38, 43},
                  {24, 36, 40, 43}})}},
    };
    return solutions;
}

// The notes the file gives in voice h of a part, for comparing with the model solution.
std::vector<int> givenPitches(XmlNode part, int h)
{
    std::vector<int> pitches;
    for (XmlNode voice : part.children("Voice")) {
        if (GetAttr(voice, "Type").empty() && GetAttrInt(voice, "H", 0) == h) {
            for (XmlNode note : voice.children("Note"))
                pitches.push_back(GetAttrInt(note, "High", -1));
        }
    }
    return pitches;
}

class BundledSolutions : public EntryFixture
{
protected:
    // Plays the model solution of every part of the run, part after part, voice by voice.
    void playRun(const Solution &solution)
    {
        for (int p = 0; p < exercise->PartCount(); ++p) {
            ASSERT_EQ(exercise->CurPart, p);
            const ExercisePart &part = exercise->part(p);
            ASSERT_LT(part.Order, static_cast<int>(solution.parts.size()));
            const PartSolution &chords = solution.parts[static_cast<std::size_t>(part.Order)];
            for (int h = 0; h < 4; ++h) {
                if (part.VoiceFree[static_cast<std::size_t>(h)] || !NoteVoice(part.Node, h))
                    continue;
                std::vector<int> model;
                for (const Chord &c : chords)
                    model.push_back(c.pitch(h));
                EXPECT_EQ(givenPitches(part.Node, h), model)
                    << "part " << part.Order << ", given voice " << h;
            }
            for (const Chord &chord : chords) {
                for (int h = 0; h < 4; ++h) {
                    if (!part.VoiceFree[static_cast<std::size_t>(h)])
                        continue;
                    ASSERT_EQ(voice(), h) << "part " << part.Order;
                    exercise->SetLength(chord.length, chord.dotted ? 1 : 0);
                    ASSERT_EQ(play(MidiFromPitch(chord.pitch(h), part.Tonality)), 0)
                        << "part " << part.Order << ", voice " << h << ", pitch " << chord.pitch(h);
                }
            }
            EXPECT_TRUE(exercise->part(p).Done) << "part " << part.Order;
            EXPECT_EQ(exercise->part(p).Errors, 0) << "part " << part.Order;
            if (p + 1 < exercise->PartCount())
                entry->PartDown();
        }
    }

    // Every attempt of the series solved; k chooses every random draw (parts, keys).
    void solveSeries(const Solution &solution, int k, std::set<std::string> &keysSeen)
    {
        random.values.assign(64, k);
        const std::string text = read(std::filesystem::path(PARTWRITER_BUNDLED_DATA) / "xml" / solution.file);
        ASSERT_TRUE(load(solution.file, text)) << solution.file;
        ASSERT_GT(task.Iterations, 0) << solution.file << " is not marked";
        for (int attempt = 0; attempt < task.Iterations; ++attempt) {
            if (attempt > 0) {
                ASSERT_TRUE(exercise->ReloadExercise());
            }
            for (const ExercisePart &part : exercise->Parts)
                keysSeen.insert(std::to_string(part.Order) + ":" + std::to_string(part.Tonality.type) + ","
                                + std::to_string(part.Tonality.val));
            playRun(solution);
            EXPECT_TRUE(IterationSucceeded(*exercise)) << "attempt " << attempt;
            CloseIteration(*exercise, task);
        }
        EXPECT_EQ(task.MarkText(), "5");
        EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;
    }
};

} // namespace

TEST_F(BundledSolutions, EveryModelSolutionEarnsTheMarkFiveInEveryKeyAndPart)
{
    for (const Solution &solution : Solutions()) {
        SCOPED_TRACE(solution.file);
        std::set<std::string> keysSeen;
        // Four draws of each choice cover the parts drawn and the keys of CasualTonality="2".
        for (int k = 0; k < 4; ++k) {
            SCOPED_TRACE("draw " + std::to_string(k));
            solveSeries(solution, k, keysSeen);
        }
        const std::string text = read(std::filesystem::path(PARTWRITER_BUNDLED_DATA) / "xml" / solution.file);
        pugi::xml_document doc;
        ASSERT_TRUE(doc.load_string(text.c_str()));
        const XmlNode root = doc.child("MExercise");
        const int parts
            = static_cast<int>(std::distance(root.children("Part").begin(), root.children("Part").end()));
        EXPECT_EQ(static_cast<int>(solution.parts.size()), parts);
        const int keys = std::max(1, 2 * GetAttrInt(root, "CasualTonality", 0));
        EXPECT_EQ(static_cast<int>(keysSeen.size()), keys * parts) << "every part in every key";
    }
}

// A new exercise in the course comes with its model solution here.
TEST(BundledSolutionsList, CoversEveryHarmonyExerciseOfTheMenu)
{
    pugi::xml_document menu;
    ASSERT_TRUE(LoadXmlFile(menu, std::filesystem::path(PARTWRITER_BUNDLED_DATA) / "xml" / "Menu.xml"));
    std::set<std::string> inMenu;
    for (const pugi::xpath_node &item : menu.select_nodes("//Item[@Type='MusHarmonyExercise']"))
        inMenu.insert(GetAttr(item.node(), "File"));
    // The worked example has nothing left to write, and the template is for authors.
    std::set<std::string> expected {"xml\\Cadence-example.xml", "xml\\empty.xml"};
    for (const Solution &solution : Solutions())
        expected.insert(std::string("xml\\") + solution.file);
    EXPECT_EQ(inMenu, expected);
}
