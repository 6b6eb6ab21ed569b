#pragma once

// The chord definitor: the rule base of the harmony analysis. Every question is answered by an
// XPath expression of fixed text evaluated on the loaded rule file, so rule files written for these
// expressions keep working; the expressions are the matching rules. What a question asks about
// (group names, pitches, descriptors, movements) goes in as XPath variables: compared as values,
// it can never change the expression.

#include "document/xml_access.h"

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pw {

class Ui;

// Pitches of bass, tenor, alto and soprano.
using VoicePitches = std::array<int, 4>;

// One identified chord: its name and functional descriptors.
class TAccordInfo
{
public:
    // Reads the name (from nameAttr: "N" in the definitor, "Text" on an analysis note) and T, S,
    // L, TT, M, each falling back to the parent element when empty or absent; then validates,
    // reporting a faulty rule file through ui.
    TAccordInfo(XmlNode element, std::string_view nameAttr, Ui &ui);

    const std::string &Name() const { return name; }

    // Writes name, T, S, L, TT, M as attributes; empty values are not written, so the element
    // keeps what it had.
    void WriteTo(XmlNode element, std::string_view nameAttr) const;

    std::string name;
    std::string T;
    std::string S;
    std::string L;
    std::string M;
    std::string TT;

private:
    void validate(Ui &ui) const;
};

// What a step does, as the transition rules test it: each voice's movement (previous minus
// current pitch: vN), how many upper voices hold (remv), and each voice's pitch class before and
// after (pcNprev, pcNnext), counted from the reference tonic (-1 for a rest).
struct Movement
{
    std::array<int, 4> moves {};
    int held = 0;
    std::array<int, 4> classesBefore {};
    std::array<int, 4> classesAfter {};
};

// One chord of a group as the rule base lists it: its name, function (T) and inversion (S)
// descriptors and the four-voice shapes that spell it.
struct GroupChord
{
    std::string name;
    std::string function;
    std::string inversion;
    std::vector<VoicePitches> shapes;
};

// The pieces of a chord or step label such as "T|6|4", split at "|": the name and the figures
// drawn above and below it, each translated on its own (at position 1, 2, 3). Pieces past the
// third are dropped.
std::array<std::string, 3> LabelPieces(std::string_view label);

// The loaded rule base and the group selected by the last query that named one.
class TMusDefinitor
{
public:
    // Loads the rule file at file (normally "xml/definitor.xml" under the program directory).
    // A missing file is reported through ui ("Файл не найден"), a broken one with its reason; the object
    // stays usable and every query finds nothing. language is the interface language name.
    TMusDefinitor(std::filesystem::path file, Ui &ui, std::string language = "Russian");
    TMusDefinitor(const TMusDefinitor &) = delete;
    TMusDefinitor &operator=(const TMusDefinitor &) = delete;

    // Loads file into the existing document, with the same message on failure.
    void Reload(const std::filesystem::path &file);
    // Loads the file it was created on again.
    void Reload();
    const std::filesystem::path &FileName() const { return m_file; }

    // Selects the group; its VoicesCount (default 0), or -1 when no group has that name.
    int GroupVoicesCount(const std::string &groupName);

    // One-voice analysis: the name of the chord containing the note, or "?".
    std::string NoteChordName(const std::string &groupName, int high, int tonalityType);

    // Four-voice analysis; none when no shape of the group matches.
    std::unique_ptr<TAccordInfo> IdentifyChord(const std::string &groupName, int bass, int tenor, int alto,
                                               int soprano);

    // The movement of a step between two chords.
    static Movement MovementOf(const VoicePitches &previous, const VoicePitches &current);

    // The name of the step between two analysis notes in the group selected by the last query:
    // empty when the group has no transitions, "?" when no rule allows the step.
    std::string TransitionName(XmlNode previousNote, XmlNode currentNote, const Movement &movement);
    // The rule that names that step (the first that matches), or no node.
    XmlNode TransitionRule(XmlNode previousNote, XmlNode currentNote, const Movement &movement);

    // For explanations: the chords of the group (which becomes the selected one), every transition
    // rule of the selected group in file order, and pitches reduced as the group's queries reduce them.
    std::vector<GroupChord> GroupChords(const std::string &groupName);
    std::vector<XmlNode> TransitionRules() const;
    VoicePitches Normalised(VoicePitches pitches) const;

    // The label piece in the interface language; the Russian text when there is no translation.
    std::string LocalLabel(std::string_view kind, std::string_view position,
                           std::string_view russianText) const;
    // An analysis label "main|upper|lower" (a pipe past the third piece ends it), each piece put
    // into the interface language as a label piece of its position.
    std::array<std::string, 3> LocalLabelPieces(std::string_view label) const;
    // The translation of a label piece into language from the LS table (its attribute N and the
    // language's first letter), or none when the table has no text for it.
    std::optional<std::string> LabelTranslation(std::string_view kind, std::string_view position,
                                                std::string_view russianText,
                                                std::string_view language) const;

    void SetLanguage(std::string language) { m_language = std::move(language); }
    const std::string &Language() const { return m_language; }

    Ui &ui() const { return m_ui; }

    // The chord and step sets of the selected group, in file order.
    const std::vector<XmlNode> &Definitions() const { return m_definitions; }
    const std::vector<XmlNode> &Transitions() const { return m_transitions; }

private:
    void load(const std::filesystem::path &file);
    void selectGroup(const std::string &groupName);
    XmlNode firstInDefinitions(std::string_view query, PathValues values) const;
    // The first answer of query over sets, remembered per query and values: an analysis asks the
    // same few questions chord after chord, and the rule base and the group stay as they are
    // until the next load or group change, which forget every answer.
    XmlNode firstInSets(const std::vector<XmlNode> &sets, std::string_view query, PathValues values) const;

    std::filesystem::path m_file;
    Ui &m_ui;
    std::string m_language;
    std::unique_ptr<pugi::xml_document> m_doc;
    std::optional<std::string> m_selected;
    XmlNode m_group;
    std::vector<XmlNode> m_definitions;
    std::vector<XmlNode> m_transitions;
    bool m_hasTransitions = false;
    int m_voicesCount = -1;
    bool m_normalise = false;
    mutable std::unordered_map<std::string, XmlNode> m_answers;
};

} // namespace pw
