#include "quest_fixture.h"

namespace pw::test {

namespace {

struct QuestCheckTest : QuestFixture
{
    // Five one-box questions in file order; item 0 is right, item 1 wrong.
    void loadFive()
    {
        random.values = {0, 1, 2, 3, 4};
        ASSERT_TRUE(load(quest, "five.xml"));
    }
};

TEST_F(QuestCheckTest, AnswersAreRecountedOnEveryChange)
{
    loadFive();
    EXPECT_EQ(quest.Answered(), 0);
    EXPECT_TRUE(quest.Select(0, 0, 1));
    EXPECT_TRUE(quest.Select(3, 0, 0));
    EXPECT_EQ(quest.Answered(), 2);
    EXPECT_TRUE(quest.Select(3, 0, -1));
    EXPECT_EQ(quest.Answered(), 1);
    // No such place, box or item: nothing changes.
    EXPECT_FALSE(quest.Select(5, 0, 0));
    EXPECT_FALSE(quest.Select(1, 1, 0));
    EXPECT_FALSE(quest.Select(1, 0, 2));
    EXPECT_FALSE(quest.Select(1, 0, -2));
    EXPECT_EQ(quest.Answered(), 1);
}

TEST_F(QuestCheckTest, CheckStopsAtTheFirstQuestionWithAnEmptyBox)
{
    loadFive();
    quest.Select(0, 0, 0);
    quest.Select(1, 0, 1);
    quest.Select(3, 0, 0);
    QuestScroll scroll {0, 0, 0};
    EXPECT_FALSE(quest.Check(true, scroll, 670));
    ASSERT_TRUE(quest.FirstEmpty());
    EXPECT_EQ(quest.FirstEmpty()->place, 2);
    EXPECT_EQ(quest.FirstEmpty()->box, 0);
    EXPECT_EQ(scroll.first, 2);
    EXPECT_EQ(quest.First(), 2);
    // The answered counter covers only the questions before it; the one stopped at is already
    // counted wrong.
    EXPECT_EQ(quest.Answered(), 2);
    EXPECT_EQ(quest.Wrong(), 2);

    // The full check: an empty box makes its question wrong as well as unanswered.
    EXPECT_FALSE(quest.Check());
    EXPECT_FALSE(quest.FirstEmpty());
    EXPECT_EQ(quest.Answered(), 3);
    EXPECT_EQ(quest.Wrong(), 3);
    EXPECT_EQ(quest.Mark(), 5 - 9 / 5);

    quest.Select(2, 0, 0);
    quest.Select(4, 0, 0);
    EXPECT_TRUE(quest.Check(true, scroll, 670));
    EXPECT_FALSE(quest.FirstEmpty());
    EXPECT_EQ(quest.Answered(), 5);
    EXPECT_EQ(quest.Wrong(), 1);
    EXPECT_EQ(quest.Mark(), 5);
}

TEST_F(QuestCheckTest, CheckScrollsAnEmptyBoxOutsideTheViewIntoIt)
{
    random.values = {1, 0, 2};
    EXPECT_FALSE(load(quest, "pictures.xml"));
    ASSERT_EQ(quest.Drawn(), (std::vector<int> {1, 0}));
    quest.Select(0, 0, 0);
    quest.Select(0, 1, 0);
    quest.Select(1, 1, 0);
    quest.Select(1, 2, 0);
    // The empty box is 710 pixels in: far right of a 670-pixel view, as far as the bar goes.
    QuestScroll scroll {0, 0, 6};
    EXPECT_FALSE(quest.Check(true, scroll, 670));
    EXPECT_EQ(scroll.first, 1);
    EXPECT_EQ(scroll.horizontal, 6);
    EXPECT_EQ(quest.FirstEmpty()->place, 1);
    EXPECT_EQ(quest.FirstEmpty()->box, 0);
    // Already in view: the bar stays.
    scroll = {0, 6, 30};
    quest.Check(true, scroll, 670);
    EXPECT_EQ(scroll.horizontal, 6);
    scroll = {0, 0, 30};
    quest.Check(true, scroll, 670);
    EXPECT_EQ(scroll.horizontal, 710 / 30);
    // Scrolled past it to the right: back to the start.
    scroll = {0, 30, 30};
    quest.Check(true, scroll, 670);
    EXPECT_EQ(scroll.horizontal, 0);
}

TEST_F(QuestCheckTest, QuestionsWithoutBoxesAreAnsweredAndRight)
{
    random.values = {0, 1};
    load(quest, "too_few.xml");
    ASSERT_EQ(quest.Places(), 2);
    EXPECT_TRUE(quest.Check());
    EXPECT_EQ(quest.Answered(), 2);
    EXPECT_EQ(quest.Wrong(), 0);
    EXPECT_EQ(quest.Mark(), 5);
}

TEST_F(QuestCheckTest, EveryBoxEmptyGivesTheLowestMark)
{
    loadFive();
    EXPECT_FALSE(quest.Check());
    EXPECT_EQ(quest.Answered(), 0);
    EXPECT_EQ(quest.Wrong(), 5);
    EXPECT_EQ(quest.Mark(), 2);
}

TEST(QuestMarkTest, MarkFallsWithTheShareOfWrongQuestions)
{
    EXPECT_EQ(QuestMark(0, 10), 5);
    EXPECT_EQ(QuestMark(3, 10), 5);
    EXPECT_EQ(QuestMark(4, 10), 4);
    EXPECT_EQ(QuestMark(6, 10), 4);
    EXPECT_EQ(QuestMark(7, 10), 3);
    EXPECT_EQ(QuestMark(9, 10), 3);
    EXPECT_EQ(QuestMark(10, 10), 2);
    EXPECT_EQ(QuestMark(1, 3), 4);
    EXPECT_EQ(QuestMark(0, 0), 5);
}

} // namespace

} // namespace pw::test
