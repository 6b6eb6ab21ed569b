#include "shell/course_menu.h"

#include "config/tdm.h"
#include "document/xml_file.h"
#include "platform/error.h"
#include "platform/text_format.h"
#include "shell/lesson_kind.h"

#include <algorithm>
#include <cctype>

namespace pw {

namespace {

const char *const kErrorCaption = "Ошибка";

bool isContentsHeading(XmlNode item)
{
    return LessonKindOf(GetAttr(item, "Type")) == LessonKind::Summary && !GetAttr(item, "ForType").empty();
}

std::string comparable(std::string name)
{
    std::replace(name.begin(), name.end(), '\\', '/');
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    return name;
}

// Whether caption is the item's caption in some language: "Text" or "Text" with a language.
bool hasCaption(XmlNode item, const std::string &caption)
{
    for (const pugi::xml_attribute attribute : item.attributes()) {
        if (std::string_view(attribute.name()).starts_with("Text") && caption == attribute.value())
            return true;
    }
    return false;
}

} // namespace

bool SameDataFile(const std::string &a, const std::string &b)
{
    return comparable(a) == comparable(b);
}

std::string MenuCaption(const txmlmenu &menu, const std::string &type, const std::string &file,
                        const std::string &caption, const std::string &language)
{
    for (const pugi::xpath_node &found : SelectNodes(menu.Doc(), "//Menu/Item")) {
        const XmlNode item = found.node();
        if (GetAttr(item, "Type") != type)
            continue;
        if (file.empty() ? GetAttr(item, "File").empty() && hasCaption(item, caption)
                         : SameDataFile(GetAttr(item, "File"), file))
            return GetAttrLang(item, "Text", language, caption);
    }
    return caption;
}

int DefaultIcon(const std::string &type)
{
    switch (LessonKindOf(type)) {
    case LessonKind::Page:
        return 1;
    case LessonKind::HarmonyExercise:
        return 2;
    case LessonKind::Questionnaire:
        return 4;
    case LessonKind::Results:
        return 10;
    default:
        return 8;
    }
}

std::filesystem::path MenuFilePath(const Tdm &tdm)
{
    return tdm.dataPath("xml\\" + tdm.MenuName + ".xml");
}

txmlmenu::txmlmenu(Ui &ui)
    : m_ui(ui)
{
}

bool txmlmenu::IsLesson(int x) const
{
    const LessonKind kind = LessonKindOf(Types.at(static_cast<std::size_t>(x)));
    return kind != LessonKind::None && kind != LessonKind::Summary;
}

void txmlmenu::clear()
{
    Files.clear();
    Types.clear();
    Texts.clear();
    SumTexts.clear();
    Parms.clear();
    Nodes.clear();
    // -1: no item of that level read yet, so a deeper item has nothing to hang from.
    LevelLast.fill(-1);
    FirstSummary = 0;
    Expand = false;
    LastTree = CourseTree::Menu;
    DebugItem.reset();
}

int txmlmenu::Load(const std::filesystem::path &file, const std::string &language)
{
    clear();
    const XmlLoadResult read = ReadXmlFile(m_doc, file);
    if (read.status == XmlFileStatus::Missing) {
        m_ui.message(kErrorCaption, "Файл меню не найден");
        return -1;
    }
    if (!read) {
        m_ui.message(kErrorCaption, FormatText("Файл меню %1 не загружен: %2", {file.string(), read.reason}));
        return -1;
    }
    Expand = GetAttr(SelectNode(m_doc, "//Menu"), "Expand", "N") == "Y";
    try {
        readItems(language);
    } catch (const Error &error) {
        // A menu that cannot be placed is not shown half-built.
        clear();
        m_ui.message(kErrorCaption, std::string("Ошибка в файле меню: ") + error.what());
        return -1;
    }
    if (const XmlNode debug = SelectNode(m_doc, "//Menu/Item[@Debug]"))
        DebugItem = TDebugLesson {GetAttr(debug, "File"), GetAttr(debug, "Type"), GetAttr(debug, "Text")};
    return 0;
}

void txmlmenu::readItems(const std::string &language)
{
    const pugi::xpath_node_set items = SelectNodes(m_doc, "//Menu/Item");
    bool hasSummary = false;
    for (const pugi::xpath_node &selected : items) {
        const XmlNode item = selected.node();
        const int index = Count();
        addItem(item, language);
        if (!isContentsHeading(item))
            continue;
        if (!hasSummary) {
            FirstSummary = index;
            hasSummary = true;
        }
        gatherInto(index, GetAttr(item, "ForType"), GetAttrInt(item, "ForIndex", -1));
    }
}

void txmlmenu::addItem(XmlNode item, const std::string &language)
{
    const int position = Count() + 1;
    const int level = GetAttrInt(item, "Level", -1);
    if (level < 0 || level > 9)
        throw RangeError("пункт " + std::to_string(position) + " имеет неверный уровень \""
                         + GetAttr(item, "Level") + "\"");
    const int parent = level > 0 ? LevelLast[static_cast<std::size_t>(level - 1)] : -1;
    if (level > 0 && parent < 0)
        throw RangeError("пункту " + std::to_string(position) + " уровня " + std::to_string(level)
                         + " не предшествует пункт уровня " + std::to_string(level - 1));

    // A caption missing in the chosen language falls back to the plain attribute.
    const std::string text = GetAttrLang(item, "Text", language);
    std::string sumText = GetAttrLang(item, "SumText", language);
    if (sumText == "=")
        sumText = text;
    if (sumText.empty() && parent >= 0)
        sumText = Texts[static_cast<std::size_t>(parent)];

    const std::string type = GetAttr(item, "Type");
    int icon = GetAttrInt(item, "Idx", -1);
    if (icon == -1)
        icon = DefaultIcon(type);

    TMenuNode node {CourseTree::Menu, parent, icon};
    if (isContentsHeading(item)) {
        // Contents headings always start a top-level branch of the contents tree, whatever their
        // level, so that the copies they gather stay together under them.
        node.tree = CourseTree::Cont;
        node.parent = -1;
    } else if (parent >= 0) {
        node.tree = Nodes[static_cast<std::size_t>(parent)].tree;
    }
    const int index = append(GetAttr(item, "File"), type, text, sumText, item.child("Parm"), node);
    LevelLast[static_cast<std::size_t>(level)] = index;
}

void txmlmenu::gatherInto(int heading, const std::string &forType, int forIndex)
{
    for (int k = 0; k < FirstSummary; ++k) {
        const auto from = static_cast<std::size_t>(k);
        if (Types[from] != forType || SumTexts[from] == "-")
            continue;
        if (forIndex != -1 && Nodes[from].icon != forIndex)
            continue;
        append(Files[from], Types[from], SumTexts[from], SumTexts[from], Parms[from],
               TMenuNode {CourseTree::Cont, heading, Nodes[from].icon});
    }
}

int txmlmenu::append(const std::string &file, const std::string &type, const std::string &text,
                     const std::string &sumText, XmlNode parm, TMenuNode node)
{
    Files.push_back(file);
    Types.push_back(type);
    Texts.push_back(text);
    SumTexts.push_back(sumText);
    Parms.push_back(parm);
    LastTree = node.tree;
    Nodes.push_back(node);
    return Count() - 1;
}

} // namespace pw
