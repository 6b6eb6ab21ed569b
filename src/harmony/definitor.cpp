#include "harmony/definitor.h"

#include "document/exercise_nodes.h"

#include "document/xml_file.h"
#include "platform/text_format.h"
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

// The rule sets (Def or Tra elements of a Definitors element) the group names by its children of
// that element, in file order. Names are compared as values.
std::vector<XmlNode> namedSets(const pugi::xml_document &doc, XmlNode group, const char *element)
{
    std::vector<std::string> names;
    for (XmlNode item : group.children(element))
        names.push_back(GetAttr(item, "name"));
    std::vector<XmlNode> sets;
    for (const pugi::xpath_node &found : SelectNodes(doc, std::string("//Definitors/") + element)) {
        if (std::find(names.begin(), names.end(), GetAttr(found.node(), "name")) != names.end())
            sets.push_back(found.node());
    }
    return sets;
}

// A movement range of the rule (xfrom .. xto): absent or "*" matches any movement.
std::string rangeTerm(const std::string &x)
{
    return "( (not (@" + x + "from))  or (@" + x + "from= '*') or ((@" + x + "from <= $" + x + ") and @" + x
        + "to >= $" + x + "))";
}

// A rule's pitch class of a voice (pcNprev, pcNnext): absent or "*" matches any note.
std::string pitchClassTerm(const std::string &x)
{
    return "( (not (@" + x + ")) or (@" + x + "= '*') or (@" + x + "= $" + x + "))";
}

// A descriptor of one side of the step (Tfrom, Mto, ...): absent or "*" matches any chord.
std::string sideTerm(const std::string &x)
{
    return "( (not (@" + x + "))  or (@" + x + "= '*') or (@" + x + "= $" + x + "))";
}

constexpr std::array<const char *, 4> SideLetters {"T", "S", "L", "M"};

// The transition query: fixed text, every value of the step a variable, so that it is compiled
// once and nothing read from a file can change what it asks.
const std::string &transitionQuery()
{
    static const std::string query = [] {
        std::string terms;
        const auto add = [&](const std::string &term) { terms += (terms.empty() ? "" : " and ") + term; };
        for (const char *suffix : {"from", "to"}) {
            for (const char *letter : SideLetters)
                add(sideTerm(std::string(letter) + suffix));
        }
        for (int v = 0; v < 4; ++v)
            add(rangeTerm("v" + std::to_string(v)));
        add(rangeTerm("remv"));
        for (int v = 0; v < 4; ++v) {
            add(pitchClassTerm("pc" + std::to_string(v) + "prev"));
            add(pitchClassTerm("pc" + std::to_string(v) + "next"));
        }
        return "T[" + terms + "]";
    }();
    return query;
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

std::array<std::string, 3> LabelPieces(std::string_view label)
{
    std::array<std::string, 3> pieces;
    std::size_t piece = 0;
    for (char c : label) {
        if (c == '|') {
            if (++piece == pieces.size())
                break;
            continue;
        }
        pieces[piece] += c;
    }
    return pieces;
}

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
    m_selected.reset();
    m_answers.clear();
    m_group = XmlNode();
    m_definitions.clear();
    m_transitions.clear();
    m_hasTransitions = false;
    m_voicesCount = -1;
    m_doc->reset();
    const XmlLoadResult read = ReadXmlFile(*m_doc, file);
    if (read.status == XmlFileStatus::Missing)
        m_ui.message("Ошибка", "Файл не найден");
    else if (!read)
        m_ui.message("Ошибка", FormatText("Файл правил %1 не загружен: %2", {file.string(), read.reason}));
}

void TMusDefinitor::selectGroup(const std::string &groupName)
{
    // Every query names its group; the rule file does not change between loads.
    if (m_selected == groupName)
        return;
    m_selected = groupName;
    m_answers.clear();
    m_group = SelectNode(*m_doc, "//Definitors/Gr[@name=$group]", {{"group", groupName}});
    m_definitions = namedSets(*m_doc, m_group, "Def");
    m_transitions = namedSets(*m_doc, m_group, "Tra");
    m_hasTransitions = static_cast<bool>(m_group.child("Tra"));
    m_voicesCount = m_group ? GetAttrInt(m_group, "VoicesCount", 0) : -1;
    m_normalise = m_group && GetAttr(m_group, "Norm") == "Y";
}

XmlNode TMusDefinitor::firstInDefinitions(std::string_view query, PathValues values) const
{
    return firstInSets(m_definitions, query, values);
}

XmlNode TMusDefinitor::firstInSets(const std::vector<XmlNode> &sets, std::string_view query,
                                   PathValues values) const
{
    // Texts are length-prefixed, so no two different questions share a key.
    std::string key(query);
    for (const PathValue &value : values) {
        key += '\0';
        key += value.name;
        if (value.isNumber) {
            key += "#" + std::to_string(value.number);
        } else {
            key += "$" + std::to_string(value.text.size()) + ":";
            key += value.text;
        }
    }
    if (const auto found = m_answers.find(key); found != m_answers.end())
        return found->second;
    XmlNode answer;
    for (XmlNode set : sets) {
        if ((answer = SelectNode(set, query, values)))
            break;
    }
    // Movements make many different questions in a long piece: keep the memory bounded.
    constexpr std::size_t MaxRemembered = 16384;
    if (m_answers.size() >= MaxRemembered)
        m_answers.clear();
    m_answers.emplace(std::move(key), answer);
    return answer;
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
    const XmlNode chord
        = firstInDefinitions("A[Note[ ( @High=$p ) and (( @TT=$tt ) or (@TT = '*') ) ]]",
                             {{"p", static_cast<double>(p)}, {"tt", std::to_string(tonalityType)}});
    return chord ? GetAttr(chord, "N") : "?";
}

std::unique_ptr<TAccordInfo> TMusDefinitor::IdentifyChord(const std::string &groupName, int bass, int tenor,
                                                          int alto, int soprano)
{
    selectGroup(groupName);
    if (!m_group)
        return nullptr;
    const VoicePitches p = Normalised({bass, tenor, alto, soprano});
    const XmlNode shape = firstInDefinitions("A/V[@V0=$v0 and @V1=$v1 and @V2=$v2 and @V3=$v3]",
                                             {{"v0", static_cast<double>(p[0])},
                                              {"v1", static_cast<double>(p[1])},
                                              {"v2", static_cast<double>(p[2])},
                                              {"v3", static_cast<double>(p[3])}});
    if (!shape)
        return nullptr;
    return std::make_unique<TAccordInfo>(shape, "N", m_ui);
}

Movement TMusDefinitor::MovementOf(const VoicePitches &previous, const VoicePitches &current)
{
    Movement movement;
    for (std::size_t v = 0; v < 4; ++v) {
        movement.moves[v] = previous[v] - current[v];
        if (v > 0 && previous[v] == current[v])
            ++movement.held;
        movement.classesBefore[v] = pitchClassOf(previous[v]);
        movement.classesAfter[v] = pitchClassOf(current[v]);
    }
    return movement;
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

std::string TMusDefinitor::TransitionName(XmlNode previousNote, XmlNode currentNote, const Movement &movement)
{
    if (!m_hasTransitions)
        return {};
    if (!previousNote || !currentNote || ChordName(previousNote) == "?" || ChordName(currentNote) == "?")
        return "?";
    const XmlNode rule = TransitionRule(previousNote, currentNote, movement);
    if (!rule)
        return "?";
    const std::string name = GetAttr(rule, "N");
    return name.empty() ? GetAttr(rule.parent(), "N") : name;
}

XmlNode TMusDefinitor::TransitionRule(XmlNode previousNote, XmlNode currentNote, const Movement &movement)
{
    if (!m_hasTransitions || !previousNote || !currentNote)
        return {};
    const TAccordInfo previous(previousNote, ChordNameAttribute, m_ui);
    const TAccordInfo current(currentNote, ChordNameAttribute, m_ui);
    const auto number = [](int value) { return static_cast<double>(value); };
    const PathValues values {
        {"Tfrom", previous.T},
        {"Sfrom", previous.S},
        {"Lfrom", previous.L},
        {"Mfrom", previous.M},
        {"Tto", current.T},
        {"Sto", current.S},
        {"Lto", current.L},
        {"Mto", current.M},
        {"v0", number(movement.moves[0])},
        {"v1", number(movement.moves[1])},
        {"v2", number(movement.moves[2])},
        {"v3", number(movement.moves[3])},
        {"remv", number(movement.held)},
        {"pc0prev", number(movement.classesBefore[0])},
        {"pc0next", number(movement.classesAfter[0])},
        {"pc1prev", number(movement.classesBefore[1])},
        {"pc1next", number(movement.classesAfter[1])},
        {"pc2prev", number(movement.classesBefore[2])},
        {"pc2next", number(movement.classesAfter[2])},
        {"pc3prev", number(movement.classesBefore[3])},
        {"pc3next", number(movement.classesAfter[3])},
    };
    return firstInSets(m_transitions, transitionQuery(), values);
}

std::vector<GroupChord> TMusDefinitor::GroupChords(const std::string &groupName)
{
    selectGroup(groupName);
    std::vector<GroupChord> chords;
    for (XmlNode set : m_definitions) {
        for (XmlNode a : set.children("A")) {
            GroupChord chord {GetAttr(a, "N"), GetAttr(a, "T"), GetAttr(a, "S"), {}};
            for (XmlNode v : a.children("V")) {
                chord.shapes.push_back({GetAttrInt(v, "V0", 0), GetAttrInt(v, "V1", 0),
                                        GetAttrInt(v, "V2", 0), GetAttrInt(v, "V3", 0)});
            }
            chords.push_back(std::move(chord));
        }
    }
    return chords;
}

std::vector<XmlNode> TMusDefinitor::TransitionRules() const
{
    std::vector<XmlNode> rules;
    for (XmlNode set : m_transitions) {
        for (XmlNode rule : set.children("T"))
            rules.push_back(rule);
    }
    return rules;
}

std::string TMusDefinitor::LocalLabel(std::string_view kind, std::string_view position,
                                      std::string_view russianText) const
{
    if (m_language == "Russian")
        return std::string(russianText);
    return LabelTranslation(kind, position, russianText, m_language).value_or(std::string(russianText));
}

std::optional<std::string> TMusDefinitor::LabelTranslation(std::string_view kind, std::string_view position,
                                                           std::string_view russianText,
                                                           std::string_view language) const
{
    const XmlNode label
        = SelectNode(m_doc->document_element(), "//LS/S[@T=$kind and @P=$position and @N=$text]",
                     {{"kind", kind}, {"position", position}, {"text", russianText}});
    const std::string translated = GetAttr(label, "N" + std::string(firstCharacter(language)));
    if (translated.empty())
        return std::nullopt;
    return translated;
}

std::array<std::string, 3> TMusDefinitor::LocalLabelPieces(std::string_view label) const
{
    std::array<std::string, 3> pieces = LabelPieces(label);
    for (std::size_t i = 0; i < pieces.size(); ++i)
        pieces[i] = LocalLabel("A", std::to_string(i + 1), pieces[i]);
    return pieces;
}

} // namespace pw
