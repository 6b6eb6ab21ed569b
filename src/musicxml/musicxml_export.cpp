#include "musicxml/musicxml_export.h"

#include "config/localization.h"
#include "document/exercise_nodes.h"
#include "document/har_exercis.h"
#include "document/measure_index.h"
#include "document/xml_file.h"
#include "musicxml/analysis_labels.h"
#include "musicxml/score_timeline.h"
#include "platform/text_format.h"
#include "staff/pitch_rules.h"

#include <algorithm>
#include <array>
#include <map>
#include <numeric>
#include <optional>

namespace pw {

namespace {

constexpr const char *DocumentType = "score-partwise PUBLIC \"-//Recordare//DTD MusicXML 4.0 Partwise//EN\" "
                                     "\"http://www.musicxml.org/dtds/partwise.dtd\"";
constexpr const char *PartId = "P1";

// Where each voice of the file is written, upper voices first as a score lists them.
struct ScoreVoice
{
    int h;
    int number;
    int staff;
    const char *stem;
};
constexpr std::array<ScoreVoice, 4> ScoreVoices {{
    {Soprano, 1, 1, "up"},
    {Alto, 2, 1, "down"},
    {Tenor, 3, 2, "up"},
    {Bass, 4, 2, "down"},
}};
constexpr std::size_t BassVoice = 3;

// One part of the run laid out for writing.
struct Section
{
    const ExercisePart *part = nullptr;
    int number = 0; // in the run, from 1
    MeasureGrid grid;
    std::array<std::vector<VoicePiece>, 4> pieces; // by ScoreVoices
    int measures = 1;
    std::map<int, ChordLabels> labels;
    // The voice whose note starting at a tick carries that tick's labels.
    std::map<int, std::size_t> labelled;
};

// The note each chord's labels go under: the bass when a note of it starts there, else the lowest
// voice with a note starting there, else the lowest with a rest starting there.
void placeLabels(Section &section)
{
    for (const auto &entry : section.labels) {
        const int tick = entry.first;
        std::optional<std::size_t> note;
        std::optional<std::size_t> rest;
        for (std::size_t v = ScoreVoices.size(); v-- > 0;) {
            const auto &pieces = section.pieces[v];
            const auto at = std::find_if(pieces.begin(), pieces.end(),
                                         [tick](const VoicePiece &p) { return p.first && p.start == tick; });
            if (at == pieces.end())
                continue;
            std::optional<std::size_t> &lowest = at->rest ? rest : note;
            if (!lowest)
                lowest = v;
        }
        if (note || rest)
            section.labelled[tick] = note ? *note : *rest;
    }
}

Section layOut(const HarExercis &ex, int index, const TMusDefinitor *analysis)
{
    Section section;
    section.part = &ex.part(index);
    section.number = index + 1;
    const XmlNode node = section.part->Node;
    section.grid = GridOf(node);
    int end = 0;
    for (std::size_t v = 0; v < ScoreVoices.size(); ++v) {
        section.pieces[v] = PiecesOf(NoteVoice(node, ScoreVoices[v].h), section.grid);
        if (!section.pieces[v].empty())
            end = std::max(end, section.pieces[v].back().End());
    }
    section.measures = section.grid.CountFor(end);
    if (analysis) {
        section.labels = AnalysisLabels(node, *analysis);
        placeLabels(section);
    }
    return section;
}

// The ticks of one division: the largest that measures every length written.
int divisionTicks(const std::vector<Section> &sections)
{
    int ticks = TicksPerQuarter;
    for (const Section &section : sections) {
        ticks = std::gcd(ticks, section.grid.measure);
        ticks = std::gcd(ticks, section.grid.upbeat);
        for (const auto &pieces : section.pieces) {
            for (const VoicePiece &piece : pieces)
                ticks = std::gcd(ticks, ValueTicks(piece.value));
        }
    }
    return ticks;
}

const char *typeName(int length)
{
    switch (length) {
    case 1:
        return "breve";
    case 2:
        return "whole";
    case 4:
        return "half";
    case 8:
        return "quarter";
    case 16:
        return "eighth";
    case 32:
        return "16th";
    case 64:
        return "32nd";
    case 128:
        return "64th";
    default:
        return "128th";
    }
}

XmlNode appendText(XmlNode parent, const char *name, const std::string &text)
{
    XmlNode child = parent.append_child(name);
    child.text().set(text.c_str());
    return child;
}

XmlNode appendNumber(XmlNode parent, const char *name, int value)
{
    return appendText(parent, name, std::to_string(value));
}

struct Key
{
    int fifths = 0;
    bool major = false;
    bool operator==(const Key &) const = default;
};

Key keyOf(const Tonality &tonality)
{
    // val counts flats upwards from 1 and sharps downwards from 0.
    return {-tonality.val, tonality.type == 1};
}

void appendKey(XmlNode attributes, const Key &key)
{
    XmlNode element = attributes.append_child("key");
    appendNumber(element, "fifths", key.fifths);
    appendText(element, "mode", key.major ? "major" : "minor");
}

void appendTime(XmlNode attributes, const MeasureGrid &grid)
{
    XmlNode element = attributes.append_child("time");
    appendNumber(element, "beats", grid.beats);
    appendNumber(element, "beat-type", grid.beatType);
}

void appendClef(XmlNode attributes, int staff, const char *sign, int line)
{
    XmlNode clef = attributes.append_child("clef");
    clef.append_attribute("number").set_value(staff);
    appendText(clef, "sign", sign);
    appendNumber(clef, "line", line);
}

void appendLyrics(XmlNode note, const ChordLabels &labels)
{
    const std::array<const std::string *, 3> lines {&labels.chord, &labels.step, &labels.parallels};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i]->empty())
            continue;
        XmlNode lyric = note.append_child("lyric");
        lyric.append_attribute("number").set_value(static_cast<int>(i + 1));
        appendText(lyric, "syllabic", "single");
        appendText(lyric, "text", *lines[i]);
    }
}

// Writes the measures of a score in order, keeping what the score has said so far.
class ScoreWriter
{
public:
    ScoreWriter(XmlNode part, int divisionTicks)
        : m_part(part)
        , m_divisionTicks(divisionTicks)
    {
    }

    void write(const Section &section, const MusicXmlTexts &texts)
    {
        for (int m = 0; m < section.measures; ++m) {
            const bool upbeat = m == 0 && section.grid.upbeat > 0;
            XmlNode measure = m_part.append_child("measure");
            measure.append_attribute("number").set_value(measureNumber(upbeat).c_str());
            if (upbeat)
                measure.append_attribute("implicit").set_value("yes");
            if (m == 0) {
                writeAttributes(measure, section);
                writeTitle(measure, section, texts);
            }
            writeVoices(measure, section, m);
            if (m == section.measures - 1) {
                XmlNode barline = measure.append_child("barline");
                barline.append_attribute("location").set_value("right");
                appendText(barline, "bar-style", "light-light");
            }
        }
    }

private:
    // Full measures are counted from 1 through the whole score; the upbeat of the score is 0,
    // later upbeats are numbered apart so that no number comes twice.
    std::string measureNumber(bool upbeat)
    {
        const bool first = !m_started;
        m_started = true;
        if (!upbeat)
            return std::to_string(m_measures++);
        return first ? "0" : "X" + std::to_string(++m_laterUpbeats);
    }

    void writeAttributes(XmlNode measure, const Section &section)
    {
        const Key key = keyOf(section.part->Tonality);
        const std::pair<int, int> time {section.grid.beats, section.grid.beatType};
        const bool first = !m_key;
        if (!first && *m_key == key && *m_time == time)
            return;
        XmlNode attributes = measure.append_child("attributes");
        if (first)
            appendNumber(attributes, "divisions", TicksPerQuarter / m_divisionTicks);
        if (first || !(*m_key == key))
            appendKey(attributes, key);
        if (first || *m_time != time)
            appendTime(attributes, section.grid);
        if (first) {
            appendNumber(attributes, "staves", 2);
            appendClef(attributes, 1, "G", 2);
            appendClef(attributes, 2, "F", 4);
        }
        m_key = key;
        m_time = time;
    }

    static void writeTitle(XmlNode measure, const Section &section, const MusicXmlTexts &texts)
    {
        XmlNode direction = measure.append_child("direction");
        direction.append_attribute("placement").set_value("above");
        appendText(direction.append_child("direction-type"), "words",
                   FormatText(texts.section, {std::to_string(section.number)}));
        appendNumber(direction, "staff", 1);
    }

    void writeVoices(XmlNode measure, const Section &section, int index)
    {
        const int start = section.grid.StartOf(index);
        const int end = section.grid.EndOf(index);
        bool written = false;
        for (std::size_t v = 0; v < ScoreVoices.size(); ++v) {
            const ScoreVoice &voice = ScoreVoices[v];
            int reached = start;
            for (const VoicePiece &piece : section.pieces[v]) {
                if (piece.start < start || piece.start >= end)
                    continue;
                if (written && reached == start)
                    appendDuration(measure.append_child("backup"), end - start);
                const auto labels = section.labelled.find(piece.start);
                const bool labelled = piece.first && labels != section.labelled.end() && labels->second == v;
                writeNote(measure, piece, voice, section.part->Tonality,
                          labelled ? &section.labels.at(piece.start) : nullptr);
                reached = piece.End();
            }
            if (reached == start)
                continue;
            // A voice that stops inside the measure is carried to its end.
            if (reached < end) {
                XmlNode forward = measure.append_child("forward");
                appendDuration(forward, end - reached);
                appendNumber(forward, "voice", voice.number);
                appendNumber(forward, "staff", voice.staff);
            }
            written = true;
        }
        if (!written)
            writeMeasureRests(measure, end - start);
    }

    // A measure that no voice reaches: a whole-measure rest on each staff.
    void writeMeasureRests(XmlNode measure, int ticks)
    {
        for (std::size_t v : {std::size_t {0}, std::size_t {2}}) {
            if (v > 0)
                appendDuration(measure.append_child("backup"), ticks);
            XmlNode note = measure.append_child("note");
            note.append_child("rest").append_attribute("measure").set_value("yes");
            appendDuration(note, ticks);
            appendNumber(note, "voice", ScoreVoices[v].number);
            appendNumber(note, "staff", ScoreVoices[v].staff);
        }
    }

    void writeNote(XmlNode measure, const VoicePiece &piece, const ScoreVoice &voice, const Tonality &key,
                   const ChordLabels *labels)
    {
        XmlNode note = measure.append_child("note");
        if (piece.rest) {
            note.append_child("rest");
        } else {
            const WrittenPitch written = WrittenPitchOf(piece.high, key);
            XmlNode pitch = note.append_child("pitch");
            appendText(pitch, "step", std::string(1, "CDEFGAB"[written.letter]));
            if (written.alter != 0)
                appendNumber(pitch, "alter", written.alter);
            appendNumber(pitch, "octave", written.octave);
        }
        appendDuration(note, ValueTicks(piece.value));
        const auto tie = [&](const char *element, XmlNode parent, const char *type) {
            parent.append_child(element).append_attribute("type").set_value(type);
        };
        if (piece.tieStop)
            tie("tie", note, "stop");
        if (piece.tieStart)
            tie("tie", note, "start");
        appendNumber(note, "voice", voice.number);
        appendText(note, "type", typeName(piece.value.length));
        if (piece.value.dotted)
            note.append_child("dot");
        // Wholes and breves have no stem.
        if (!piece.rest && piece.value.length >= 4)
            appendText(note, "stem", voice.stem);
        appendNumber(note, "staff", voice.staff);
        if (piece.tieStop || piece.tieStart) {
            XmlNode notations = note.append_child("notations");
            if (piece.tieStop)
                tie("tied", notations, "stop");
            if (piece.tieStart)
                tie("tied", notations, "start");
        }
        if (labels)
            appendLyrics(note, *labels);
    }

    void appendDuration(XmlNode parent, int ticks) const
    {
        appendNumber(parent, "duration", ticks / m_divisionTicks);
    }

    XmlNode m_part;
    int m_divisionTicks;
    std::optional<Key> m_key;
    std::optional<std::pair<int, int>> m_time;
    bool m_started = false;
    int m_measures = 1;
    int m_laterUpbeats = 0;
};

} // namespace

MusicXmlTexts MusicXmlTextsOf(const Localization &texts)
{
    return {texts.Text("Export", "PartName"), texts.Text("Export", "Section")};
}

void BuildMusicXml(const HarExercis &ex, const MusicXmlOptions &options, pugi::xml_document &score)
{
    std::vector<int> indices = options.parts;
    if (indices.empty()) {
        indices.resize(static_cast<std::size_t>(ex.PartCount()));
        std::iota(indices.begin(), indices.end(), 0);
    }
    std::vector<Section> sections;
    for (int index : indices)
        sections.push_back(layOut(ex, index, options.analysis));

    score.reset();
    score.append_child(pugi::node_doctype).set_value(DocumentType);
    XmlNode root = score.append_child("score-partwise");
    root.append_attribute("version").set_value("4.0");
    if (!options.title.empty())
        appendText(root.append_child("work"), "work-title", options.title);
    appendText(root.append_child("identification").append_child("encoding"), "software", "Partwriter");
    XmlNode scorePart = root.append_child("part-list").append_child("score-part");
    scorePart.append_attribute("id").set_value(PartId);
    appendText(scorePart, "part-name", options.texts.partName);

    XmlNode part = root.append_child("part");
    part.append_attribute("id").set_value(PartId);
    ScoreWriter writer(part, divisionTicks(sections));
    for (const Section &section : sections)
        writer.write(section, options.texts);
}

std::string MusicXmlText(const HarExercis &ex, const MusicXmlOptions &options)
{
    pugi::xml_document score;
    BuildMusicXml(ex, options, score);
    return XmlToText(score);
}

void WriteMusicXml(const HarExercis &ex, const MusicXmlOptions &options, const std::filesystem::path &file)
{
    pugi::xml_document score;
    BuildMusicXml(ex, options, score);
    SaveXmlFile(score, file);
}

} // namespace pw
