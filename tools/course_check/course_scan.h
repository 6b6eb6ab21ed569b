#pragma once

// What the checks of one course share: the folder and language, the faults found so far, the
// translation of the program's messages, and the files the menu names, gathered once.

#include "course_check/course_check.h"

#include "config/localization.h"
#include "document/xml_access.h"
#include "platform/recording_ui.h"
#include "quest/quest_overlays.h"
#include "quest/quest_parms.h"
#include "shell/lesson_kind.h"

#include <pugixml.hpp>

#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace pw {

class TMusDefinitor;

// A picture loader that tells a missing file from one that is not a picture: the readers above it
// turn both into one error.
class CheckedPictures : public BitmapLoader
{
public:
    explicit CheckedPictures(BitmapLoader *reader)
        : m_reader(reader)
    {
    }
    std::unique_ptr<Bitmap> load(const std::filesystem::path &file) override;
    // Whether the last load that failed found no file.
    bool lastFailureMissing() const { return m_missing; }

private:
    BitmapLoader *m_reader;
    bool m_missing = false;
};

// A menu item as the faults name it: its number among the menu's items (from 1) and its caption.
struct MenuItemRef
{
    int number = 0;
    std::string caption;
    XmlNode node;

    std::string where() const;
};

// A lesson file the menu names, found.
struct LessonFile
{
    std::filesystem::path path;
    // The name as the menu writes it.
    std::string name;
    LessonKind kind = LessonKind::None;
};

// A page the program shows, in the language variant of the course's language where there is one.
struct CoursePage
{
    std::filesystem::path path;
    // The name as the course writes it.
    std::string name;
};

class CourseScan
{
public:
    explicit CourseScan(const CourseCheckOptions &options);
    ~CourseScan();

    const std::filesystem::path &dataDir() const { return m_dataDir; }
    const std::string &language() const { return m_options.language; }
    bool english() const { return m_options.language != "Russian"; }
    const std::filesystem::path &programDir() const { return m_options.programDir; }

    // A name from a data file (backslashes, any case) as the program finds it.
    std::filesystem::path resolve(const std::string &name) const;
    static bool isFile(const std::filesystem::path &path);
    // The file as the faults name it: relative to the course folder, with "/" (in full outside it).
    std::string label(const std::filesystem::path &file) const;

    void add(const std::filesystem::path &file, std::string text, std::optional<int> line = std::nullopt);
    // A fault of a menu item, told after those of the items before it.
    void addToItem(const MenuItemRef &item, const std::string &text);
    // A text of the program (built-in Russian) in English, by the Phrases of its Localize.xml.
    std::string inEnglish(const std::string &russian) const;
    // A message box of the program as "caption: text" in English, leaving out a bare caption or
    // text such as "Error".
    std::string messageText(const RecordingUi::Message &message) const;
    // The faults found, ordered as CheckCourse gives them.
    std::vector<CourseProblem> takeProblems();

    CheckedPictures &pictures() { return m_pictures; }

    // Reads an XML file as the program does; a fault names the file when it is missing or does
    // not load.
    bool readXml(const std::filesystem::path &file, pugi::xml_document &doc);

    // Gathered from the menu; each file once, in the order the menu names them.
    void addLesson(const std::filesystem::path &path, const std::string &name, LessonKind kind);
    void addPage(const std::filesystem::path &path, const std::string &name);
    const std::vector<LessonFile> &lessons() const { return m_lessons; }
    const std::vector<CoursePage> &pages() const { return m_pages; }
    // The menu and its items as read from the file (contents copies aside), and its drills.
    std::filesystem::path menuPath;
    pugi::xml_document menu;
    std::vector<MenuItemRef> items;
    std::vector<MenuItemRef> drills;

    // The notation parameters of sys.xml (the course's, else the program's): the questionnaires'
    // display parameters and overlay kinds.
    TQUESTPARM questParms;
    std::unique_ptr<AddGrafs> overlays;
    RecordingUi overlayUi;

    // The rule base and its definitor, once it has loaded.
    std::filesystem::path ruleBaseFile;
    pugi::xml_document ruleBase;
    RecordingUi rulesUi;
    std::unique_ptr<TMusDefinitor> definitor;

private:
    CourseCheckOptions m_options;
    std::filesystem::path m_dataDir;
    Localization m_phrases;
    CheckedPictures m_pictures;
    // Each fault with its place in the file where it has no line: the menu item's number.
    std::vector<std::pair<CourseProblem, int>> m_problems;
    std::vector<LessonFile> m_lessons;
    std::vector<CoursePage> m_pages;
    std::set<std::filesystem::path> m_seen;
};

// Whether a text has Cyrillic letters: a Russian text where an English one should stand.
bool HasCyrillic(std::string_view text);

} // namespace pw
