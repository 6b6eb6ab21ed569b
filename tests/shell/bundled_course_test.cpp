#include "config/language_variant.h"
#include "config/localization.h"
#include "config/tdm.h"
#include "document/xml_file.h"
#include "platform/file_paths.h"
#include "platform/recording_ui.h"
#include "shell/course_menu.h"
#include "shell/lesson_kind.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

using namespace pw;

namespace {

const std::filesystem::path kData = PARTWRITER_BUNDLED_DATA;

bool exists(const std::string &name)
{
    std::error_code ec;
    return std::filesystem::exists(ResolveDataPath(kData, name), ec);
}

bool isPage(const std::string &name)
{
    return name.size() > 5 && name.substr(name.size() - 5) == ".html";
}

// Every file name the menu gives: lesson files and the pages of "Parm".
std::set<std::string> namedFiles()
{
    pugi::xml_document doc;
    EXPECT_TRUE(LoadXmlFile(doc, kData / "xml" / "Menu.xml"));
    std::set<std::string> names;
    for (const pugi::xpath_node &item : SelectNodes(doc, "//Menu/Item")) {
        for (const std::string &name :
             {GetAttr(item.node(), "File"), GetAttr(item.node().child("Parm"), "ContentFile"),
              GetAttr(item.node().child("Parm"), "PauseFile")}) {
            if (!name.empty())
                names.insert(name);
        }
    }
    return names;
}

std::string read(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

} // namespace

TEST(BundledCourse, TheMenuOfTheNotationParametersIsFound)
{
    pugi::xml_document sys;
    ASSERT_TRUE(LoadXmlFile(sys, kData / "sys.xml"));
    Tdm tdm;
    tdm.DataDir = WithTrailingSeparator(kData);
    tdm.MenuName = GetAttr(sys.document_element(), "Menu");
    std::error_code ec;
    EXPECT_TRUE(std::filesystem::exists(MenuFilePath(tdm), ec)) << MenuFilePath(tdm);
}

TEST(BundledCourse, EveryNamedFileExistsWithItsEnglishPage)
{
    const std::set<std::string> names = namedFiles();
    EXPECT_GE(names.size(), 10u);
    for (const std::string &name : names) {
        EXPECT_NE(name.find('\\'), std::string::npos) << name << " is not written with backslashes";
        // The build makes the video beside the programs (the video pane's tests play it).
        if (name.starts_with("video\\"))
            continue;
        EXPECT_TRUE(exists(name)) << name;
        if (isPage(name)) {
            EXPECT_NE(LanguageVariant(kData, name, "English"), name) << name << " has no English page";
        }
    }
    for (int k = 0; k < 6; ++k) {
        const std::string page = "html\\SummaryHelp" + std::to_string(k) + ".html";
        EXPECT_TRUE(exists(page)) << page;
        EXPECT_NE(LanguageVariant(kData, page, "English"), page) << page;
    }
    EXPECT_TRUE(exists("html\\about.html"));
    EXPECT_TRUE(exists("html\\aboutEnglish.html"));
}

TEST(BundledCourse, LoadsInBothLanguagesWithEveryCaption)
{
    for (const std::string language : {"Russian", "English"}) {
        RecordingUi ui;
        txmlmenu menu(ui);
        ASSERT_EQ(menu.Load(kData / "xml" / "Menu.xml", language), 0) << language;
        EXPECT_TRUE(ui.messages.empty());
        for (int i = 0; i < menu.Count(); ++i)
            EXPECT_FALSE(menu.Texts[static_cast<std::size_t>(i)].empty()) << language << " item " << i;
        EXPECT_GT(menu.FirstSummary, 0);
        // The contents list every bundled exercise, but not the authoring template.
        std::set<std::string> gathered;
        for (int i = menu.FirstSummary; i < menu.Count(); ++i) {
            if (menu.Types[static_cast<std::size_t>(i)] == "MusHarmonyExercise")
                gathered.insert(menu.Files[static_cast<std::size_t>(i)]);
        }
        EXPECT_EQ(gathered.size(), 11u);
        EXPECT_TRUE(gathered.count("xml\\Cadence-example.xml"));
        EXPECT_FALSE(gathered.count("xml\\empty.xml"));
        EXPECT_FALSE(menu.DebugItem);
    }
}

// Every item opens a lesson this version runs; the student's results close the test section.
TEST(BundledCourse, EveryItemIsOfAKnownKind)
{
    RecordingUi ui;
    txmlmenu menu(ui);
    ASSERT_EQ(menu.Load(kData / "xml" / "Menu.xml", "English"), 0);
    int results = -1;
    for (int i = 0; i < menu.Count(); ++i) {
        const std::string &type = menu.Types[static_cast<std::size_t>(i)];
        EXPECT_NE(LessonKindOf(type), LessonKind::Unknown) << "item " << i << ": " << type;
        if (LessonKindOf(type) == LessonKind::Results)
            results = i;
    }
    ASSERT_GE(results, 0);
    EXPECT_EQ(menu.Texts[static_cast<std::size_t>(results)], "My results");
    EXPECT_EQ(menu.Nodes[static_cast<std::size_t>(results)].icon, 10);
    EXPECT_LT(results, menu.FirstSummary) << "not gathered into the contents";
}

// The course in its four sections, in order, each with the lessons a student needs of it, and a
// contents heading for every kind of lesson but the results page and the authoring template.
TEST(BundledCourse, TheFourSectionsHoldEveryKindOfLesson)
{
    const std::vector<std::pair<std::string, std::string>> names {
        {"Теория", "Theory"},
        {"Упражнения на гармонизацию", "Harmonisation exercises"},
        {"Упражнения на клавиатуре", "Keyboard exercises"},
        {"Проверка знаний", "Test yourself"}};
    for (const std::string language : {"Russian", "English"}) {
        SCOPED_TRACE(language);
        RecordingUi ui;
        txmlmenu menu(ui);
        ASSERT_EQ(menu.Load(kData / "xml" / "Menu.xml", language), 0);
        std::vector<std::string> sections;
        // Lessons of each kind, by section.
        std::vector<std::map<LessonKind, int>> lessons;
        for (int i = 0; i < menu.FirstSummary; ++i) {
            const auto at = static_cast<std::size_t>(i);
            if (menu.Nodes[at].parent < 0) {
                sections.push_back(menu.Texts[at]);
                lessons.emplace_back();
            } else if (menu.Files[at] != "xml\\empty.xml") {
                ++lessons.back()[LessonKindOf(menu.Types[at])];
            }
        }
        std::vector<std::string> expected;
        for (const auto &[russian, english] : names)
            expected.push_back(language == "Russian" ? russian : english);
        ASSERT_EQ(sections, expected);
        EXPECT_GE(lessons[0][LessonKind::Page], 6);
        EXPECT_EQ(lessons[0][LessonKind::Scene3D], 1);
        EXPECT_EQ(lessons[0][LessonKind::Video], 1);
        EXPECT_GE(lessons[1][LessonKind::HarmonyExercise], 10);
        EXPECT_GE(lessons[2][LessonKind::NoteDrill], 4);
        EXPECT_GE(lessons[3][LessonKind::Questionnaire], 2);
        EXPECT_EQ(lessons[3][LessonKind::QuestionSheet], 1);
        EXPECT_EQ(lessons[3][LessonKind::Results], 1);

        std::set<LessonKind> gathered;
        for (int i = menu.FirstSummary; i < menu.Count(); ++i) {
            if (menu.Nodes[static_cast<std::size_t>(i)].parent >= 0)
                gathered.insert(LessonKindOf(menu.Types[static_cast<std::size_t>(i)]));
        }
        EXPECT_EQ(gathered,
                  (std::set<LessonKind> {LessonKind::Page, LessonKind::Video, LessonKind::Scene3D,
                                         LessonKind::HarmonyExercise, LessonKind::NoteDrill,
                                         LessonKind::Questionnaire, LessonKind::QuestionSheet}));
    }
}

TEST(BundledCourse, PagesLinkOnlyToFilesThatExist)
{
    const std::regex reference(R"((?:src|href)=\"([^\"#:]+)\")");
    int pages = 0;
    for (const auto &entry : std::filesystem::directory_iterator(kData / "html")) {
        if (entry.path().extension() != ".html")
            continue;
        ++pages;
        const std::string text = read(entry.path());
        EXPECT_NE(text.find("charset=utf-8"), std::string::npos) << entry.path();
        for (std::sregex_iterator it(text.begin(), text.end(), reference), end; it != end; ++it) {
            std::error_code ec;
            EXPECT_TRUE(std::filesystem::exists(entry.path().parent_path() / (*it)[1].str(), ec))
                << entry.path() << " names " << (*it)[1];
        }
    }
    EXPECT_GE(pages, 20);
}
