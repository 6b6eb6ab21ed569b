#include "support/test_folder.h"

#include "platform/recording_ui.h"
#include "shell/course_trees.h"

#include <QApplication>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace pw;

namespace {

const char *const kCourse = R"(<?xml version="1.0" encoding="UTF-8"?>
<Menu>
  <Item Level="0" Type="Summary" TextRussian="Теория" TextEnglish="Theory"/>
  <Item Level="1" Type="HTMLText" TextRussian="Функции" TextEnglish="Functions" File="html\f.html"/>
  <Item Level="1" TextRussian="Аккорды"/>
  <Item Level="2" Type="HTMLText" TextRussian="Удвоения" SumTextRussian="=" File="html\d.html">
    <Parm PauseFile="html\pause.html"/>
  </Item>
  <Item Level="0" TextRussian="Упражнения"><Parm ContentFile="html\ex.html"/></Item>
  <Item Level="1" Type="MusHarmonyExercise" TextRussian="Каденция" File="xml\a.xml"/>
  <Item Level="1" Type="MusHarmonyExercise" TextRussian="Мелодия" SumTextRussian="-" File="xml\b.xml"/>
  <Item Level="0" Type="Summary" ForType="HTMLText" TextRussian="Теория"/>
  <Item Level="0" Type="Summary" ForType="MusHarmonyExercise" TextRussian="Все упражнения"/>
</Menu>
)";

class CourseTrees : public TestFolder
{
protected:
    void SetUp() override
    {
        TestFolder::SetUp();
        trees = std::make_unique<TCourseTrees>(ui);
        trees->resize(260, 500);
        callbacks = {[this] { events.push_back("before"); },
                     [this](const TCourseLesson &lesson) {
                         events.push_back("open " + lesson.LessonFile);
                         lessons.push_back(lesson);
                     },
                     [this](const std::string &page) { events.push_back("page " + page); },
                     [this] {
                         events.push_back("refresh");
                         trees->LayoutTrees();
                     }};
        trees->SetCallbacks(callbacks);
    }

    int load(const std::string &text)
    {
        write("html/SummaryHelp0.html", "<p>Теория</p>");
        return trees->Load(write("xml/Menu.xml", text), "Russian", folder);
    }

    QTreeWidget *tree(const char *name) const { return trees->findChild<QTreeWidget *>(name); }
    QToolButton *tab(const char *name) const { return trees->findChild<QToolButton *>(name); }

    // A real mouse click in the middle of the node.
    static void click(QTreeWidgetItem *node)
    {
        QTreeWidget *view = node->treeWidget();
        view->scrollToItem(node);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualItemRect(node).center());
    }

    // The nodes of a tree in top-to-bottom order, expanded or not.
    static std::vector<QTreeWidgetItem *> allNodes(QTreeWidget *view)
    {
        std::vector<QTreeWidgetItem *> nodes;
        std::function<void(QTreeWidgetItem *)> walk = [&](QTreeWidgetItem *node) {
            nodes.push_back(node);
            for (int i = 0; i < node->childCount(); ++i)
                walk(node->child(i));
        };
        for (int i = 0; i < view->topLevelItemCount(); ++i)
            walk(view->topLevelItem(i));
        return nodes;
    }

    RecordingUi ui;
    std::unique_ptr<TCourseTrees> trees;
    std::vector<std::string> events;
    std::vector<TCourseLesson> lessons;
    TCourseTrees::Callbacks callbacks;
};

} // namespace

TEST_F(CourseTrees, ControlsCarryTheirNames)
{
    for (const char *name : {"tvMenu", "tvCont"})
        ASSERT_NE(tree(name), nullptr) << name;
    for (const char *name : {"tbMenuStandart", "tbMenuCont"})
        ASSERT_NE(tab(name), nullptr) << name;
    EXPECT_NE(trees->findChild<QWidget *>("sMenuCont"), nullptr);
    EXPECT_EQ(tree("tvMenu")->indentation(), 19);
    EXPECT_FALSE(tree("tvMenu")->rootIsDecorated());
    EXPECT_EQ(tree("tvCont")->editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST_F(CourseTrees, NodesMirrorTheMenuInItemOrder)
{
    ASSERT_EQ(load(kCourse), 0);
    const std::vector<QTreeWidgetItem *> course = allNodes(tree("tvMenu"));
    const std::vector<std::string> courseTexts {"Теория",     "Функции",  "Аккорды", "Удвоения",
                                                "Упражнения", "Каденция", "Мелодия"};
    const std::vector<int> courseIcons {8, 1, 8, 1, 8, 2, 2};
    ASSERT_EQ(course.size(), courseTexts.size());
    for (std::size_t i = 0; i < course.size(); ++i) {
        EXPECT_EQ(course[i]->text(0).toStdString(), courseTexts[i]);
        EXPECT_EQ(TCourseTrees::ImageIndex(course[i]), courseIcons[i]);
        EXPECT_FALSE(course[i]->icon(0).isNull());
        // The absolute index in the course tree is the item index.
        EXPECT_EQ(TCourseTrees::ItemIndex(course[i]), static_cast<int>(i));
    }
    EXPECT_EQ(tree("tvMenu")->topLevelItemCount(), 2);
    EXPECT_EQ(course[3]->parent(), course[2]);

    // Contents copies: the theory pages under "Теория" ("Удвоения" by "=", "Функции" by its
    // parent's caption), the first exercise only under the second heading.
    const std::vector<QTreeWidgetItem *> contents = allNodes(tree("tvCont"));
    const std::vector<std::string> contentsTexts {"Теория", "Теория", "Удвоения", "Все упражнения",
                                                  "Упражнения"};
    const std::vector<int> contentsIcons {8, 1, 1, 8, 2};
    ASSERT_EQ(contents.size(), contentsTexts.size());
    for (std::size_t i = 0; i < contents.size(); ++i) {
        EXPECT_EQ(contents[i]->text(0).toStdString(), contentsTexts[i]);
        EXPECT_EQ(TCourseTrees::ImageIndex(contents[i]), contentsIcons[i]);
        EXPECT_EQ(TCourseTrees::ItemIndex(contents[i]), static_cast<int>(i) + trees->Menu().FirstSummary);
    }
    EXPECT_EQ(tree("tvCont")->topLevelItemCount(), 2);
    EXPECT_FALSE(contents[0]->isExpanded());
}

TEST_F(CourseTrees, ExpandOpensTheTreeOfTheLastItem)
{
    ASSERT_EQ(load(R"(<Menu Expand="Y"><Item Level="0" TextRussian="A"/><Item Level="1" TextRussian="B"/>
        <Item Level="2" Type="HTMLText" TextRussian="C"/></Menu>)"),
              0);
    for (QTreeWidgetItem *node : allNodes(tree("tvMenu"))) {
        if (node->childCount() > 0) {
            EXPECT_TRUE(node->isExpanded()) << node->text(0).toStdString();
        }
    }

    ASSERT_EQ(load(R"(<Menu Expand="Y"><Item Level="0" Type="HTMLText" TextRussian="A"/>
        <Item Level="0" TextRussian="B"/><Item Level="1" Type="HTMLText" TextRussian="C"/>
        <Item Level="0" Type="Summary" ForType="HTMLText" TextRussian="D"/></Menu>)"),
              0);
    EXPECT_FALSE(tree("tvMenu")->topLevelItem(1)->isExpanded());
    EXPECT_TRUE(tree("tvCont")->topLevelItem(0)->isExpanded());
}

TEST_F(CourseTrees, DebugItemIsKeptForTheStart)
{
    ASSERT_EQ(load(R"(<Menu><Item Level="0" TextRussian="A"/>
        <Item Level="1" Type="MusHarmonyExercise" File="xml\b.xml" Text="Отладка" Debug=""/></Menu>)"),
              0);
    ASSERT_TRUE(trees->Menu().DebugItem);
    EXPECT_EQ(trees->Menu().DebugItem->File, "xml\\b.xml");
    EXPECT_EQ(trees->Menu().DebugItem->Text, "Отладка");
}

TEST_F(CourseTrees, MissingMenuLeavesTheTreesEmpty)
{
    ASSERT_EQ(load(kCourse), 0);
    EXPECT_EQ(trees->Load(folder / "xml" / "none.xml", "Russian", folder), -1);
    EXPECT_EQ(tree("tvMenu")->topLevelItemCount(), 0);
    EXPECT_EQ(tree("tvCont")->topLevelItemCount(), 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Файл меню не найден");
}

TEST_F(CourseTrees, TopLevelHeadingTogglesItsBranchAndIcon)
{
    ASSERT_EQ(load(kCourse), 0);
    trees->show();
    QTreeWidgetItem *theory = tree("tvMenu")->topLevelItem(0);
    const std::vector<std::pair<bool, int>> states {{true, 9}, {false, 8}, {true, 9}};
    for (const auto &[expanded, icon] : states) {
        click(theory);
        EXPECT_EQ(theory->isExpanded(), expanded);
        EXPECT_EQ(TCourseTrees::ImageIndex(theory), icon);
    }
    // "Теория" is a summary heading without a page of its own: its summary page is shown once.
    EXPECT_EQ(events,
              (std::vector<std::string> {"before", "page html\\SummaryHelp0.html", "refresh", "before",
                                         "refresh", "before", "refresh"}));
    EXPECT_EQ(trees->ContentPage(), "html\\SummaryHelp0.html");
}

TEST_F(CourseTrees, NestedHeadingOnlyShowsItsPage)
{
    ASSERT_EQ(load(kCourse), 0);
    trees->show();
    QTreeWidgetItem *exercises = tree("tvMenu")->topLevelItem(1);
    click(exercises);
    ASSERT_TRUE(exercises->isExpanded());
    QTreeWidgetItem *chords = tree("tvMenu")->topLevelItem(0)->child(1);
    tree("tvMenu")->topLevelItem(0)->setExpanded(true);
    click(chords);
    EXPECT_FALSE(chords->isExpanded());
    EXPECT_EQ(TCourseTrees::ImageIndex(chords), 8);
    // No page for "Аккорды": the one shown stays, and choosing "Упражнения" again shows it anew.
    EXPECT_EQ(trees->ContentPage(), "");
    click(exercises);
    EXPECT_EQ(events,
              (std::vector<std::string> {"before", "page html\\ex.html", "refresh", "before", "refresh",
                                         "before", "page html\\ex.html", "refresh"}));
}

TEST_F(CourseTrees, LessonOpensWithItsCaptionAndClearsTheContentsPage)
{
    ASSERT_EQ(load(kCourse), 0);
    trees->show();
    QTreeWidgetItem *exercises = tree("tvMenu")->topLevelItem(1);
    click(exercises);
    QTreeWidget *course = tree("tvMenu");
    course->topLevelItem(0)->setExpanded(true);
    course->topLevelItem(0)->child(1)->setExpanded(true);
    click(course->topLevelItem(0)->child(1)->child(0));
    ASSERT_EQ(lessons.size(), 1u);
    EXPECT_EQ(lessons[0].LessonType, "HTMLText");
    EXPECT_EQ(lessons[0].LessonFile, "html\\d.html");
    EXPECT_EQ(lessons[0].LessonTitle, "Удвоения");
    EXPECT_EQ(lessons[0].Caption, "Аккорды :: Удвоения");
    EXPECT_EQ(lessons[0].PauseFile, "html\\pause.html");
    EXPECT_EQ(trees->ContentPage(), "");
    // The contents page comes back when its heading is chosen after a lesson.
    events.clear();
    click(exercises);
    EXPECT_EQ(events, (std::vector<std::string> {"before", "page html\\ex.html", "refresh"}));

    // A copy in the contents tree opens the same lesson, captioned under its heading.
    tab("tbMenuCont")->click();
    QTreeWidgetItem *heading = tree("tvCont")->topLevelItem(1);
    heading->setExpanded(true);
    click(heading->child(0));
    ASSERT_EQ(lessons.size(), 2u);
    EXPECT_EQ(lessons[1].LessonFile, "xml\\a.xml");
    EXPECT_EQ(lessons[1].Caption, "Все упражнения :: Упражнения");
}

TEST_F(CourseTrees, DoubleClickActivatesAsWell)
{
    ASSERT_EQ(load(kCourse), 0);
    trees->show();
    QTreeWidget *course = tree("tvMenu");
    course->topLevelItem(1)->setExpanded(true);
    QTreeWidgetItem *cadence = course->topLevelItem(1)->child(0);
    course->scrollToItem(cadence);
    // Through the window, so that the press before the double click arrives too.
    const QPoint at = course->viewport()->mapTo(trees.get(), course->visualItemRect(cadence).center());
    QTest::mouseDClick(trees->windowHandle(), Qt::LeftButton, {}, at);
    // The first click and the double click each choose the node.
    ASSERT_EQ(lessons.size(), 2u);
    EXPECT_EQ(lessons.back().Caption, "Упражнения :: Каденция");
}

// One tree per tab, the tab that is down is the tree shown, and one node is chosen at a time.
TEST_F(CourseTrees, EachTabShowsItsOneTree)
{
    ASSERT_EQ(load(kCourse), 0);
    trees->show();
    QTreeWidget *course = tree("tvMenu");
    QTreeWidget *contents = tree("tvCont");
    const QWidget *bar = trees->findChild<QWidget *>("sMenuCont");
    EXPECT_TRUE(tab("tbMenuStandart")->isChecked());
    EXPECT_EQ(trees->MenuView(), 1);
    EXPECT_TRUE(course->isVisible());
    EXPECT_FALSE(contents->isVisible());
    EXPECT_EQ(course->geometry().bottom() + 1, bar->y());
    EXPECT_EQ(bar->geometry().bottom() + 1, trees->height());

    tab("tbMenuCont")->click();
    EXPECT_EQ(trees->MenuView(), 2);
    EXPECT_FALSE(tab("tbMenuStandart")->isChecked()) << "the other tab goes up";
    EXPECT_FALSE(course->isVisible());
    EXPECT_TRUE(contents->isVisible());
    EXPECT_EQ(contents->y(), 0) << "the whole height, not under a cut-off course tree";
    EXPECT_EQ(contents->geometry().bottom() + 1, bar->y());

    // A tab cannot be released into showing nothing.
    tab("tbMenuCont")->click();
    EXPECT_TRUE(tab("tbMenuCont")->isChecked());
    EXPECT_EQ(trees->MenuView(), 2);
    tab("tbMenuStandart")->click();
    EXPECT_EQ(trees->MenuView(), 1);
    EXPECT_TRUE(course->isVisible());
    EXPECT_EQ(events.back(), "refresh");
}

TEST_F(CourseTrees, OneNodeIsChosenInBothTreesTogether)
{
    ASSERT_EQ(load(kCourse), 0);
    trees->show();
    QTreeWidget *course = tree("tvMenu");
    QTreeWidget *contents = tree("tvCont");
    course->expandAll();
    contents->expandAll();
    QTreeWidgetItem *lesson = course->topLevelItem(0)->child(0);
    course->setCurrentItem(lesson);
    trees->Activate(TCourseTrees::ItemIndex(lesson), lesson);
    QTreeWidgetItem *copy = contents->topLevelItem(0)->child(0);
    contents->setCurrentItem(copy);
    trees->Activate(TCourseTrees::ItemIndex(copy), copy);
    EXPECT_TRUE(course->selectedItems().isEmpty()) << "the course tree lets its node go";
    EXPECT_EQ(trees->CurrentNode(), copy);
}

TEST_F(CourseTrees, ALessonIsFoundByItsFileAndChosen)
{
    ASSERT_EQ(load(kCourse), 0);
    const std::size_t before = lessons.size();
    EXPECT_FALSE(trees->ActivateLesson("MusHarmonyExercise", "xml\\nothing.xml"));
    EXPECT_FALSE(trees->ActivateLesson("HTMLText", "xml\\a.xml")) << "another kind of lesson";
    ASSERT_TRUE(trees->ActivateLesson("MusHarmonyExercise", "XML/A.xml"));
    ASSERT_EQ(lessons.size(), before + 1);
    EXPECT_EQ(lessons.back().Caption, "Упражнения :: Каденция");
    EXPECT_EQ(tree("tvMenu")->currentItem(), trees->CurrentNode());
}

TEST_F(CourseTrees, WorkThatWouldBeLostKeepsTheLessonAndItsNode)
{
    ASSERT_EQ(load(kCourse), 0);
    bool mayLeave = true;
    callbacks.mayLeave = [&] { return mayLeave; };
    trees->SetCallbacks(callbacks);
    ASSERT_TRUE(trees->ActivateLesson("MusHarmonyExercise", "xml\\a.xml"));
    QTreeWidgetItem *first = trees->CurrentNode();
    const std::size_t before = lessons.size();
    mayLeave = false;
    QTreeWidgetItem *other = tree("tvMenu")->topLevelItem(0)->child(0);
    trees->show();
    const QRect place = tree("tvMenu")->visualItemRect(other);
    QTest::mouseClick(tree("tvMenu")->viewport(), Qt::LeftButton, {}, place.center());
    EXPECT_EQ(lessons.size(), before) << "nothing opened";
    EXPECT_EQ(trees->CurrentNode(), first);
    EXPECT_EQ(tree("tvMenu")->currentItem(), first) << "the tree still shows the lesson in hand";
}

TEST_F(CourseTrees, LocalisedTabsShowTheirOtherPictures)
{
    const auto picture = [this](const char *name) {
        QToolButton *button = tab(name);
        return button->icon().pixmap(button->iconSize()).toImage();
    };
    const QImage russian = picture("tbMenuStandart");
    const QImage russianContents = picture("tbMenuCont");
    EXPECT_NE(russian, russianContents);
    trees->SetLocalized(true);
    EXPECT_NE(picture("tbMenuStandart"), russian);
    EXPECT_NE(picture("tbMenuCont"), russianContents);
    trees->SetLocalized(false);
    EXPECT_EQ(picture("tbMenuStandart"), russian);
}
