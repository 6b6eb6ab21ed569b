#include "scene3d/scene_values.h"

#include "formula/int_conversion.h"
#include "platform/error.h"
#include "platform/random.h"

#include <algorithm>
#include <cctype>
#include <climits>

namespace pw {

namespace {

constexpr std::size_t MaxItemLength = 1000;

std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string upper(std::string text)
{
    for (char &c : text)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool isRandom(std::string_view text)
{
    return text.size() == 1 && (text[0] == 'R' || text[0] == 'r');
}

} // namespace

SceneValues::SceneValues(Ui &ui, Random &random)
    : m_random(random)
{
    m_formula.SetUi(ui);
    m_formula.SetRandom(random);
    m_formula.InstructionLimit = InstructionBudget;
    Reset();
}

void SceneValues::Reset()
{
    m_names = {"WIDTH", "HEIGHT"};
    m_values = {TCalcItem::Number(0), TCalcItem::Number(0)};
}

void SceneValues::SetSize(int width, int height)
{
    m_values[0] = TCalcItem::Number(width);
    m_values[1] = TCalcItem::Number(height);
}

std::ptrdiff_t SceneValues::find(const std::string &upperName) const
{
    const auto it = std::find(m_names.begin(), m_names.end(), upperName);
    return it == m_names.end() ? -1 : it - m_names.begin();
}

void SceneValues::SetVariable(const std::string &name, const std::string &formula, bool force)
{
    const std::string key = upper(name);
    const std::ptrdiff_t at = find(key);
    if (at >= 0 && !force)
        return;
    const double value = Evaluate(formula, 0);
    if (at >= 0) {
        m_values[std::size_t(at)] = TCalcItem::Number(value);
        return;
    }
    if (m_names.size() >= MaxVariables)
        throw RangeError("Больше " + std::to_string(MaxVariables) + " переменных сцены: " + name);
    m_names.push_back(key);
    m_values.push_back(TCalcItem::Number(value));
}

std::optional<double> SceneValues::Variable(const std::string &name) const
{
    const std::ptrdiff_t at = find(upper(name));
    if (at < 0)
        return std::nullopt;
    return m_values[std::size_t(at)].number;
}

double SceneValues::random()
{
    constexpr int Steps = 1 << 30;
    return double(m_random.below(Steps)) / Steps;
}

double SceneValues::Evaluate(std::string_view text, double def)
{
    const std::string_view formula = trimmed(text);
    if (formula.empty())
        return def;
    if (isRandom(formula))
        return random();
    return m_formula.Compute(std::string(formula), m_values, m_names);
}

double SceneValues::Number(XmlNode node, const char *attr, double def)
{
    return Evaluate(GetAttr(node, attr), def);
}

int SceneValues::Integer(XmlNode node, const char *attr, int def)
{
    const double value = Number(node, attr, def);
    const std::int64_t whole = TruncToInt64(value);
    if (whole < INT_MIN || whole > INT_MAX)
        throw RangeError("Число вне диапазона целых: " + GetAttr(node, attr));
    return int(whole);
}

std::vector<std::string> SceneValues::SplitList(std::string_view text)
{
    std::vector<std::string> items;
    while (true) {
        const std::size_t comma = text.find(',');
        std::string_view item = trimmed(text.substr(0, comma));
        if (!item.empty())
            items.emplace_back(item.substr(0, MaxItemLength));
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    return items;
}

} // namespace pw
