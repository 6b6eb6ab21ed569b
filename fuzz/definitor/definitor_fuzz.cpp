// libFuzzer target: a rule file (xml/definitor.xml) of any content answers every query the
// analysis asks, naming a chord or finding none, never crashing. The queries are those of a
// cadence written note by note: each chord identified, its descriptors written to an analysis
// note, and the step from the previous chord named; melody notes for one-voice groups.

#include "common/input_folder.h"

#include "document/exercise_nodes.h"
#include "document/xml_file.h"
#include "harmony/definitor.h"
#include "platform/error.h"
#include "platform/recording_ui.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// T S D T in C major and in A minor, close and open position, then a crossing and a wide chord.
const std::vector<pw::VoicePitches> kChords {
    {24, 31, 36, 40}, {17, 33, 36, 41}, {19, 31, 35, 38}, {24, 31, 36, 40}, {24, 36, 43, 51},
    {29, 36, 44, 53}, {31, 35, 43, 50}, {24, 36, 43, 51}, {24, 40, 36, 31}, {0, 19, 52, 88},
};

// The groups the bundled rules name, then those of the fuzzed file.
std::vector<std::string> groupNames(const std::string &text)
{
    std::vector<std::string> names {"TSD major", "TSD minor", "Notes"};
    pugi::xml_document doc;
    try {
        if (!pw::LoadXmlText(doc, text))
            return names;
    } catch (const pw::XmlError &) {
        return names;
    }
    for (const pugi::xpath_node &group : doc.select_nodes("//Gr")) {
        if (names.size() >= 8)
            break;
        names.push_back(group.node().attribute("name").value());
    }
    return names;
}

void queryGroup(pw::TMusDefinitor &definitor, const std::string &group)
{
    if (definitor.GroupVoicesCount(group) == 1) {
        for (int tonality = 0; tonality < 2; ++tonality) {
            for (int high : {0, 3, 4, 7, 11, 19, 60, -5})
                definitor.NoteChordName(group, high, tonality);
        }
        return;
    }
    pugi::xml_document analysis;
    pugi::xml_node voice = analysis.append_child("Voice");
    pugi::xml_node previous;
    for (std::size_t i = 0; i < kChords.size(); ++i) {
        const pw::VoicePitches &p = kChords[i];
        const std::unique_ptr<pw::TAccordInfo> chord = definitor.IdentifyChord(group, p[0], p[1], p[2], p[3]);
        pugi::xml_node note = voice.append_child("Note");
        note.append_attribute(pw::ChordNameAttribute.data()) = chord ? chord->Name().c_str() : "?";
        if (chord) {
            chord->WriteTo(note, pw::ChordNameAttribute);
            definitor.LocalLabel("A", "1", chord->Name());
        }
        if (previous) {
            const pw::Movement movement = pw::TMusDefinitor::MovementOf(kChords[i - 1], p);
            definitor.TransitionName(previous, note, movement);
            definitor.TransitionRule(previous, note, movement);
        }
        previous = note;
    }
    definitor.GroupChords(group);
    definitor.TransitionRules();
    definitor.Normalised(kChords.back());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const pwfuzz::InputFolder folder;
    const std::filesystem::path file = folder.write("xml/definitor.xml", data, size);
    pw::RecordingUi ui;
    try {
        pw::TMusDefinitor definitor(file, ui, "English");
        for (const std::string &group : groupNames(std::string(reinterpret_cast<const char *>(data), size)))
            queryGroup(definitor, group);
    } catch (const pw::Error &) {
        // A faulty rule (an attribute that is no number) abandons the query, as in the program.
    }
    return 0;
}
