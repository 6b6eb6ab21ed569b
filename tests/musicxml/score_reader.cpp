#include "musicxml/score_reader.h"

#include <pugixml.hpp>

#include <algorithm>
#include <set>
#include <string_view>

namespace pwtest {

namespace {

int number(pugi::xml_node node, const char *child)
{
    return node.child(child).text().as_int(0);
}

// The length of a value type in quarters, as numerator / denominator; 0 / 0 for an unknown type.
std::pair<int, int> quartersOf(std::string_view type)
{
    static const std::map<std::string_view, std::pair<int, int>> types {
        {"breve", {8, 1}}, {"whole", {4, 1}}, {"half", {2, 1}},  {"quarter", {1, 1}}, {"eighth", {1, 2}},
        {"16th", {1, 4}},  {"32nd", {1, 8}},  {"64th", {1, 16}}, {"128th", {1, 32}},
    };
    const auto found = types.find(type);
    return found == types.end() ? std::pair<int, int> {0, 0} : found->second;
}

class Reader
{
public:
    explicit Reader(ReadScore &score)
        : m_score(score)
    {
    }

    void read(const pugi::xml_document &doc)
    {
        bool doctype = false;
        for (pugi::xml_node node : doc.children()) {
            if (node.type() == pugi::node_doctype)
                doctype = std::string_view(node.value()).find("-//Recordare//DTD MusicXML 4.0 Partwise//EN")
                    != std::string_view::npos;
        }
        if (!doctype)
            problem("no MusicXML 4.0 partwise document type");
        const pugi::xml_node root = doc.child("score-partwise");
        if (!root || std::string_view(root.attribute("version").value()) != "4.0")
            problem("the root is not score-partwise version 4.0");
        m_score.title = root.child("work").child("work-title").text().get();
        const auto scoreParts = root.child("part-list").children("score-part");
        const auto parts = root.children("part");
        if (std::distance(scoreParts.begin(), scoreParts.end()) != 1
            || std::distance(parts.begin(), parts.end()) != 1)
            problem("not one score part and one part");
        const pugi::xml_node scorePart = root.child("part-list").child("score-part");
        m_score.partName = scorePart.child("part-name").text().get();
        const pugi::xml_node part = root.child("part");
        if (std::string_view(part.attribute("id").value()) != scorePart.attribute("id").value())
            problem("the part is not the one the part list names");
        for (pugi::xml_node measure : part.children("measure"))
            readMeasure(measure);
        closeSection();
        if (m_measures == 0)
            problem("no measures");
    }

private:
    void problem(const std::string &text) { m_score.problems.push_back(m_where + text); }

    void readAttributes(pugi::xml_node attributes)
    {
        if (!attributes) {
            if (m_measures == 0)
                problem("the first measure has no attributes");
            return;
        }
        if (pugi::xml_node divisions = attributes.child("divisions")) {
            if (m_measures > 0)
                problem("divisions change");
            m_score.divisions = divisions.text().as_int();
        }
        if (pugi::xml_node key = attributes.child("key")) {
            m_fifths = number(key, "fifths");
            m_mode = key.child("mode").text().get();
        }
        if (pugi::xml_node time = attributes.child("time")) {
            m_beats = number(time, "beats");
            m_beatType = number(time, "beat-type");
        }
        if (m_measures == 0) {
            if (number(attributes, "staves") != 2)
                problem("not two staves");
            const auto clef = [&](int staff, const char *sign, int line) {
                const pugi::xml_node found
                    = attributes.find_child_by_attribute("clef", "number", std::to_string(staff).c_str());
                if (std::string_view(found.child("sign").text().get()) != sign
                    || number(found, "line") != line)
                    problem("staff " + std::to_string(staff) + " has not the clef " + sign);
            };
            clef(1, "G", 2);
            clef(2, "F", 4);
        }
    }

    void closeSection()
    {
        if (!m_score.sections.empty())
            m_score.sections.back().doubleBarAtEnd = m_lastDoubleBar;
    }

    void readMeasure(pugi::xml_node measure)
    {
        const std::string measureNumber = measure.attribute("number").value();
        m_where = "measure " + measureNumber + ": ";
        if (!m_numbers.insert(measureNumber).second)
            problem("the number comes twice");
        const bool implicit = std::string_view(measure.attribute("implicit").value()) == "yes";
        readAttributes(measure.child("attributes"));
        const std::string words = measure.select_node("direction/direction-type/words").node().text().get();
        if (!words.empty()) {
            closeSection();
            m_score.sections.push_back(
                {words, m_fifths, m_mode, m_beats, m_beatType, m_measures, 0, implicit});
            m_sectionTime = 0;
        } else if (m_score.sections.empty()) {
            problem("a measure before the first section");
            return;
        } else if (m_lastDoubleBar) {
            problem("a double bar inside a section");
        } else if (implicit) {
            problem("an implicit measure inside a section");
        }
        m_lastDoubleBar = false;
        const int divisions = m_score.divisions;
        if (divisions <= 0 || m_beatType <= 0 || (m_beats * 4 * divisions) % m_beatType != 0) {
            problem("no usable divisions or time");
            return;
        }
        const int expected = m_beats * 4 * divisions / m_beatType;

        int position = 0;
        int length = 0;
        std::map<int, int> voiceEnd;
        for (pugi::xml_node child : measure.children()) {
            const std::string_view name = child.name();
            if (name == "note" || name == "forward") {
                const int voice = number(child, "voice");
                const int duration = number(child, "duration");
                const auto end = voiceEnd.find(voice);
                if (end == voiceEnd.end() ? position != 0 : end->second != position)
                    problem("voice " + std::to_string(voice)
                            + " is not written in one run from the measure start");
                if (duration <= 0)
                    problem("a duration of nothing");
                if (name == "note")
                    readNote(child, measureNumber, implicit, position, expected);
                position += duration;
                voiceEnd[voice] = position;
            } else if (name == "backup") {
                position -= number(child, "duration");
                if (position < 0)
                    problem("a backup before the measure start");
            } else if (name == "barline") {
                m_lastDoubleBar = std::string_view(child.child("bar-style").text().get()) == "light-light"
                    && std::string_view(child.attribute("location").value()) == "right";
            }
            length = std::max(length, position);
        }
        for (const auto &[voice, end] : voiceEnd) {
            if (implicit ? end != length : end != expected)
                problem("voice " + std::to_string(voice) + " fills " + std::to_string(end) + " of "
                        + std::to_string(implicit ? length : expected));
        }
        if (voiceEnd.empty())
            problem("an empty measure");
        m_sectionTime += length;
        ++m_score.sections.back().measureCount;
        ++m_measures;
    }

    void readNote(pugi::xml_node element, const std::string &measure, bool implicit, int position,
                  int measureLength)
    {
        ScoreNote note;
        note.section = static_cast<int>(m_score.sections.size()) - 1;
        note.measure = measure;
        note.implicitMeasure = implicit;
        note.start = m_sectionTime + position;
        note.duration = number(element, "duration");
        note.voice = number(element, "voice");
        note.staff = number(element, "staff");
        if (element.child("chord") || element.child("grace"))
            problem("a chord or grace note");
        if (pugi::xml_node rest = element.child("rest")) {
            note.rest = true;
            note.measureRest = std::string_view(rest.attribute("measure").value()) == "yes";
        } else {
            const pugi::xml_node pitch = element.child("pitch");
            const std::string_view step = pitch.child("step").text().get();
            if (step.size() != 1 || std::string_view("CDEFGAB").find(step[0]) == std::string_view::npos)
                problem("a note without a step");
            note.step = step.empty() ? '?' : step[0];
            note.alter = number(pitch, "alter");
            note.octave = pitch.child("octave").text().as_int(-1);
            if (note.octave < 0 || note.octave > 9)
                problem("an octave out of range");
        }
        note.type = element.child("type").text().get();
        const auto dots = element.children("dot");
        note.dots = static_cast<int>(std::distance(dots.begin(), dots.end()));
        note.stem = element.child("stem").text().get();
        if (note.measureRest) {
            if (note.duration != measureLength && !implicit)
                problem("a measure rest that is not a measure long");
        } else {
            const auto [num, den] = quartersOf(note.type);
            if (den == 0)
                problem("an unknown type " + note.type);
            else if (note.duration * den * (1 << note.dots)
                     != m_score.divisions * num * ((2 << note.dots) - 1))
                problem("a " + note.type + " that lasts " + std::to_string(note.duration));
        }
        for (pugi::xml_node tie : element.children("tie")) {
            note.tieStart |= std::string_view(tie.attribute("type").value()) == "start";
            note.tieStop |= std::string_view(tie.attribute("type").value()) == "stop";
        }
        bool tiedStart = false;
        bool tiedStop = false;
        for (pugi::xml_node tied : element.child("notations").children("tied")) {
            tiedStart |= std::string_view(tied.attribute("type").value()) == "start";
            tiedStop |= std::string_view(tied.attribute("type").value()) == "stop";
        }
        if (tiedStart != note.tieStart || tiedStop != note.tieStop)
            problem("tie and tied disagree");
        for (pugi::xml_node lyric : element.children("lyric"))
            note.lyrics[lyric.attribute("number").as_int()] = lyric.child("text").text().get();
        m_score.notes.push_back(note);
    }

    ReadScore &m_score;
    std::string m_where;
    std::set<std::string> m_numbers;
    int m_measures = 0;
    int m_fifths = 0;
    std::string m_mode;
    int m_beats = 0;
    int m_beatType = 0;
    int m_sectionTime = 0;
    bool m_lastDoubleBar = false;
};

std::vector<HeardNote> voiceNotes(const ReadScore &score, int section, int voice,
                                  std::vector<std::string> *problems)
{
    std::vector<const ScoreNote *> pieces;
    for (const ScoreNote &note : score.notes) {
        if (note.section == section && note.voice == voice && !note.measureRest)
            pieces.push_back(&note);
    }
    std::stable_sort(pieces.begin(), pieces.end(),
                     [](const ScoreNote *a, const ScoreNote *b) { return a->start < b->start; });
    std::vector<HeardNote> notes;
    bool tied = false;
    for (const ScoreNote *piece : pieces) {
        const bool continues = tied && !notes.empty() && !notes.back().rest
            && notes.back().midi == piece->Midi()
            && notes.back().start + notes.back().duration == piece->start;
        if (tied && !continues && problems)
            problems->push_back("a tie to a note that does not go on");
        if (piece->tieStop != continues && problems)
            problems->push_back("a tie stop without its start");
        if (continues) {
            notes.back().duration += piece->duration;
            notes.back().pieces.push_back(piece);
        } else {
            notes.push_back(
                {piece->rest, piece->rest ? -1 : piece->Midi(), piece->start, piece->duration, {piece}});
        }
        tied = piece->tieStart;
        if (tied && piece->rest && problems)
            problems->push_back("a tied rest");
    }
    if (tied && problems)
        problems->push_back("a tie at the end of a voice");
    return notes;
}

} // namespace

int ScoreNote::Midi() const
{
    constexpr std::string_view steps = "CDEFGAB";
    constexpr int naturals[] = {0, 2, 4, 5, 7, 9, 11};
    const auto index = steps.find(step);
    if (index == std::string_view::npos)
        return -1;
    return 12 * (octave + 1) + naturals[index] + alter;
}

ReadScore ReadMusicXml(const std::string &text)
{
    ReadScore score;
    pugi::xml_document doc;
    if (!doc.load_string(text.c_str(), pugi::parse_default | pugi::parse_doctype)) {
        score.problems.push_back("not well-formed XML");
        return score;
    }
    Reader(score).read(doc);
    for (int section = 0; section < static_cast<int>(score.sections.size()); ++section) {
        for (int voice = 1; voice <= 4; ++voice)
            voiceNotes(score, section, voice, &score.problems);
    }
    return score;
}

std::vector<HeardNote> VoiceNotes(const ReadScore &score, int section, int voice)
{
    return voiceNotes(score, section, voice, nullptr);
}

int KeyAlteration(int fifths, char step)
{
    constexpr std::string_view sharps = "FCGDAEB";
    constexpr std::string_view flats = "BEADGCF";
    if (fifths > 0)
        return sharps.substr(0, static_cast<std::size_t>(fifths)).find(step) != std::string_view::npos ? 1
                                                                                                       : 0;
    if (fifths < 0)
        return flats.substr(0, static_cast<std::size_t>(-fifths)).find(step) != std::string_view::npos ? -1
                                                                                                       : 0;
    return 0;
}

} // namespace pwtest
