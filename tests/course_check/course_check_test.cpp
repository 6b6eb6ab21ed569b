// A course with one fault of each kind the checks look for: exactly those are found, in their
// files, in the order the lines are printed.

#include "course_fixture.h"

namespace {

class CourseCheck : public SmallCourse
{
};

TEST_F(CourseCheck, SoundCourseHasNoProblemInEitherLanguage)
{
    EXPECT_EQ(problems("Russian"), Lines {});
    EXPECT_EQ(problems("English"), Lines {});
    // Loading the exercises leaves nothing behind in the course.
    EXPECT_FALSE(std::filesystem::exists(folder / "xml" / "undo"));
}

class BrokenCourse : public SmallCourse
{
protected:
    void SetUp() override
    {
        SmallCourse::SetUp();
        // The XML of an exercise is not well-formed.
        write("xml/broken.xml", "<MExercise><Part></MExercise>");
        // A page the menu names is not there; another has no English version.
        write("html/russian-only.html", pageText("only"));
        // A part names no group of the rule base; an exercise does not load.
        std::string wrongGroup = exercise("Def=\"Notes\"");
        wrongGroup.insert(wrongGroup.find("<Part ") + 6, "Def=\"Нет такой\" ");
        write("xml/wrong-group.xml", wrongGroup);
        write("xml/too-many-voices.xml", exercise("PolyphonyVoices=\"9\""));
        // A figure of the rule base has no English text.
        write("xml/definitor.xml", ruleBase(R"(<S T="A" P="2" N="6"/>)"));
        // A test draws more questions than it has.
        std::string quest = read(folder / "xml/quest.xml");
        quest.replace(quest.find("Count=\"1\""), 9, "Count=\"2\"");
        write("xml/quest.xml", quest);
        // An interface text has no English entry.
        std::string texts = read(folder / "Localize.xml");
        const std::size_t voice = texts.find("<I id=\"Voice0\">");
        texts.erase(voice, texts.find('\n', voice) + 1 - voice);
        write("Localize.xml", texts);
        writeMenu(
            R"(<Item Level="1" Type="MusHarmonyExercise" File="xml\broken.xml" TextRussian="Сломанное" TextEnglish="Broken"/>
<Item Level="1" Type="HTMLText" File="html\gone.html" TextRussian="Пропавшая" TextEnglish="Gone"/>
<Item Level="1" Type="HTMLText" File="html\russian-only.html" TextRussian="По-русски" TextEnglish="In Russian"/>
<Item Level="1" Type="MusHarmonyExercise" File="xml\wrong-group.xml" TextRussian="Не та группа" TextEnglish="Wrong group"/>
<Item Level="1" Type="MusHarmonyExercise" File="xml\too-many-voices.xml" TextRussian="Девять голосов" TextEnglish="Nine voices"/>
<Item Level="1" Type="MusNoteDefine" TextRussian="Без нот" TextEnglish="No notes"><Parm countnotes="0"/></Item>
<Item Level="1" Type="HTMLText" File="html\page.html" TextRussian="Без перевода"/>
)");
    }
};

TEST_F(BrokenCourse, EachFaultIsFoundInItsFile)
{
    EXPECT_EQ(
        problems("Russian"),
        (Lines {
            "xml/broken.xml: the file does not load: line 1, column 20: the end tag does not match "
            "the start tag",
            R"(xml/course.xml: item 7 "Пропавшая": File "html\gone.html" is not found)",
            R"(xml/course.xml: item 11 "Без нот": countnotes = 0 is outside 1…1000; the drill takes 1)",
            "xml/quest.xml: The questions could not be drawn at random",
            "xml/too-many-voices.xml: The exercise file xml/too-many-voices.xml was not loaded: the "
            "exercise: the attribute “PolyphonyVoices” = 9 is outside 1…8",
            R"(xml/wrong-group.xml: part 1: Def "Нет такой" names no group of the rule base xml/definitor.xml)"}));
}

TEST_F(BrokenCourse, EnglishAddsTheUntranslatedPagesLabelsCaptionsAndTexts)
{
    EXPECT_EQ(
        problems("English"),
        (Lines {
            "Localize.xml: no English text for Toolbar/Voice0",
            "html/russian-only.html: no English version html/russian-onlyEnglish.html (the Russian "
            "page is shown)",
            "xml/broken.xml: the file does not load: line 1, column 20: the end tag does not match "
            "the start tag",
            R"(xml/course.xml: item 7 "Gone": File "html\gone.html" is not found)",
            R"(xml/course.xml: item 11 "No notes": countnotes = 0 is outside 1…1000; the drill takes 1)",
            R"(xml/course.xml: item 12 "Без перевода": no English Text (TextEnglish))",
            R"(xml/definitor.xml: the chord label "S|6" (Def "Notes"): the piece "6" at position 2 has no English text in the LS table)",
            "xml/quest.xml: The questions could not be drawn at random",
            "xml/too-many-voices.xml: The exercise file xml/too-many-voices.xml was not loaded: the "
            "exercise: the attribute “PolyphonyVoices” = 9 is outside 1…8",
            R"(xml/wrong-group.xml: part 1: Def "Нет такой" names no group of the rule base xml/definitor.xml)"}));
}

} // namespace
