#include "harmony/definitor.h"

#include "document/exercise_nodes.h"

#include "document/xml_file.h"
#include "platform/ui.h"

#include <algorithm>

// Queries go through pw::SelectNode: the expressions built here never hold a numeric index
// predicate outside a quoted literal, so its 0-based rewrite leaves them as standard XPath, and an
// invalid expression comes back as XmlError carrying the XPath message.

namespace pw {

namespace {

struct Descriptor
{
    const char *attr;
    const char *field;
    std::array<const char *, 3> allowed;
};

constexpr std::array<Descriptor, 4> Descriptors {{
    {"T", "Основа", {"T", "S", "D"}},
    {"S", "Подтип", {"T", "K", "6"}},
    {"L", "Размещение", {"N", "W", "M"}},
    {"M", "Мелодическая позиция", {"1", "3", "5"}},
}};

// The element's attribute, or its parent's when empty or absent.
std::string inherited(XmlNode element, std::string_view name)
{
    std::string value = GetAttr(element, name);
    return value.empty() ? GetAttr(element.parent(), name) : value;
}

int octaveIndex(int p)
{
    return p / 12;
} // truncates toward zero, as the rule files expect
int remainder(int p)
{
    return p - 12 * octaveIndex(p);
}

// "@name='a' or @name='b'" over the named children of the group.
std::string nameTerms(XmlNode group, const char *child)
{
    std::string terms;
    for (XmlNode item : group.children(child)) {
        if (!terms.empty())
            terms += " or ";
        terms += "@name='" + GetAttr(item, "name") + "'";
    }
    return terms;
}

std::string rangeTerm(const std::string &x, int d)
{
    const std::string n = std::to_string(d);
    return "( (not (@" + x + "from))  or (@" + x + "from= '*') or ((@" + x + "from <= " + n + ") and @" + x
        + "to >=" + n + "))";
}

// A rule's pitch class of a voice (pcNprev, pcNnext): absent or "*" matches any note.
std::string pitchClassTerm(const std::string &x, int pitchClass)
{
    return "( (not (@" + x + ")) or (@" + x + "= '*') or (@" + x + "= " + std::to_string(pitchClass) + "))";
}

// Counted from the reference tonic; a rest has none (-1 matches no rule that names a class).
int pitchClassOf(int pitch)
{
    return pitch < 0 ? -1 : pitch % 12;
}

// The bytes of the first UTF-8 character.
std::string_view firstCharacter(std::string_view text)
{
    if (text.empty())
        return text;
    std::size_t n = 1;
    while (n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        ++n;
    return text.substr(0, n);
}

} // namespace

TAccordInfo::TAccordInfo(XmlNode element, std::string_view nameAttr, Ui &ui)
    : name(inherited(element, nameAttr))
    , T(inherited(element, "T"))
    , S(inherited(element, "S"))
    , L(inherited(element, "L"))
    , M(inherited(element, "M"))
    , TT(inherited(element, "TT"))
{
    validate(ui);
}

void TAccordInfo::validate(Ui &ui) const
{
    const std::array<const std::string *, 4> values {&T, &S, &L, &M};
    for (std::size_t i = 0; i < Descriptors.size(); ++i) {
        const Descriptor &d = Descriptors[i];
        const std::string &value = *values[i];
        if (value.empty())
            ui.message(std::string("Не указано ") + d.field + " в " + name, "Ошибка");
        if (std::find(d.allowed.begin(), d.allowed.end(), value) == d.allowed.end()) {
            ui.message("Значение " + value + " в " + d.field + " недопустимо", "Ошибка");
            return;
        }
    }
}

void TAccordInfo::WriteTo(XmlNode element, std::string_view nameAttr) const
{
    const std::array<std::pair<std::string_view, const std::string *>, 6> fields {
        {{nameAttr, &name}, {"T", &T}, {"S", &S}, {"L", &L}, {"TT", &TT}, {"M", &M}}};
    for (const auto &[attr, value] : fields) {
        if (!value->empty())
            SetAttr(element, attr, *value);
    }
}

std::string TAccordInfo::SideCondition(std::string_view suffix) const
{
    const std::array<std::pair<const char *, const std::string *>, 4> fields {
        {{"T", &T}, {"S", &S}, {"L", &L}, {"M", &M}}};
    std::string condition;
    for (const auto &[letter, value] : fields) {
        const std::string x = letter + std::string(suffix);
        if (!condition.empty())
            condition += " and ";
        condition += "( (not (@" + x + "))  or (@" + x + "= '*') or (@" + x + "= '" + *value + "'))";
    }
    return condition;
}

TMusDefinitor::TMusDefinitor(std::filesystem::path file, Ui &ui, std::string language)
    : m_file(std::move(file))
    , m_ui(ui)
    , m_language(std::move(language))
    , m_doc(std::make_unique<pugi::xml_document>())
{
    load(m_file);
}

void TMusDefinitor::Reload(const std::filesystem::path &file)
{
    m_file = file;
    load(m_file);
}

void TMusDefinitor::Reload()
{
    load(m_file);
}

void TMusDefinitor::load(const std::filesystem::path &file)
{
    m_group = XmlNode();
    m_definitionPrefix.clear();
    m_transitionPrefix.clear();
    m_voicesCount = -1;
    m_selectedName.reset();
    m_answers.clear();
    m_rootAnswers.clear();
    m_doc->reset();
    LoadXmlFile(*m_doc, file);
    if (!m_doc->document_element())
        m_ui.message("Ошибка", "Файл не найден");
}

XmlNode TMusDefinitor::selectRemembered(XmlNode context, const std::string &query) const
{
    auto &answers = context == m_doc->document_element() ? m_rootAnswers : m_answers;
    if (const auto found = answers.find(query); found != answers.end())
        return found->second;
    const XmlNode answer = SelectNode(context, query);
    // The step queries name the voices' movements: keep the memory bounded.
    if (answers.size() >= 8192)
        answers.clear();
    answers.emplace(query, answer);
    return answer;
}

void TMusDefinitor::selectGroup(const std::string &groupName)
{
    // Selecting the group selected last changes nothing.
    if (m_selectedName && *m_selectedName == groupName)
        return;
    m_selectedName.reset();
    m_definitionPrefix.clear();
    m_group = SelectNode(*m_doc, "//Definitors/Gr[@name='" + groupName + "']");
    if (!m_group) {
        m_voicesCount = -1;
        m_normalise = false;
        m_transitionPrefix.clear();
        m_selectedName = groupName;
        return;
    }
    m_definitionPrefix = "//Definitors/Def[" + nameTerms(m_group, "Def") + "]/";
    m_voicesCount = GetAttrInt(m_group, "VoicesCount", 0);
    m_normalise = GetAttr(m_group, "Norm") == "Y";
    m_transitionPrefix.clear();
    if (m_group.child("Tra"))
        m_transitionPrefix = "//Definitors/Tra[" + nameTerms(m_group, "Tra") + "]/";
    m_selectedName = groupName;
}

int TMusDefinitor::GroupVoicesCount(const std::string &groupName)
{
    selectGroup(groupName);
    return m_voicesCount;
}

std::string TMusDefinitor::NoteChordName(const std::string &groupName, int high, int tonalityType)
{
    selectGroup(groupName);
    if (!m_group)
        return "?";
    const int p = m_normalise ? remainder(high) : high;
    XmlNode chord = selectRemembered(*m_doc,
                                     m_definitionPrefix + "A[Note[ ( @High=" + std::to_string(p) + " ) and (( @TT='"
                                   + std::to_string(tonalityType) + "'or (@TT = '*') ) )]]");
    return chord ? GetAttr(chord, "N") : "?";
}

std::unique_ptr<TAccordInfo> TMusDefinitor::IdentifyChord(const std::string &groupName, int bass, int tenor,
                                                          int alto, int soprano)
{
    selectGroup(groupName);
    if (!m_group)
        return nullptr;
    const VoicePitches p = Normalised({bass, tenor, alto, soprano});
    XmlNode shape = selectRemembered(*m_doc,
                                     m_definitionPrefix + "A/V[" + "@V0=" + std::to_string(p[0])
                                   + " and @V1=" + std::to_string(p[1]) + " and @V2=" + std::to_string(p[2])
                                   + " and @V3=" + std::to_string(p[3]) + " ]");
    if (!shape)
        return nullptr;
    return std::make_unique<TAccordInfo>(shape, "N", m_ui);
}

std::string TMusDefinitor::MovementCondition(const VoicePitches &previous, const VoicePitches &current) const
{
    std::string condition;
    int held = 0;
    for (int i = 0; i < 4; ++i) {
        const auto v = static_cast<std::size_t>(i);
        const int d = previous[v] - current[v];
        if (i > 0 && previous[v] == current[v])
            ++held;
        condition += " and " + rangeTerm("v" + std::to_string(i), d);
    }
    condition += " and " + rangeTerm("remv", held);
    // The pitch classes a voice moves between, for rules that forbid a motion in itself (the
    // augmented second of minor).
    for (int i = 0; i < 4; ++i) {
        const auto v = static_cast<std::size_t>(i);
        condition += " and " + pitchClassTerm("pc" + std::to_string(i) + "prev", pitchClassOf(previous[v]));
        condition += " and " + pitchClassTerm("pc" + std::to_string(i) + "next", pitchClassOf(current[v]));
    }
    return condition;
}

VoicePitches TMusDefinitor::Normalised(VoicePitches p) const
{
    if (!m_normalise)
        return p;
    // The bass and the upper voices are reduced independently: the bass to its pitch class, the
    // upper three as a block to the lowest octave that keeps their spacing.
    p[0] = remainder(p[0]);
    const int lowest = std::min({10, octaveIndex(p[1]), octaveIndex(p[2]), octaveIndex(p[3])});
    for (std::size_t v = 1; v < 4; ++v)
        p[v] -= 12 * lowest;
    return p;
}

std::string TMusDefinitor::TransitionName(XmlNode previousNote, XmlNode currentNote,
                                          const std::string &movementCondition)
{
    if (m_transitionPrefix.empty())
        return {};
    if (!previousNote || !currentNote || ChordName(previousNote) == "?" || ChordName(currentNote) == "?")
        return "?";
    const XmlNode rule = TransitionRule(previousNote, currentNote, movementCondition);
    if (!rule)
        return "?";
    const std::string name = GetAttr(rule, "N");
    return name.empty() ? GetAttr(rule.parent(), "N") : name;
}

XmlNode TMusDefinitor::TransitionRule(XmlNode previousNote, XmlNode currentNote,
                                      const std::string &movementCondition)
{
    if (m_transitionPrefix.empty() || !previousNote || !currentNote)
        return {};
    const TAccordInfo previous(previousNote, ChordNameAttribute, m_ui);
    const TAccordInfo current(currentNote, ChordNameAttribute, m_ui);
    return selectRemembered(*m_doc,
                            m_transitionPrefix + "T[" + previous.SideCondition("from") + " and "
                          + current.SideCondition("to") + movementCondition + "]");
}

std::vector<GroupChord> TMusDefinitor::GroupChords(const std::string &groupName)
{
    selectGroup(groupName);
    std::vector<GroupChord> chords;
    if (!m_group)
        return chords;
    for (const pugi::xpath_node &found : SelectNodes(*m_doc, m_definitionPrefix + "A")) {
        const XmlNode a = found.node();
        GroupChord chord {GetAttr(a, "N"), GetAttr(a, "T"), GetAttr(a, "S"), {}};
        for (XmlNode v : a.children("V")) {
            chord.shapes.push_back({GetAttrInt(v, "V0", 0), GetAttrInt(v, "V1", 0), GetAttrInt(v, "V2", 0),
                                    GetAttrInt(v, "V3", 0)});
        }
        chords.push_back(std::move(chord));
    }
    return chords;
}

std::vector<XmlNode> TMusDefinitor::TransitionRules() const
{
    std::vector<XmlNode> rules;
    if (m_transitionPrefix.empty())
        return rules;
    for (const pugi::xpath_node &found : SelectNodes(*m_doc, m_transitionPrefix + "T"))
        rules.push_back(found.node());
    return rules;
}

std::string TMusDefinitor::LocalLabel(std::string_view kind, std::string_view position,
                                      std::string_view russianText) const
{
    // A quote cannot stand inside the lookup's literals; such a label has no translation rather
    // than breaking the drawing.
    if (m_language == "Russian" || russianText.find('\'') != std::string_view::npos
        || kind.find('\'') != std::string_view::npos || position.find('\'') != std::string_view::npos)
        return std::string(russianText);
    XmlNode root = m_doc->document_element();
    XmlNode label = selectRemembered(root,
                               "//LS/S[@T='" + std::string(kind) + "' and @P='" + std::string(position)
                                   + "' and @N='" + std::string(russianText) + "']");
    const std::string translated = GetAttr(label, "N" + std::string(firstCharacter(m_language)));
    return translated.empty() ? std::string(russianText) : translated;
}

} // namespace pw
