#include "exercise_fixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace pwtest {

namespace {

fs::path freshFolder()
{
    static std::atomic<int> counter {0};
    fs::path folder = fs::temp_directory_path()
        / ("pw-harmony-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(folder);
    fs::create_directories(folder / "xml");
    return folder;
}

} // namespace

std::string ChordPart(int tonalityType, const std::vector<Chord> &chords, const std::string &fixedVoice,
                      const std::string &def)
{
    std::string xml = "<Part Key0=\"4\" Key1=\"1\"";
    if (!fixedVoice.empty())
        xml += " FixedVoice=\"" + fixedVoice + "\"";
    if (!def.empty())
        xml += " Def=\"" + def + "\"";
    xml += "><Tonality type=\"" + std::to_string(tonalityType) + "\" val=\"0\"/><Size chi=\"4\" zna=\"8\"/>";
    for (std::size_t v = 0; v < 4; ++v) {
        xml += "<Voice H=\"" + std::to_string(v) + "\">";
        for (const Chord &chord : chords)
            xml += "<Note High=\"" + std::to_string(chord[v]) + "\" Long=\"8\"/>";
        xml += "</Voice>";
    }
    return xml + "</Part>";
}

std::string Exercise(const std::string &def, const std::vector<std::string> &parts)
{
    std::string xml = "<MExercise Def=\"" + def + "\">";
    for (const std::string &part : parts)
        xml += part;
    return xml + "</MExercise>";
}

LoadedExercise::LoadedExercise(const std::string &xml)
    : LoadedExercise(
        [&] {
            fs::path dir = freshFolder();
            std::ofstream(dir / "xml" / "test.xml") << xml;
            return dir;
        }(),
        "xml/test.xml")
{
}

LoadedExercise::LoadedExercise(fs::path dataFolder, const std::string &fileName)
    : folder(std::move(dataFolder))
    , ex(std::make_unique<pw::HarExercis>(ui, random, folder))
{
    task.Iterations = -1;
    if (!ex->LoadExercise(fileName, &task, false))
        ADD_FAILURE() << "exercise did not load: " << fileName;
}

std::unique_ptr<LoadedExercise> LoadedExercise::Bundled(const std::string &name)
{
    fs::path dir = freshFolder();
    fs::copy_file(fs::path(PARTWRITER_BUNDLED_DATA) / "xml" / name, dir / "xml" / name);
    return std::unique_ptr<LoadedExercise>(new LoadedExercise(dir, "xml/" + name));
}

LoadedExercise::~LoadedExercise()
{
    ex.reset();
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

pw::XmlNode LoadedExercise::part(int p) const
{
    return ex->part(p).Node;
}

pw::XmlNode LoadedExercise::voice(int p, int h) const
{
    return pw::SelectNode(part(p), "Voice[@H=" + std::to_string(h) + " and not(@Type)]");
}

pw::XmlNode LoadedExercise::analysisVoice(int p) const
{
    return pw::SelectNode(part(p), "Voice[@Type='Def']");
}

std::vector<pw::XmlNode> LoadedExercise::analysisNotes(int p) const
{
    std::vector<pw::XmlNode> notes;
    for (pw::XmlNode note : analysisVoice(p).children("Note"))
        notes.push_back(note);
    return notes;
}

void LoadedExercise::fillChords(int p, const std::vector<Chord> &chords)
{
    // The new notes take the lengths of the voice already written.
    std::vector<std::string> lengths(chords.size(), "8");
    for (int h = 0; h < 4; ++h) {
        std::size_t i = 0;
        for (pw::XmlNode note : voice(p, h).children("Note")) {
            if (i < lengths.size())
                lengths[i++] = pw::GetAttr(note, "Long");
        }
    }
    for (int h = 0; h < 4; ++h) {
        pw::XmlNode v = voice(p, h);
        if (v.child("Note"))
            continue;
        for (std::size_t i = 0; i < chords.size(); ++i)
            pw::AddChild(v, "Note", {"High", std::to_string(chords[i][static_cast<std::size_t>(h)])},
                         {"Long", lengths[i]});
    }
    pw::BuildTacts(part(p), ex->part(p).Tacts);
}

fs::path BundledRuleBase()
{
    return fs::path(PARTWRITER_BUNDLED_DATA) / "xml" / "definitor.xml";
}

fs::path TestRules(const std::string &name)
{
    return fs::path(PARTWRITER_TEST_DATA) / name;
}

} // namespace pwtest
