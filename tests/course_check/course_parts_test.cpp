// Each kind of check on its own, over the small course with one kind of fault written into it.

#include "course_fixture.h"

#include "platform/error.h"

namespace {

class CourseParts : public SmallCourse
{
};

TEST_F(CourseParts, PageLinksAreFollowedByTheirExactNames)
{
    write("html/page.html",
          "<html><body>\n<img src=\"IMG/picture.png\">\n<a href=\"img\\picture.png\">x</a>\n"
          "<a href=\"page.html#part\">self</a> <a href=\"%70ause.html\">pause</a>\n"
          "<a href=\"sub/next.html\">next</a> <a href=\"https://example.org/\">web</a>\n"
          "</body></html>");
    write("html/sub/next.html", "<p>\n<img src=\"../img/picture.png\"> <img src=\"../img/none.png\"></p>");
    EXPECT_EQ(
        problems(),
        (Lines {
            R"(html/page.html:2: src "IMG/picture.png" is not found (there is html/img/picture.png: a page names its links exactly))",
            R"(html/page.html:3: href "img\picture.png" is not found (there is html/img/picture.png: a page names its links exactly))",
            R"(html/sub/next.html:2: src "../img/none.png" is not found)"}));
}

TEST_F(CourseParts, EnglishPagesAreLookedForWhereTheProgramLooks)
{
    std::filesystem::remove(folder / "html/pauseEnglish.html");
    std::filesystem::remove(folder / "html/aboutEnglish.html");
    // A missing English page is the English course's fault only.
    EXPECT_EQ(problems("Russian"), Lines {});
    EXPECT_EQ(
        problems("English"),
        (Lines {"html/about.html: no English version html/aboutEnglish.html (the Russian page is shown)",
                "html/pause.html: no English version html/pauseEnglish.html (the Russian page is shown)"}));
    // The English page's own links are read.
    write("html/aboutEnglish.html", "<img src=\"img/gone.png\">");
    EXPECT_EQ(problems("English")[0], R"(html/aboutEnglish.html:1: src "img/gone.png" is not found)");
}

TEST_F(CourseParts, MenuItemsAreLessonsWithTheirFiles)
{
    writeMenu(R"(<Item Level="1" Type="Flash" File="x.swf" TextRussian="Ролик"/>
<Item Level="1" Type="Quest" TextRussian="Без файла"/>
<Item Level="1" Type="MusNoteDefine" TextRussian="Ноты"><Parm PauseFile="html\gone.html" staffpicture="staff.jpg"/></Item>
<Item Level="1" Type="MyResults" TextRussian="Мои результаты"/>
<Item Level="12" Type="Summary" TextRussian="Глубоко"><Parm ContentFile="html\deep.html"/></Item>
)");
    EXPECT_EQ(
        problems(),
        (Lines {
            "html/unavailable.html: the file is missing (a lesson of an unknown type shows it)",
            R"(xml/course.xml: An error in the course menu: item 10 has a wrong level "12")",
            R"(xml/course.xml: item 6 "Ролик": the type "Flash" is not a lesson this program runs (it shows html\unavailable.html instead))",
            R"(xml/course.xml: item 7 "Без файла": the lesson names no File)",
            R"(xml/course.xml: item 8 "Ноты": PauseFile "html\gone.html" is not found)",
            R"(xml/course.xml: item 8 "Ноты": staffpicture "staff.jpg" is not found in html/)",
            R"(xml/course.xml: item 10 "Глубоко": ContentFile "html\deep.html" is not found)"}));
}

TEST_F(CourseParts, DrillParametersOutsideTheirRangesAreTheirReadersValues)
{
    writeMenu(R"(<Item Level="1" Type="MusNoteDefine" TextRussian="Интервалы" intcount="13">
  <Parm type="5" countseconds="0" keyboardtop="-101"/></Item>
<Item Level="1" Type="MusNoteDefine" TextRussian="Число"><Parm countnotes="ten"/></Item>
)");
    EXPECT_EQ(
        problems(),
        (Lines {
            R"(xml/course.xml: item 6 "Интервалы": countseconds = 0 is outside 1…86400; the drill takes 1)",
            R"(xml/course.xml: item 6 "Интервалы": type = 5 is not a drill type; the drill takes 1)",
            R"(xml/course.xml: item 6 "Интервалы": keyboardtop = -101 is outside -100…100000; the drill takes -100)",
            R"(xml/course.xml: item 6 "Интервалы": intcount = 13 is outside 1…12; the drill takes 12)",
            R"(xml/course.xml: item 7 "Число": 'ten' is not a valid integer value for the attribute 'countnotes')"}));
}

TEST_F(CourseParts, EveryQuestionReadsWithItsPictureSoundAndOverlays)
{
    write("xml/quest.xml", R"(<QS Count="1">
  <Q><T><V V="*" Text="Первый"/></T><A><V Text="да"><R R="1"/></V></A></Q>
  <Q picture="html\img\gone.png"><T><V V="*" Text="Без картинки"/></T></Q>
  <Q midi="snd\gone.wav"><T><V V="*" Text="Без звука"/></T></Q>
  <Q picture="html\img\picture.png"><A X="1" Y="1" G="ring"/><A X="1" Y="40" G="star"/></Q>
  <Q picture="html\img\picture.png"><A X="left"/></Q>
</QS>)");
    EXPECT_EQ(
        problems(),
        (Lines {R"(xml/quest.xml: question 2: the picture "html\img\gone.png" is not found)",
                R"(xml/quest.xml: question 3: the sound "snd\gone.wav" is not found)",
                R"(xml/quest.xml: question 4: box 2: the overlay kind "star" is not one of sys.xml)",
                R"(xml/quest.xml: question 5: 'left' is not a valid integer value for the attribute 'X')"}));
}

TEST_F(CourseParts, APictureThatIsNotOneIsToldFromAMissingOne)
{
    // Reads only what begins as a PNG file does.
    struct PngOnly : pw::BitmapLoader
    {
        std::unique_ptr<pw::Bitmap> load(const std::filesystem::path &file) override
        {
            if (read(file).rfind("\x89PNG", 0) != 0)
                throw pw::Error("not a picture: " + file.string());
            return std::make_unique<pw::Bitmap>(file.filename().string(), 10, 10);
        }
    } pngOnly;
    pictures = &pngOnly;
    write("res/ring.png", "\x89PNG");
    write("html/img/picture.png", "\x89PNG");
    EXPECT_EQ(
        problems(),
        (Lines {
            R"(xml/course.xml: item 4 "Ноты": keyboardpicture "drill.jpg" is not a picture the program reads)"}));
    write("html/img/picture.png", "GIF89a");
    EXPECT_EQ(
        problems(),
        (Lines {
            R"(xml/course.xml: item 4 "Ноты": keyboardpicture "drill.jpg" is not a picture the program reads)",
            R"(xml/quest.xml: question 1: the picture "html\img\picture.png" is not a picture the program reads)"}));
}

TEST_F(CourseParts, TheDrawOfATestReadsItsLimit)
{
    write("xml/quest.xml", R"(<QS Count="1" LimitSec="soon"><Q><T><V V="*" Text="Вопрос"/></T></Q></QS>)");
    EXPECT_EQ(problems(),
              (Lines {"xml/quest.xml: 'soon' is not a valid integer value for the attribute 'LimitSec'"}));
}

TEST_F(CourseParts, TheCoursesSysXmlIsReadAsTheQuestionnairesReadIt)
{
    write("sys.xml", R"(<Sys Menu="course"><Parameters><QParms><Num R="300"/></QParms></Parameters></Sys>)");
    EXPECT_EQ(problems(), (Lines {"sys.xml: sys.xml: QParms/Num R = 300 is not in 0..255"}));
    write(
        "sys.xml",
        R"(<Sys Menu="course"><Parameters><QParms><G N="ring"><Bitmap file="gone"/></G></QParms></Parameters></Sys>)");
    EXPECT_EQ(problems().at(0).substr(0, 19), "sys.xml: The file /");
}

TEST_F(CourseParts, TheProgramsRuleBaseStandsInForACourseWithoutOne)
{
    std::filesystem::remove(folder / "xml/definitor.xml");
    write("xml/exercise.xml", exercise(R"(Def="TSD major")"));
    EXPECT_EQ(problems("English"), Lines {});
    write("xml/exercise.xml", exercise(R"(Def="Notes major")"));
    ASSERT_EQ(problems().size(), 1u);
    EXPECT_NE(problems()[0].find("Def \"Notes major\" names no group of the rule base /"), std::string::npos);
}

TEST_F(CourseParts, StepLabelsNeedTheirEnglishTextsToo)
{
    std::string rules = ruleBase(R"(<S T="A" P="2" N="6" NE="6"/>)");
    rules.insert(rules.find("</Definitors>"), R"(<Tra name="More"><T N="скачок"/><T N="скачок"/></Tra>)");
    write("xml/definitor.xml", rules);
    EXPECT_EQ(problems("Russian"), Lines {});
    EXPECT_EQ(
        problems("English"),
        (Lines {
            R"(xml/definitor.xml: the step label "скачок" (Tra "More"): the piece "скачок" at position 1 has no English text in the LS table)"}));
}

TEST_F(CourseParts, ScenesHoldAScene)
{
    writeMenu(R"(<Item Level="1" Type="ORB3D" File="xml\scenes.xml" TextRussian="Сцены"/>
<Item Level="1" Type="ORB3D" File="xml\scene.xml" TextRussian="Сцена"/>
)");
    write("xml/scenes.xml", "<Scenes><View/></Scenes>");
    write("xml/scene.xml", "<Scene><CALC n='t' v='1'/></Scene>");
    EXPECT_EQ(problems(), (Lines {"xml/scenes.xml: the file holds no Scene: the lesson shows nothing"}));
}

TEST_F(CourseParts, EnglishNeedsTheCaptionsTasksAndTexts)
{
    writeMenu(R"(<Item Level="1" Type="HTMLText" File="html\page.html" Text="Страница" SumTextEnglish="=" />
<Item Level="1" Type="HTMLText" File="html\page.html" TextEnglish="Page" SumTextRussian="Оглавление">
  <Parm TaskEnglish="Задача"/></Item>
<Item Level="1" Type="HTMLText" File="html\page.html" Text="Plain caption"/>
)");
    EXPECT_EQ(problems("Russian"), Lines {});
    EXPECT_EQ(problems("English"),
              (Lines {R"(xml/course.xml: item 6 "Страница": no English Text (TextEnglish))",
                      R"(xml/course.xml: item 7 "Page": no English SumText (SumTextEnglish))",
                      R"(xml/course.xml: item 7 "Page": no English Task (TaskEnglish))"}));
    std::filesystem::remove(folder / "Localize.xml");
    EXPECT_EQ(problems("English").at(0),
              "Localize.xml: the file is missing: the English interface shows its built-in Russian texts");
}

TEST_F(CourseParts, AMenuThatDoesNotLoadIsTheOnlyFaultOfTheMenu)
{
    write("xml/course.xml", "<Course><Menu><Item Level=\"0\" Level=\"1\"/></Menu></Course>");
    EXPECT_EQ(problems(),
              (Lines {"xml/course.xml: the file does not load: line 1: the attribute “Level” is repeated"}));
    std::filesystem::remove(folder / "xml/course.xml");
    EXPECT_EQ(problems(), (Lines {"xml/course.xml: the file is missing"}));
}

} // namespace
