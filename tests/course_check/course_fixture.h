#pragma once

// A small course with nothing wrong in it, in both languages, for the checks to find the faults a
// test then writes into it.

#include "support/test_folder.h"

#include "course_check/course_check.h"

#include <string>
#include <vector>

class SmallCourse : public TestFolder
{
protected:
    void SetUp() override
    {
        TestFolder::SetUp();
        write("sys.xml", R"(<Sys Menu="course"><Parameters><QParms>
  <G N="ring" Hint="Ответ об обведённой ноте"><Bitmap file="ring" TRA="200"/></G>
</QParms></Parameters></Sys>)");
        write("res/ring.png", "picture");
        write("Localize.xml", read(std::filesystem::path(PARTWRITER_BUNDLED_DATA) / "Localize.xml"));
        write("xml/definitor.xml", ruleBase(R"(<S T="A" P="2" N="6" NE="6"/>)"));
        for (const std::string page : {"about", "keys", "contents", "page", "pause"}) {
            write("html/" + page + ".html", pageText(page));
            write("html/" + page + "English.html", pageText(page));
        }
        write("html/contents.html", R"(<html><body><a href="page.html">Страница</a>
<a href="http://example.org/x.png">web</a> <a href="mailto:teacher@example.org">mail</a> <a href="#top">top</a>
</body></html>)");
        write("html/course.css", "body { margin: 1em; }");
        write("html/img/picture.png", "picture");
        write("html/drill.jpg", "picture");
        write("snd/sound.wav", "sound");
        write("xml/exercise.xml", exercise(R"(Def="Notes")"));
        write("xml/quest.xml", R"(<QS Count="1" LimitMin="1">
  <Q picture="html\img\picture.png" midi="snd\sound.wav">
    <T><V V="*" Text="Вопрос" TextE="Question"/></T>
    <A X="1" Y="1" W="50" G="ring"><V Text="да" TextE="yes"><R R="1"/></V><V Text="нет" TextE="no"/></A>
  </Q>
</QS>)");
        writeMenu("");
    }

    // The menu: the sound items, then more.
    void writeMenu(const std::string &more)
    {
        write("xml/course.xml", R"(<Course><Menu>
<Item Level="0" Type="Summary" TextRussian="Теория" TextEnglish="Theory"><Parm ContentFile="html\contents.html"/></Item>
<Item Level="1" Type="HTMLText" File="html\page.html" TextRussian="Страница" TextEnglish="A page"/>
<Item Level="1" Type="MusHarmonyExercise" File="xml\exercise.xml" TextRussian="Упражнение" TextEnglish="An exercise">
  <Parm PauseFile="html\pause.html" TaskRussian="Задача" TaskEnglish="A task"/>
</Item>
<Item Level="1" Type="MusNoteDefine" TextRussian="Ноты" TextEnglish="Notes">
  <Parm type="1" countnotes="5" keyboardpicture="drill.jpg"/>
</Item>
<Item Level="1" Type="Quest" File="xml\quest.xml" TextRussian="Тест" TextEnglish="A test"/>
)" + more + "</Menu></Course>");
    }

    static std::string pageText(const std::string &title)
    {
        return "<html><head><link rel=\"stylesheet\" href=\"course.css\"></head><body><h1>" + title
            + "</h1>\n<img src=\"img/picture.png\"></body></html>";
    }

    // A one-voice rule base whose LS table ends with the given entry for the figure 6.
    static std::string ruleBase(const std::string &sixEntry)
    {
        return R"(<Definitors>
<Gr name="Notes" VoicesCount="1" Norm="Y"><Def name="Notes"/></Gr>
<Def name="Notes"><A N="T"><Note High="0" TT="*"/></A><A N="S|6"><Note High="5" TT="*"/></A></Def>
<Tra name="Steps" N="гарм."/>
<LS><S T="A" P="1" N="T" NE="T"/><S T="A" P="1" N="S" NE="S"/><S T="A" P="1" N="гарм." NE="harm."/>)"
            + sixEntry + "</LS></Definitors>";
    }

    static std::string exercise(const std::string &attributes)
    {
        return "<MExercise " + attributes + R"(><Part Key0="4" Key1="1">
  <Tonality type="1" val="0"/><Size chi="4" zna="8"/>
  <Voice H="0"><Note High="0" Long="8"/></Voice><Voice H="1"/><Voice H="2"/><Voice H="3"/>
</Part></MExercise>)";
    }

    std::vector<std::string> problems(const std::string &language = "Russian") const
    {
        pw::CourseCheckOptions options;
        options.dataDir = folder;
        options.language = language;
        options.programDir = PARTWRITER_BUNDLED_DATA;
        options.pictures = pictures;
        std::vector<std::string> lines;
        for (const pw::CourseProblem &problem : pw::CheckCourse(options))
            lines.push_back(pw::ProblemLine(problem));
        return lines;
    }

    using Lines = std::vector<std::string>;
    // Reads the pictures; without one a picture only has to be there.
    pw::BitmapLoader *pictures = nullptr;
};
