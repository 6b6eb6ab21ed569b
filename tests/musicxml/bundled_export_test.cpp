// Every exercise of the bundled course, exported with its analysis in both languages and read
// back as a notation program reads it.

#include "musicxml/export_checks.h"

#include "support/exercise_document.h"

#include "config/localization.h"
#include "document/exercise_nodes.h"
#include "document/xml_file.h"
#include "harmony/definitor.h"
#include "harmony/part_analysis.h"
#include "musicxml/musicxml_export.h"

#include <gtest/gtest.h>

namespace {

using namespace pw;

const std::filesystem::path kData = PARTWRITER_BUNDLED_DATA;

// The exercise files of the course: the files of xml/ whose root is an exercise.
std::vector<std::filesystem::path> bundledExercises()
{
    std::vector<std::filesystem::path> files;
    for (const auto &entry : std::filesystem::directory_iterator(kData / "xml")) {
        pugi::xml_document doc;
        if (entry.path().extension() == ".xml" && LoadXmlFile(doc, entry.path())
            && std::string_view(doc.document_element().name()) == "MExercise")
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

class BundledExport : public ExerciseFixture
{
protected:
    bool loadBundled(const std::filesystem::path &file)
    {
        task.Iterations = -1;
        return exercise->LoadExercise(file.string(), &task, false);
    }
};

TEST_F(BundledExport, TheCourseHasItsExercises)
{
    const auto files = bundledExercises();
    EXPECT_GE(files.size(), 5u);
    EXPECT_NE(std::find(files.begin(), files.end(), kData / "xml" / "Cadence-example.xml"), files.end());
}

TEST_F(BundledExport, EveryExerciseReadsBackWithItsAnalysisInBothLanguages)
{
    for (const std::string language : {"Russian", "English"}) {
        for (const std::filesystem::path &file : bundledExercises()) {
            SCOPED_TRACE(file.filename().string() + " in " + language);
            ASSERT_TRUE(loadBundled(file));
            TMusDefinitor definitor(kData / "xml" / "definitor.xml", ui, language);
            AnalyseWrittenExercise(*exercise, definitor);
            Localization texts;
            texts.Load(kData, language);
            MusicXmlOptions options;
            options.analysis = &definitor;
            options.texts = MusicXmlTextsOf(texts);
            const pwtest::ReadScore score = pwtest::ReadMusicXml(MusicXmlText(*exercise, options));
            pwtest::ExpectScoreOf(*exercise, score, &definitor);
            EXPECT_EQ(score.partName, language == "English" ? "Choir" : "Хор");
            ASSERT_FALSE(score.sections.empty());
            EXPECT_EQ(score.sections.front().words, language == "English" ? "Exercise 1" : "Упражнение 1");
        }
    }
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;
}

TEST_F(BundledExport, WithoutTheAnalysisNoLyricsAreWritten)
{
    for (const std::filesystem::path &file : bundledExercises()) {
        SCOPED_TRACE(file.filename().string());
        ASSERT_TRUE(loadBundled(file));
        const pwtest::ReadScore score = pwtest::ReadMusicXml(MusicXmlText(*exercise, {}));
        pwtest::ExpectScoreOf(*exercise, score, nullptr);
    }
}

// The worked cadence as a teacher sees it: chord names, steps in each language.
TEST_F(BundledExport, TheCadenceCarriesItsLabelsUnderTheBass)
{
    for (const auto &[language, harmonic, melodic] :
         {std::tuple {"Russian", "гарм.", "мелод."}, std::tuple {"English", "harm.", "melod."}}) {
        SCOPED_TRACE(language);
        ASSERT_TRUE(loadBundled(kData / "xml" / "Cadence-example.xml"));
        TMusDefinitor definitor(kData / "xml" / "definitor.xml", ui, language);
        AnalyseWrittenExercise(*exercise, definitor);
        MusicXmlOptions options;
        options.analysis = &definitor;
        const pwtest::ReadScore score = pwtest::ReadMusicXml(MusicXmlText(*exercise, options));
        std::vector<std::map<int, std::string>> bass;
        for (const pwtest::ScoreNote &note : score.notes) {
            if (note.section == 0 && note.voice == 4)
                bass.push_back(note.lyrics);
        }
        const std::vector<std::map<int, std::string>> expected {
            {{1, "T"}}, {{1, "S"}, {2, harmonic}}, {{1, "D"}, {2, melodic}}, {{1, "T"}, {2, harmonic}}};
        EXPECT_EQ(bass, expected);
    }
}

} // namespace
