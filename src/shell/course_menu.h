#pragma once

#include "document/xml_access.h"
#include "platform/ui.h"

#include <pugixml.hpp>

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace pw {

struct Tdm;

// The two navigation trees a menu item can be shown in.
enum class CourseTree { Menu, Cont };

// Where the node of one item sits: its tree, the item index of its parent node (-1 at top level)
// and its icon index in the tree image list.
struct TMenuNode
{
    CourseTree tree = CourseTree::Menu;
    int parent = -1;
    int icon = 8;
};

// The first item marked "Debug": the lesson opened at start instead of the default one.
struct TDebugLesson
{
    std::string File;
    std::string Type;
    // The plain "Text", without a language suffix.
    std::string Text;
};

// The course menu: the menu document and, per item index (contents copies included), the values
// the trees and the lesson dispatch need. It knows no widgets: Nodes says where each item's node
// belongs, and the tree widgets are built from it in item order.
class txmlmenu
{
public:
    explicit txmlmenu(Ui &ui);

    // Reads the menu file for the language; 0 on success, -1 when the file has no root element
    // or an item cannot be placed (both after a message). On failure the object is empty.
    int Load(const std::filesystem::path &file, const std::string &language);

    XmlNode Doc() const { return m_doc; }
    int Count() const { return static_cast<int>(Texts.size()); }
    // Whether item x opens a lesson (a type other than "Summary"); otherwise it is a heading.
    bool IsLesson(int x) const;

    std::vector<std::string> Files;
    std::vector<std::string> Types;
    std::vector<std::string> Texts;
    std::vector<std::string> SumTexts;
    std::vector<XmlNode> Parms;
    std::vector<TMenuNode> Nodes;
    std::array<int, 10> LevelLast {};
    int FirstSummary = 0;
    // "Expand" of the first "Menu" is "Y": the tree that received the last item opens fully.
    bool Expand = false;
    CourseTree LastTree = CourseTree::Menu;
    std::optional<TDebugLesson> DebugItem;

private:
    void clear();
    void readItems(const std::string &language);
    void addItem(XmlNode item, const std::string &language);
    void gatherInto(int heading, const std::string &forType, int forIndex);
    int append(const std::string &file, const std::string &type, const std::string &text,
               const std::string &sumText, XmlNode parm, TMenuNode node);

    Ui &m_ui;
    pugi::xml_document m_doc;
};

// Whether two data file names name the same file, however the menu spells them (backslashes or
// slashes, any case).
bool SameDataFile(const std::string &a, const std::string &b);

// The caption in language of the menu's item of that type that has the file, or (for items
// without one) whose caption in any language is the given one; the given caption when no item
// matches. Results recorded in one language are named in another this way.
std::string MenuCaption(const txmlmenu &menu, const std::string &type, const std::string &file,
                        const std::string &caption, const std::string &language);

// The icon an item gets from its type when its "Idx" is absent or -1.
int DefaultIcon(const std::string &type);

// The course menu file of the data module: xml/<MenuName>.xml under DataDir.
std::filesystem::path MenuFilePath(const Tdm &tdm);

} // namespace pw
