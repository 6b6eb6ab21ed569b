// A questionnaire opened in the main window: its panels in the question area, the vertical bar
// over its places, the finish button going to the first empty box, and the mark.

#include "main_window_fixture.h"

#include "panels/bottom_quest.h"
#include "shell/course_activation.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QScrollBar>

using namespace pw;

namespace {

// Three questions, each with one right item: the first item of every box.
constexpr const char *ThreeQuestions = R"(<?xml version="1.0" encoding="UTF-8"?>
<Test><QS LimitMin="0" LimitSec="65" Count="3">
  <Q><T><V V="*" Text="Квинта от до" TextE="Fifth above C"/></T>
     <A><V Text="соль" TextE="G"><R R="1"/></V><V Text="фа" TextE="F"/></A></Q>
  <Q><T><V V="*" Text="Терция от до" TextE="Third above C"/></T>
     <A><V Text="ми" TextE="E"><R R="1"/></V><V Text="ре" TextE="D"/></A></Q>
  <Q><T><V V="*" Text="Кварта от до" TextE="Fourth above C"/></T>
     <A><V Text="фа" TextE="F"><R R="1"/></V><V Text="соль" TextE="G"/></A></Q>
</QS></Test>
)";

class QuestWindow : public MainWindowFixture
{
protected:
    void openTest(LessonKind kind = LessonKind::Questionnaire)
    {
        write("xml/three.xml", ThreeQuestions);
        window->OpenLesson(kind, "xml\\three.xml", "");
        settle();
    }
    // The answer box of a question, found by its text.
    QComboBox *box(const QString &text) const
    {
        for (QLabel *label : child<QWidget>("p3d")->findChildren<QLabel *>("text")) {
            if (label->text().startsWith(text))
                return label->parentWidget()->findChild<QComboBox *>("box0");
        }
        return nullptr;
    }
    void answer(const QString &text, int item)
    {
        QComboBox *combo = box(text);
        ASSERT_TRUE(combo) << text.toStdString();
        combo->setCurrentIndex(item);
    }
    void finish()
    {
        child<QAbstractButton>("qFin")->click();
        settle();
    }
};

TEST_F(QuestWindow, TheFinishButtonGoesToTheFirstEmptyBoxThenGivesTheMark)
{
    start();
    openTest();
    EXPECT_TRUE(shown("p3d"));
    EXPECT_TRUE(shown("TBottomQuest"));
    EXPECT_FALSE(shown("pb"));
    EXPECT_EQ(child<QLabel>("TimeRest")->text(), "01:05");
    auto *sb = child<QScrollBar>("sb");
    EXPECT_TRUE(shown("sb"));
    EXPECT_EQ(sb->maximum(), 2);
    for (const char *text : {"Квинта", "Терция", "Кварта"})
        ASSERT_TRUE(box(text)) << text;

    // Two answered, one right and one wrong; the third question's box stays empty.
    answer("Квинта", 0);
    answer("Терция", 1);
    finish();
    EXPECT_FALSE(shown("sResult")) << "an empty box keeps the test going";
    QComboBox *empty = box("Кварта");
    EXPECT_TRUE(empty->isVisible());
    const int stoppedAt = sb->value();
    EXPECT_GE(stoppedAt, 0);

    answer("Кварта", 0);
    finish();
    ASSERT_TRUE(shown("sResult"));
    // One wrong of three: 5 - trunc(3 * 1 / 3) = 4.
    EXPECT_EQ(child<QLabel>("sMark")->text(), "4");
    EXPECT_FALSE(shown("p3d"));
}

TEST_F(QuestWindow, TheCountdownEndsTheTestWithEveryEmptyBoxWrong)
{
    start();
    openTest();
    for (int second = 0; second < 65; ++second)
        window->CountdownTick();
    settle();
    ASSERT_TRUE(shown("sResult"));
    EXPECT_EQ(child<QLabel>("sMark")->text(), "2");
    EXPECT_EQ(child<QLabel>("TimeRest")->text(), "00:00");
}

TEST_F(QuestWindow, ASheetHasItsQuestionsButNoFinishAndNoMark)
{
    start();
    openTest(LessonKind::QuestionSheet);
    EXPECT_TRUE(shown("p3d"));
    EXPECT_FALSE(child<TBottomQuest>("TBottomQuest"));
    ASSERT_TRUE(box("Квинта"));
    for (int second = 0; second < 70; ++second)
        window->CountdownTick();
    settle();
    EXPECT_FALSE(shown("sResult"));
}

TEST_F(QuestWindow, TheVerticalBarScrollsThePlacesAway)
{
    start();
    openTest();
    auto *sb = child<QScrollBar>("sb");
    QWidget *first = child<QWidget>("quest0");
    QWidget *second = child<QWidget>("quest1");
    ASSERT_TRUE(first && second);
    const int top = first->y();
    sb->setValue(1);
    settle();
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(second->y(), top) << "the rest stack from the first one's top";
    sb->setValue(0);
    settle();
    EXPECT_TRUE(first->isVisible());
}

TEST_F(QuestWindow, APictureWiderThanTheAreaBringsTheHorizontalBar)
{
    start();
    QImage wide(800, 120, QImage::Format_RGB32);
    wide.fill(Qt::white);
    std::filesystem::create_directories(folder / "html");
    ASSERT_TRUE(wide.save(QString::fromStdString((folder / "html" / "wide.png").string())));
    write("xml/wide.xml", R"(<Test><QS Count="1"><Q picture="html\wide.png"><T><V V="*" Text="Что это?"/></T>
        <A X="10" Y="20" W="80"><V Text="T"><R R="1"/></V><V Text="D"/></A></Q></QS></Test>)");
    window->OpenLesson(LessonKind::Questionnaire, "xml\\wide.xml", "");
    settle();
    auto *bar = child<QScrollBar>("sbquest");
    ASSERT_TRUE(bar);
    const int area = child<QWidget>("pMainArea")->width();
    ASSERT_LT(area - 30, 840) << "the window is narrower than the widened panel";
    EXPECT_TRUE(shown("sbquest"));
    EXPECT_EQ(bar->maximum(), (840 - (area - 30)) / 30 + 1);
    QWidget *panel = child<QWidget>("quest0");
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->width(), 840) << "an 800-pixel picture widens its panel to 840";
    bar->setValue(2);
    settle();
    EXPECT_EQ(panel->x(), 30 - 60);
}

} // namespace
