// The course menu: it loads and places its items as the program does, every item's type is one
// the program runs, and every file an item names is there. The lessons and pages are gathered
// for the checks that read them.

#include "course_check/checks.h"

#include "document/xml_file.h"
#include "shell/course_activation.h"
#include "shell/course_menu.h"

namespace pw {

namespace {

// The menu name of the course's sys.xml ("menu" in the bundled one), else the program's default.
std::filesystem::path menuFile(const CourseScan &scan)
{
    std::string name = "Menu";
    pugi::xml_document sys;
    const std::filesystem::path own = scan.resolve("sys.xml");
    if (CourseScan::isFile(own) && LoadXmlFile(sys, own) && !GetAttr(sys.document_element(), "Menu").empty())
        name = GetAttr(sys.document_element(), "Menu");
    return scan.resolve("xml\\" + name + ".xml");
}

// A file an item names in attribute; a missing one is the item's fault. The file when found.
std::optional<std::filesystem::path> named(CourseScan &scan, const MenuItemRef &item, const char *attribute,
                                           const std::string &name)
{
    const std::filesystem::path path = scan.resolve(name);
    if (CourseScan::isFile(path))
        return path;
    scan.addToItem(item, std::string(attribute) + " \"" + name + "\" is not found");
    return std::nullopt;
}

// A page the program itself shows from the course folder.
void programPage(CourseScan &scan, const std::string &name, const std::string &shownBy)
{
    const std::filesystem::path path = scan.resolve(name);
    if (CourseScan::isFile(path))
        scan.addPage(path, name);
    else
        scan.add(path, "the file is missing (" + shownBy + " shows it)");
}

void checkItem(CourseScan &scan, const MenuItemRef &item)
{
    const std::string type = GetAttr(item.node, "Type");
    const LessonKind kind = LessonKindOf(type);
    const XmlNode parm = item.node.child("Parm");
    const std::string file = GetAttr(item.node, "File");
    const bool lesson = kind != LessonKind::None && kind != LessonKind::Summary;
    switch (kind) {
    case LessonKind::None:
    case LessonKind::Summary:
        break;
    case LessonKind::Unknown:
        scan.addToItem(
            item,
            "the type \"" + type
                + "\" is not a lesson this program runs (it shows html\\unavailable.html instead)");
        programPage(scan, "html\\unavailable.html", "a lesson of an unknown type");
        break;
    case LessonKind::Results:
        // The program builds the page from the student's log.
        break;
    case LessonKind::NoteDrill:
        // A drill names no file; its pictures are in its parameters.
        scan.drills.push_back(item);
        break;
    default:
        if (file.empty()) {
            scan.addToItem(item, "the lesson names no File");
        } else if (const auto path = named(scan, item, "File", file)) {
            if (IsPageLesson(kind))
                scan.addPage(*path, file);
            else
                scan.addLesson(*path, file, kind);
        }
        break;
    }
    if (const std::string pause = GetAttr(parm, "PauseFile"); !pause.empty()) {
        if (const auto path = named(scan, item, "PauseFile", pause))
            scan.addPage(*path, pause);
    }
    // Only a heading shows its contents page.
    if (const std::string contents = GetAttr(parm, "ContentFile"); !lesson && !contents.empty()) {
        if (const auto path = named(scan, item, "ContentFile", contents))
            scan.addPage(*path, contents);
    }
}

} // namespace

void CheckMenu(CourseScan &scan)
{
    scan.menuPath = menuFile(scan);
    if (!scan.readXml(scan.menuPath, scan.menu))
        return;
    // Placed as the trees place them: an item that cannot be placed is the program's message.
    RecordingUi ui;
    txmlmenu menu(ui);
    menu.Load(scan.menuPath, scan.language());
    for (const RecordingUi::Message &message : ui.messages)
        scan.add(scan.menuPath, scan.messageText(message));

    int number = 0;
    for (const pugi::xpath_node &selected : SelectNodes(scan.menu, "//Menu/Item")) {
        const XmlNode node = selected.node();
        // Named by the caption of the course's language, else the Russian one.
        std::string caption = GetAttrLang(node, "Text", scan.language());
        if (caption.empty())
            caption = GetAttrLang(node, "Text", "Russian");
        scan.items.push_back(MenuItemRef {++number, caption, node});
        checkItem(scan, scan.items.back());
    }
    // A heading without a page of its own that is named like a section shows that section's summary.
    for (int x = 0; x < menu.Count(); ++x) {
        if (menu.IsLesson(x))
            continue;
        const std::string page = HeadingPage(menu, x, scan.dataDir());
        if (!page.empty() && CourseScan::isFile(scan.resolve(page)))
            scan.addPage(scan.resolve(page), page);
    }
    programPage(scan, "html\\about.html", "the About window");
    programPage(scan, "html\\keys.html", "the key map (F1)");
}

} // namespace pw
