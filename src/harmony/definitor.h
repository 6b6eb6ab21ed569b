#pragma once

// The chord definitor: the rule base of the harmony analysis. Every question is answered by an
// XPath expression built from fixed pieces and evaluated on the loaded rule file, so rule files
// written for these expressions keep working; the expressions are the matching rules.

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

    // The descriptor part of a transition query for one side; suffix is "from" or "to".
    std::string SideCondition(std::string_view suffix) const;

    std::string name;
    std::string T;
    std::string S;
    std::string L;
    std::string M;
    std::string TT;

private:
    void validate(Ui &ui) const;
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

// The loaded rule base and the group selected by the last query that named one.
class TMusDefinitor
{
public:
    // Loads the rule file at file (normally "xml/definitor.xml" under the program directory).
    // A file that gives no root element is reported through ui ("Файл не найден"); the object
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

    // The voice-movement part of a transition query; begins with " and ". Beside each voice's
    // movement (vN) and the number of held upper voices (remv) it gives every voice's pitch class
    // before and after (pcNprev, pcNnext), counted from the reference tonic.
    std::string MovementCondition(const VoicePitches &previous, const VoicePitches &current) const;

    // The name of the step between two analysis notes in the group selected by the last query:
    // empty when the group has no transitions, "?" when no rule allows the step.
    std::string TransitionName(XmlNode previousNote, XmlNode currentNote,
                               const std::string &movementCondition);
    // The rule that names that step (the first that matches), or no node.
    XmlNode TransitionRule(XmlNode previousNote, XmlNode currentNote, const std::string &movementCondition);

    // For explanations: the chords of the group (which becomes the selected one), every transition
    // rule of the selected group in file order, and pitches reduced as the group's queries reduce them.
    std::vector<GroupChord> GroupChords(const std::string &groupName);
    std::vector<XmlNode> TransitionRules() const;
    VoicePitches Normalised(VoicePitches pitches) const;

    // The label piece in the interface language; the Russian text when there is no translation.
    std::string LocalLabel(std::string_view kind, std::string_view position,
                           std::string_view russianText) const;

    void SetLanguage(std::string language) { m_language = std::move(language); }
    const std::string &Language() const { return m_language; }

    Ui &ui() const { return m_ui; }

    // The prefixes of the selected group, as the queries use them.
    const std::string &DefinitionPrefix() const { return m_definitionPrefix; }
    const std::string &TransitionPrefix() const { return m_transitionPrefix; }

private:
    void load(const std::filesystem::path &file);
    void selectGroup(const std::string &groupName);
    // SelectNode on the rule base (or, for labels, its root element), remembered: the rule base
    // does not change until the next load, and an analysis asks the same few questions for chord
    // after chord. An invalid query is not remembered and throws every time.
    XmlNode selectRemembered(XmlNode context, const std::string &query) const;

    std::filesystem::path m_file;
    Ui &m_ui;
    std::string m_language;
    std::unique_ptr<pugi::xml_document> m_doc;
    XmlNode m_group;
    std::string m_definitionPrefix;
    std::string m_transitionPrefix;
    int m_voicesCount = -1;
    bool m_normalise = false;
    // The group selected last, when its selection went through.
    std::optional<std::string> m_selectedName;
    mutable std::unordered_map<std::string, XmlNode> m_answers;
    mutable std::unordered_map<std::string, XmlNode> m_rootAnswers;
};

} // namespace pw
