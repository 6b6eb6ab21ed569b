#include "support/test_folder.h"

#include "platform/recording_ui.h"
#include "shell/course_activation.h"
#include "shell/course_menu.h"

using namespace pw;

namespace {

// Sections, lessons three levels deep, and two contents headings at the end.
const char *const kCourse = R"(<?xml version="1.0" encoding="UTF-8"?>
<Course><Menu Expand="N">
  <Item Level="0" Type="Summary" TextRussian="Теория" TextEnglish="Theory"/>
  <Item Level="1" Type="HTMLText" TextRussian="Функции" TextEnglish="Functions" File="html\f.html"/>
  <Item Level="1" TextRussian="Аккорды" TextEnglish="Chords"/>
  <Item Level="2" Type="HTMLText" TextRussian="Удвоения" Text="Doublings" SumTextRussian="=" File="html\d.html">
    <Parm PauseFile="html\pause.html"/>
  </Item>
  <Item Level="0" TextRussian="Упражнения">
    <Parm ContentFile="html\ex.html"/>
  </Item>
  <Item Level="1" Type="MusHarmonyExercise" TextRussian="Каденция" File="xml\a.xml" Debug="1" Text="Старт"/>
  <Item Level="1" Type="MusHarmonyExercise" TextRussian="Мелодия" SumTextRussian="-" File="xml\b.xml"/>
  <Item Level="1" Type="Quest" TextRussian="Тест" SumTextRussian="Тест по теории" File="q\t.xml"/>
  <Item Level="1" Type="Quest" Idx="5" TextRussian="Анкета" File="q\u.xml" Debug="2"/>
  <Item Level="0" Type="Summary" ForType="MusHarmonyExercise" TextRussian="Все упражнения"/>
  <Item Level="0" Type="Summary" ForType="Quest" ForIndex="4" TextRussian="Проверка знаний"/>
</Menu></Course>
)";

class CourseMenu : public TestFolder
{
protected:
    int load(const std::string &text, const std::string &language = "Russian")
    {
        return menu.Load(write("xml/Menu.xml", text), language);
    }

    RecordingUi ui;
    txmlmenu menu {ui};
};

} // namespace

TEST_F(CourseMenu, ItemsHangFromTheLastItemOfTheLevelAbove)
{
    ASSERT_EQ(load(kCourse), 0);
    EXPECT_TRUE(ui.messages.empty());
    const std::vector<int> parents {-1, 0, 0, 2, -1, 4, 4, 4, 4, -1, 9, -1, 11};
    ASSERT_EQ(menu.Count(), static_cast<int>(parents.size()));
    for (std::size_t i = 0; i < parents.size(); ++i)
        EXPECT_EQ(menu.Nodes[i].parent, parents[i]) << "item " << i;
    EXPECT_EQ(menu.FirstSummary, 9);
    EXPECT_EQ(menu.LevelLast[0], 11);
    EXPECT_EQ(menu.LevelLast[1], 8);
    EXPECT_EQ(menu.LevelLast[2], 3);
    for (int i = 0; i < menu.Count(); ++i)
        EXPECT_EQ(menu.Nodes[static_cast<std::size_t>(i)].tree, i < 9 ? CourseTree::Menu : CourseTree::Cont);
    EXPECT_EQ(menu.Files[5], "xml\\a.xml");
    EXPECT_EQ(menu.Types[4], "");
    EXPECT_EQ(GetAttr(menu.Parms[3], "PauseFile"), "html\\pause.html");
    EXPECT_FALSE(menu.Parms[1]);
}

TEST_F(CourseMenu, CaptionsFollowTheLanguageAndFallBackToThePlainText)
{
    ASSERT_EQ(load(kCourse, "English"), 0);
    EXPECT_EQ(menu.Texts[0], "Theory");
    EXPECT_EQ(menu.Texts[2], "Chords");
    EXPECT_EQ(menu.Texts[3], "Doublings");
    // No English caption and no plain one.
    EXPECT_EQ(menu.Texts[4], "");
}

TEST_F(CourseMenu, ContentsCaptions)
{
    ASSERT_EQ(load(kCourse), 0);
    struct Case
    {
        int item;
        std::string sumText;
    };
    const Case cases[] = {
        {0, ""}, // level 0 without SumText
        {1, "Теория"}, // the parent's caption
        {3, "Удвоения"}, // "=": its own caption
        {5, "Упражнения"}, // the parent's caption
        {6, "-"}, // never gathered
        {7, "Тест по теории"}, // given
    };
    for (const Case &c : cases)
        EXPECT_EQ(menu.SumTexts[static_cast<std::size_t>(c.item)], c.sumText) << "item " << c.item;
}

TEST_F(CourseMenu, IconsComeFromIdxOrTheType)
{
    ASSERT_EQ(load(kCourse), 0);
    const std::vector<int> icons {8, 1, 8, 1, 8, 2, 2, 4, 5, 8, 2, 8, 4};
    for (std::size_t i = 0; i < icons.size(); ++i)
        EXPECT_EQ(menu.Nodes[i].icon, icons[i]) << "item " << i;
    EXPECT_EQ(DefaultIcon("Video"), 8);
    EXPECT_EQ(DefaultIcon("HTMLTask"), 8);
    EXPECT_EQ(DefaultIcon("MyResults"), 10);
}

TEST_F(CourseMenu, ContentsHeadingsGatherEarlierItemsByTypeAndIcon)
{
    ASSERT_EQ(load(kCourse), 0);
    // "Все упражнения": the first exercise only, "Мелодия" has SumText "-".
    EXPECT_EQ(menu.Texts[10], "Упражнения");
    EXPECT_EQ(menu.Files[10], "xml\\a.xml");
    EXPECT_EQ(menu.Types[10], "MusHarmonyExercise");
    EXPECT_EQ(menu.Parms[10], menu.Parms[5]);
    // "Проверка знаний" with ForIndex 4: the questionnaire with Idx 5 stays out.
    EXPECT_EQ(menu.Texts[12], "Тест по теории");
    EXPECT_EQ(menu.Files[12], "q\\t.xml");
    EXPECT_EQ(menu.Nodes[12].icon, 4);
}

TEST_F(CourseMenu, ExpandAndDebugItem)
{
    ASSERT_EQ(load(kCourse), 0);
    EXPECT_FALSE(menu.Expand);
    EXPECT_EQ(menu.LastTree, CourseTree::Cont);
    ASSERT_TRUE(menu.DebugItem);
    EXPECT_EQ(menu.DebugItem->File, "xml\\a.xml");
    EXPECT_EQ(menu.DebugItem->Type, "MusHarmonyExercise");
    EXPECT_EQ(menu.DebugItem->Text, "Старт");

    ASSERT_EQ(load(R"(<Menu Expand="Y"><Item Level="0" TextRussian="A"/></Menu>)"), 0);
    EXPECT_TRUE(menu.Expand);
    EXPECT_EQ(menu.LastTree, CourseTree::Menu);
    EXPECT_FALSE(menu.DebugItem);
}

TEST_F(CourseMenu, UnreadableMenusLeaveTheObjectEmpty)
{
    struct Case
    {
        const char *text; // null: no file at all
        const char *message;
    };
    const Case cases[] = {
        {nullptr, "Файл меню не найден"},
        // A menu that is there but broken says so, and where.
        {"<Menu><Item Level=\"0\">", "Файл меню "},
        {"<Menu><Item TextRussian=\"A\"/></Menu>",
         "Ошибка в файле меню: пункт 1 имеет неверный уровень \"\""},
        {"<Menu><Item Level=\"10\"/></Menu>", "Ошибка в файле меню: пункт 1 имеет неверный уровень \"10\""},
        {"<Menu><Item Level=\"0\"/><Item Level=\"x\"/></Menu>", "Ошибка в файле меню: "},
        {"<Menu><Item Level=\"0\"/><Item Level=\"2\"/></Menu>",
         "Ошибка в файле меню: пункту 2 уровня 2 не предшествует пункт уровня 1"},
        {"<Menu><Item Level=\"0\" Idx=\"red\"/></Menu>", "Ошибка в файле меню: "},
    };
    for (const Case &c : cases) {
        ui.messages.clear();
        const std::filesystem::path file
            = c.text ? write("xml/Menu.xml", c.text) : folder / "xml" / "missing.xml";
        EXPECT_EQ(menu.Load(file, "Russian"), -1) << (c.text ? c.text : "missing");
        EXPECT_EQ(menu.Count(), 0);
        EXPECT_TRUE(menu.Nodes.empty());
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].caption, "Ошибка");
        EXPECT_EQ(ui.messages[0].text.rfind(c.message, 0), 0u) << ui.messages[0].text;
    }
    ui.messages.clear();
    menu.Load(write("xml/Menu.xml", "<Menu><Item Level=\"0\">"), "Russian");
    EXPECT_EQ(ui.messages.at(0).text,
              "Файл меню " + (folder / "xml" / "Menu.xml").string()
                  + " не загружен: строка 1, столбец 22: закрывающий тег не совпадает с открывающим");
}

TEST_F(CourseMenu, ContentsHeadingDeeperThanTopStaysAtTheTopOfTheContentsTree)
{
    ASSERT_EQ(load(R"(<Menu><Item Level="0" TextRussian="A"/><Item Level="1" Type="HTMLText" TextRussian="B"/>
        <Item Level="1" Type="Summary" ForType="HTMLText" TextRussian="C"/></Menu>)"),
              0);
    ASSERT_EQ(menu.Count(), 4);
    EXPECT_EQ(menu.Nodes[2].tree, CourseTree::Cont);
    EXPECT_EQ(menu.Nodes[2].parent, -1);
    EXPECT_EQ(menu.Nodes[3].parent, 2);
    EXPECT_EQ(menu.Texts[3], "A");
}

TEST_F(CourseMenu, ChosenLessonCarriesItsItemAndCaption)
{
    ASSERT_EQ(load(kCourse), 0);
    const std::string parent = "Аккорды";
    const TCourseLesson nested = LessonOfItem(menu, 3, &parent);
    EXPECT_EQ(nested.LessonType, "HTMLText");
    EXPECT_EQ(nested.LessonFile, "html\\d.html");
    EXPECT_EQ(nested.LessonTitle, "Удвоения");
    EXPECT_EQ(nested.Caption, "Аккорды :: Удвоения");
    EXPECT_EQ(nested.PauseFile, "html\\pause.html");
    EXPECT_EQ(nested.LessonParm, menu.Parms[3]);

    const TCourseLesson top = LessonOfItem(menu, 1, nullptr);
    EXPECT_EQ(top.Caption, "Функции");
    EXPECT_EQ(top.PauseFile, "");
    EXPECT_TRUE(menu.IsLesson(1));
    EXPECT_FALSE(menu.IsLesson(0));
    EXPECT_FALSE(menu.IsLesson(2));
    EXPECT_THROW(menu.IsLesson(menu.Count()), std::out_of_range);
}

TEST_F(CourseMenu, HeadingPages)
{
    write("html/SummaryHelp0.html", "<p>0</p>");
    write("html/SummaryHelp3.html", "<p>3</p>");
    ASSERT_EQ(load(R"(<Menu>
        <Item Level="0" Type="Summary" TextRussian="Теория"/>
        <Item Level="0" TextRussian="Теория"/>
        <Item Level="0" Type="Summary" TextRussian="Теория"><Parm ContentFile="html\own.html"/></Item>
        <Item Level="0" Type="Summary" TextRussian="Упражнения на гармонизацию"/>
        <Item Level="0" Type="Summary" TextRussian="Разное"/>
        <Item Level="0" Type="Summary" ForType="Quest" TextRussian="Проверка знаний"/>
        </Menu>)"),
              0);
    const std::vector<std::string> pages {"html\\SummaryHelp0.html", "", "html\\own.html", "", "",
                                          "html\\SummaryHelp3.html"};
    for (std::size_t x = 0; x < pages.size(); ++x)
        EXPECT_EQ(HeadingPage(menu, static_cast<int>(x), folder), pages[x]) << "item " << x;
    EXPECT_EQ(SectionNumber("Анализ отрывков"), 4);
    EXPECT_EQ(SectionNumber("Упражнения на клавиатуре"), 2);
    EXPECT_EQ(SectionNumber("теория"), -1);
}

// A lesson recorded in one language is named in the language of the run: by its file, or by its
// caption in any language when it has none.
TEST_F(CourseMenu, CaptionsOfRecordedLessonsAreFoundInTheLanguageAsked)
{
    ASSERT_EQ(load(R"(<Course><Menu>
  <Item Level="0" Type="MusHarmonyExercise" File="xml\Cadence.xml" TextRussian="Каденция" TextEnglish="Cadence"/>
  <Item Level="0" Type="MusNoteDefine" TextRussian="Белые клавиши" TextEnglish="White keys"/>
  <Item Level="0" Type="MusNoteDefine" TextRussian="Интервалы" Text="Intervals"/>
</Menu></Course>)"),
              0);
    EXPECT_EQ(MenuCaption(menu, "MusHarmonyExercise", "xml/cadence.xml", "Каденция", "English"), "Cadence");
    EXPECT_EQ(MenuCaption(menu, "MusNoteDefine", "", "White keys", "Russian"), "Белые клавиши");
    EXPECT_EQ(MenuCaption(menu, "MusNoteDefine", "", "Интервалы", "English"), "Intervals")
        << "the plain Text stands for a language without its own";
    EXPECT_EQ(MenuCaption(menu, "Quest", "xml\\Cadence.xml", "Тест", "English"), "Тест") << "another type";
    EXPECT_EQ(MenuCaption(menu, "MusNoteDefine", "", "Gone", "English"), "Gone")
        << "not in the menu any more";
    EXPECT_TRUE(SameDataFile("xml\\A.xml", "xml/a.XML"));
    EXPECT_FALSE(SameDataFile("xml\\a.xml", "xml\\b.xml"));
}
