#include "rule_base.h"

#include "chord_shapes.h"
#include "scale_degrees.h"
#include "step_rules.h"

#include <pugixml.hpp>

#include <set>
#include <sstream>

namespace pwgen {

namespace {

const std::string StepSetName = "TSD steps";
const std::string MinorMotionSetName = "Augmented second";
const std::string ForbiddenName = "?";
const std::string DegreeGroupName = "Notes";

void setAttr(pugi::xml_node node, const char *name, const std::string &value)
{
    node.append_attribute(name).set_value(value.c_str());
}

void setAttr(pugi::xml_node node, const char *name, int value)
{
    setAttr(node, name, std::to_string(value));
}

void addGroup(pugi::xml_node root, const std::string &name, int voices, const std::string &definition,
              const std::vector<std::string> &stepSets)
{
    pugi::xml_node group = root.append_child("Gr");
    setAttr(group, "name", name);
    setAttr(group, "VoicesCount", voices);
    setAttr(group, "Norm", "Y");
    setAttr(group.append_child("Def"), "name", definition);
    for (const std::string &steps : stepSets)
        setAttr(group.append_child("Tra"), "name", steps);
}

// One A per function and inversion carries the shared descriptors; its V children the shapes.
void addChordDefinition(pugi::xml_node root, const Mode &mode)
{
    pugi::xml_node definition = root.append_child("Def");
    setAttr(definition, "name", mode.name);
    for (const Triad &triad : mode.triads) {
        for (const Inversion &inversion : Inversions()) {
            pugi::xml_node chord = definition.append_child("A");
            setAttr(chord, "N", triad.function + inversion.labelSuffix);
            setAttr(chord, "T", triad.function);
            setAttr(chord, "S", inversion.descriptor);
            setAttr(chord, "TT", mode.tonalityType);
            for (const Shape &shape : ShapesOf(triad, inversion)) {
                pugi::xml_node v = chord.append_child("V");
                setAttr(v, "V0", shape.pitches[0]);
                setAttr(v, "V1", shape.pitches[1]);
                setAttr(v, "V2", shape.pitches[2]);
                setAttr(v, "V3", shape.pitches[3]);
                setAttr(v, "L", shape.spacing);
                setAttr(v, "M", shape.melodicPosition);
            }
        }
    }
}

void addDegreeDefinition(pugi::xml_node root)
{
    pugi::xml_node definition = root.append_child("Def");
    setAttr(definition, "name", DegreeGroupName);
    for (const DegreeName &degree : DegreeNames()) {
        pugi::xml_node chord = definition.append_child("A");
        setAttr(chord, "N", degree.label);
        for (const auto &[pitch, type] : {std::pair {degree.major, 1}, std::pair {degree.minor, 0}}) {
            pugi::xml_node note = chord.append_child("Note");
            setAttr(note, "High", pitch);
            setAttr(note, "TT", type);
        }
    }
}

void setRange(pugi::xml_node rule, const std::string &voice, const Range &range)
{
    setAttr(rule, (voice + "from").c_str(), range.from);
    setAttr(rule, (voice + "to").c_str(), range.to);
}

// Tried before every other step rule of the group (it comes first in the file): a matching
// motion names the step "?". Each rule names the pitch classes of one voice in the previous chord
// (pcNprev) and the new one (pcNnext).
void addForbiddenMotions(pugi::xml_node root)
{
    pugi::xml_node steps = root.append_child("Tra");
    setAttr(steps, "name", MinorMotionSetName);
    setAttr(steps, "N", ForbiddenName);
    for (const ForbiddenMotion &motion : AugmentedSeconds()) {
        pugi::xml_node rule = steps.append_child("T");
        const std::string voice = std::to_string(motion.voice);
        setAttr(rule, ("pc" + voice + "prev").c_str(), motion.previousClass);
        setAttr(rule, ("pc" + voice + "next").c_str(), motion.nextClass);
    }
}

void addSteps(pugi::xml_node root)
{
    pugi::xml_node steps = root.append_child("Tra");
    setAttr(steps, "name", StepSetName);
    setAttr(steps, "N", MelodicName);
    for (const StepRule &step : StepRules()) {
        pugi::xml_node rule = steps.append_child("T");
        setAttr(rule, "Tfrom", step.from);
        setAttr(rule, "Tto", step.to);
        if (step.bass)
            setRange(rule, "v0", *step.bass);
        if (step.upperVoices) {
            for (const char *voice : {"v1", "v2", "v3"})
                setRange(rule, voice, *step.upperVoices);
        }
        if (step.heldVoices)
            setRange(rule, "remv", *step.heldVoices);
        if (!step.name.empty() && step.name != MelodicName)
            setAttr(rule, "N", step.name);
    }
}

// Splits "T|6|4" into its pieces: main text, upper index, lower index.
std::vector<std::string> labelPieces(const std::string &label)
{
    std::vector<std::string> pieces;
    std::stringstream in(label);
    std::string piece;
    while (std::getline(in, piece, '|'))
        pieces.push_back(piece);
    return pieces;
}

std::string english(const std::string &russian)
{
    if (russian == HarmonicName)
        return "harm.";
    if (russian == MelodicName)
        return "melod.";
    if (russian == RepositionName)
        return "repos.";
    return russian; // function letters, figures and degrees read the same
}

// Every piece of every chord label and every step name, with its English text.
void addLabels(pugi::xml_node root)
{
    std::set<std::pair<int, std::string>> seen;
    std::vector<std::pair<int, std::string>> pieces;
    const auto add = [&](int position, const std::string &text) {
        if (!text.empty() && seen.insert({position, text}).second)
            pieces.push_back({position, text});
    };
    const auto addLabel = [&](const std::string &label) {
        const std::vector<std::string> parts = labelPieces(label);
        for (std::size_t i = 0; i < parts.size() && i < 3; ++i)
            add(static_cast<int>(i) + 1, parts[i]);
    };
    for (const Mode *mode : {&MajorMode(), &MinorMode()}) {
        for (const Triad &triad : mode->triads) {
            for (const Inversion &inversion : Inversions())
                addLabel(triad.function + inversion.labelSuffix);
        }
    }
    for (const DegreeName &degree : DegreeNames())
        addLabel(degree.label);
    add(1, HarmonicName);
    add(1, MelodicName);
    add(1, RepositionName);

    pugi::xml_node table = root.append_child("LS");
    for (const auto &[position, text] : pieces) {
        pugi::xml_node s = table.append_child("S");
        setAttr(s, "T", "A");
        setAttr(s, "P", position);
        setAttr(s, "N", text);
        setAttr(s, "NE", english(text));
    }
}

} // namespace

std::string RuleBaseText()
{
    pugi::xml_document doc;
    pugi::xml_node declaration = doc.append_child(pugi::node_declaration);
    declaration.append_attribute("version").set_value("1.0");
    declaration.append_attribute("encoding").set_value("UTF-8");
    doc.append_child(pugi::node_comment)
        .set_value(
            " Generated by tools/definitor_gen from the rules in its code: edit those and regenerate. ");
    pugi::xml_node root = doc.append_child("Definitors");
    addGroup(root, MajorMode().name, 4, MajorMode().name, {StepSetName});
    addGroup(root, MinorMode().name, 4, MinorMode().name, {MinorMotionSetName, StepSetName});
    addGroup(root, DegreeGroupName, 1, DegreeGroupName, {});
    addChordDefinition(root, MajorMode());
    addChordDefinition(root, MinorMode());
    addDegreeDefinition(root);
    addForbiddenMotions(root);
    addSteps(root);
    addLabels(root);

    std::ostringstream out;
    doc.save(out, "\t", pugi::format_default | pugi::format_no_declaration, pugi::encoding_utf8);
    return out.str();
}

} // namespace pwgen
