#include "document/exercise_limits.h"

#include "document/exercise_nodes.h"
#include "document/xml_access.h"
#include "platform/error.h"
#include "platform/text_format.h"

#include <climits>
#include <optional>

namespace pw {

namespace limits = exercise_limits;

namespace {

enum class Rule {
    Range,
    PowerOfTwo,
    PowerOfTwoOrZero,
};

struct Check
{
    const char *attribute;
    int low;
    int high;
    Rule rule = Rule::Range;
};

bool isPowerOfTwo(int value)
{
    return value > 0 && (value & (value - 1)) == 0;
}

// The problem of one attribute at where, or nothing. An absent or empty attribute takes the
// format's default and is always fine.
std::optional<std::string> attributeProblem(XmlNode node, const Check &check, const std::string &where)
{
    const std::string text = GetAttr(node, check.attribute);
    if (text.empty())
        return std::nullopt;
    int value = 0;
    try {
        value = GetAttrInt(node, check.attribute, 0);
    } catch (const ConversionError &) {
        return FormatText("%1: атрибут «%2» = «%3» — не целое число", {where, check.attribute, text});
    }
    const bool zeroAllowed = check.rule == Rule::PowerOfTwoOrZero && value == 0;
    if (check.rule != Rule::Range && !zeroAllowed && (!isPowerOfTwo(value) || value > check.high))
        return FormatText("%1: атрибут «%2» = %3 — не степень двойки от 1 до %4",
                          {where, check.attribute, text, std::to_string(check.high)});
    if (value < check.low || value > check.high)
        return FormatText(
            "%1: атрибут «%2» = %3 вне допустимых значений %4…%5",
            {where, check.attribute, text, std::to_string(check.low), std::to_string(check.high)});
    return std::nullopt;
}

std::optional<std::string> firstProblem(XmlNode node, std::initializer_list<Check> checks,
                                        const std::string &where)
{
    for (const Check &check : checks) {
        if (auto problem = attributeProblem(node, check, where))
            return problem;
    }
    return std::nullopt;
}

std::string tooMany(const std::string &where, int limit, const char *element)
{
    return FormatText("%1: больше %2 элементов «%3»", {where, std::to_string(limit), element});
}

std::optional<std::string> voiceProblem(XmlNode voice, const std::string &where)
{
    if (auto problem = firstProblem(voice, {{"H", 0, limits::MaxVoiceNumber}}, where))
        return problem;
    int index = 0;
    for (XmlNode note : voice.children("Note")) {
        if (++index > limits::MaxNotesPerVoice)
            return tooMany(where, limits::MaxNotesPerVoice, "Note");
        const std::string at = FormatText("%1, нота %2", {where, std::to_string(index)});
        if (auto problem = firstProblem(note,
                                        {{"High", limits::LowestHigh, limits::HighestHigh},
                                         {"Long", 0, limits::ShortestLength, Rule::PowerOfTwoOrZero},
                                         {"P", 0, 1}},
                                        at))
            return problem;
    }
    return std::nullopt;
}

std::optional<std::string> partProblem(XmlNode part, int number, int staves)
{
    const std::string where = FormatText("часть %1", {std::to_string(number)});
    if (auto problem = firstProblem(part,
                                    {{"DefaultLength", -1, limits::MaxVoiceNumber},
                                     {"CurrentVoice", 0, 3},
                                     {"FirstTactChi", 0, limits::MaxBeats},
                                     {"FirstTactZna", 0, limits::ShortestLength, Rule::PowerOfTwoOrZero}},
                                    where))
        return problem;
    // An unknown clef code is reported and drawn as the alto clef when the staff is drawn; here it
    // only has to be a number.
    for (int staff = 0; staff < staves; ++staff) {
        const std::string key = "Key" + std::to_string(staff);
        if (auto problem = attributeProblem(part, {key.c_str(), INT_MIN, INT_MAX}, where))
            return problem;
    }
    if (XmlNode size = SizeElement(part)) {
        const std::string at = FormatText("%1, размер", {where});
        // A time signature that is there must have beats and a unit.
        if (GetAttr(size, "chi").empty() || GetAttr(size, "zna").empty())
            return FormatText("%1: нет атрибутов «chi» и «zna»", {at});
        if (auto problem = firstProblem(
                size, {{"chi", 1, limits::MaxBeats}, {"zna", 1, limits::ShortestLength, Rule::PowerOfTwo}},
                at))
            return problem;
    }
    if (XmlNode tonality = TonalityElement(part)) {
        if (auto problem = firstProblem(
                tonality, {{"type", INT_MIN, INT_MAX}, {"val", -limits::MaxSigns, limits::MaxSigns}},
                FormatText("%1, тональность", {where})))
            return problem;
    }
    int voices = 0;
    for (XmlNode voice : part.children("Voice")) {
        if (++voices > limits::MaxVoicesPerPart)
            return tooMany(where, limits::MaxVoicesPerPart, "Voice");
        if (auto problem = voiceProblem(voice, FormatText("%1, голос %2", {where, std::to_string(voices)})))
            return problem;
    }
    return std::nullopt;
}

} // namespace

std::string ExerciseValueProblem(pugi::xml_node exercise)
{
    const std::string where = "упражнение";
    if (auto problem = firstProblem(exercise,
                                    {{"PolyphonyVoices", 1, limits::MaxStaves},
                                     {"LimitMin", 0, limits::MaxLimitMinutes},
                                     {"LimitSec", 0, limits::MaxLimitSeconds},
                                     {"CountIteration", 0, limits::MaxIterations},
                                     {"ShowPartsCount", 0, limits::MaxParts},
                                     {"CasualTonality", 0, limits::MaxSigns},
                                     {"DefaultLength", 0, limits::MaxVoiceNumber}},
                                    where))
        return *problem;
    const int staves
        = GetAttr(exercise, "PolyphonyVoices").empty() ? 2 : GetAttrInt(exercise, "PolyphonyVoices", 2);
    int parts = 0;
    for (XmlNode part : exercise.children("Part")) {
        if (++parts > limits::MaxParts)
            return tooMany(where, limits::MaxParts, "Part");
        if (auto problem = partProblem(part, parts, staves))
            return *problem;
    }
    return {};
}

} // namespace pw
