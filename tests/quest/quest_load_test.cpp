#include "quest_fixture.h"

#include <algorithm>

namespace pw::test {

namespace {

using Items = std::vector<std::string>;
using Flags = std::vector<bool>;

struct QuestLoadTest : QuestFixture
{
};

TEST_F(QuestLoadTest, DrawsEveryPlaceWithoutRepeats)
{
    random.values = {3, 3, 1, 3, 0, 4, 1, 2};
    ASSERT_TRUE(load(quest, "five.xml"));
    EXPECT_EQ(quest.Drawn(), (std::vector<int> {3, 1, 0, 4, 2}));
    // Every draw counts, also the repeats that filled nothing.
    EXPECT_EQ(random.asked, std::vector<int>(8, 5));
    EXPECT_EQ(random.reseeds, 1);
    ASSERT_EQ(quest.Places(), 5);
    for (int place = 0; place < 5; ++place) {
        const TQuestion &question = *quest.Questions()[static_cast<std::size_t>(place)];
        EXPECT_EQ(question.Place, place);
        EXPECT_EQ(question.Text, "Q" + std::to_string(quest.Drawn()[static_cast<std::size_t>(place)]) + " ");
    }
    EXPECT_TRUE(ui.messages.empty());

    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        StdRandom seeded(seed);
        TQList list(ui, seeded, pictures);
        ASSERT_TRUE(list.Load(QuestSource {PARTWRITER_TEST_DATA, "five.xml"}, parms, task, 600));
        std::vector<int> drawn = list.Drawn();
        std::sort(drawn.begin(), drawn.end());
        EXPECT_EQ(drawn, (std::vector<int> {0, 1, 2, 3, 4})) << "seed " << seed;
    }
}

TEST_F(QuestLoadTest, TimeLimitIsNormalisedAndStartsTheCountdown)
{
    random.values = {0, 1, 2, 3, 4};
    ASSERT_TRUE(load(quest, "five.xml"));
    EXPECT_EQ(task.LimitMin, 2);
    EXPECT_EQ(task.LimitSec, 5);
    EXPECT_TRUE(task.Timer->enabled());
    EXPECT_EQ(task.SecondsUsed, 0);
    task.TickDown();
    EXPECT_EQ(task.SecondsUsed, 1);

    TimerArea untimed;
    // Q0, its variant, Q1, Q2.
    random.values = {0, 0, 1, 2};
    ASSERT_TRUE(quest.Load(QuestSource {PARTWRITER_TEST_DATA, "variants.xml"}, parms, untimed, 600));
    EXPECT_EQ(untimed.LimitMin, 0);
    EXPECT_EQ(untimed.LimitSec, 0);
    EXPECT_FALSE(untimed.Timer->enabled());
    EXPECT_FALSE(untimed.SecondsUsed);
}

TEST_F(QuestLoadTest, VariantChoosesTheTextPiecesAndTheRightItems)
{
    // Q0 first, its variant from 1..3 (the second value, 1, gives variant 2), then Q1 and Q2,
    // which have no numbered pieces and ask for no variant.
    random.values = {0, 1, 1, 2};
    ASSERT_TRUE(load(quest, "variants.xml"));
    EXPECT_EQ(random.asked, (std::vector<int> {3, 3, 3, 3}));
    const TQuestion &numbered = drawn(quest, 0);
    EXPECT_EQ(numbered.Variant, 2);
    EXPECT_EQ(numbered.Text, "of Minor third C? ");
    ASSERT_EQ(numbered.Boxes.size(), 1u);
    EXPECT_EQ(numbered.Boxes[0].Items, (Items {"E", "Eb", "G"}));
    EXPECT_EQ(numbered.Boxes[0].Right, (Flags {false, true, false}));
    EXPECT_EQ(numbered.Boxes[0].Hint, "interval");

    // Only "*" pieces: variant 1, and the R children compare as numbers ("01" is 1).
    const TQuestion &common = drawn(quest, 1);
    EXPECT_EQ(common.Variant, 1);
    EXPECT_EQ(common.Text, "Always one ");
    EXPECT_EQ(common.Boxes[0].Right, (Flags {false, true, true}));

    random.values = {0, 2, 1, 2};
    ASSERT_TRUE(load(quest, "variants.xml"));
    EXPECT_EQ(drawn(quest, 0).Variant, 3);
    EXPECT_EQ(drawn(quest, 0).Text, "of Fifth C? ");
    EXPECT_EQ(drawn(quest, 0).Boxes[0].Right, (Flags {false, false, true}));
}

TEST_F(QuestLoadTest, LinkedBoxesShowTheNamedItemsWithTheirAnswer)
{
    random.values = {2, 0, 0, 1};
    ASSERT_TRUE(load(quest, "variants.xml"));
    const TQuestion &question = drawn(quest, 2);
    ASSERT_EQ(question.Boxes.size(), 3u);
    EXPECT_EQ(question.Boxes[0].Right, (Flags {true, false, false}));
    // The box's own V children are not shown.
    EXPECT_EQ(question.Boxes[1].Items, (Items {"I", "IV", "V"}));
    EXPECT_EQ(question.Boxes[1].Right, (Flags {false, false, true}));
    // The answer is compared as text: "00" is no index.
    EXPECT_EQ(question.Boxes[2].Items, (Items {"I", "IV", "V"}));
    EXPECT_EQ(question.Boxes[2].Right, (Flags {false, false, false}));
    // Without a picture there is no overlay to draw.
    EXPECT_EQ(question.Boxes[0].Graphic, "");
}

TEST_F(QuestLoadTest, LocalisedAttributesFollowTheFamily)
{
    ASSERT_TRUE(load(quest, "languages.xml", "English"));
    const TQuestion &test = *quest.Questions()[0];
    EXPECT_EQ(test.Text, "Interval (test) plain ");
    EXPECT_EQ(test.Boxes[0].Items, (Items {"third (test)"}));
    // A test reads its hints plain.
    EXPECT_EQ(test.Boxes[0].Hint, "подсказка");

    ASSERT_TRUE(load(sheet, "languages.xml", "English"));
    const TQuestion &page = *sheet.Questions()[0];
    EXPECT_EQ(page.Text, "Interval (sheet) plain ");
    EXPECT_EQ(page.Boxes[0].Items, (Items {"third (sheet)"}));
    EXPECT_EQ(page.Boxes[0].Hint, "hint (sheet)");

    // In Russian a test tries TextR first, a sheet TextRussian, then both the plain name.
    ASSERT_TRUE(load(quest, "languages.xml"));
    EXPECT_EQ(quest.Questions()[0]->Boxes[0].Items, (Items {"терция (R)"}));
    ASSERT_TRUE(load(sheet, "languages.xml"));
    EXPECT_EQ(sheet.Questions()[0]->Boxes[0].Items, (Items {"терция"}));
    EXPECT_EQ(sheet.Questions()[0]->Text, "Интервал plain ");
}

TEST_F(QuestLoadTest, PicturesWidenThePanelAndCarryOverlays)
{
    quest.SetKindHint([](const std::string &kind) { return "hint of " + kind; });
    random.values = {0, 1, 2};
    EXPECT_FALSE(load(quest, "pictures.xml"));
    ASSERT_EQ(quest.Places(), 2);
    const TQuestion &pictured = *quest.Questions()[0];
    ASSERT_TRUE(pictured.Picture);
    EXPECT_EQ(pictures.loaded.front(), std::filesystem::path(PARTWRITER_TEST_DATA) / "img" / "wide.jpg");
    EXPECT_EQ(pictured.Sound, "snd\\chord.wav");
    EXPECT_EQ(pictured.Width, 840);
    EXPECT_EQ(pictured.WidenedWidth, 840);
    EXPECT_EQ(quest.WidestWidth(), 840);
    EXPECT_EQ(pictured.PictureTop, 10 + 10 + 3);
    // Boxes sit on the picture: X + 10, Y + number height + number top - 20.
    EXPECT_EQ(pictured.Boxes[0].Left, 710);
    EXPECT_EQ(pictured.Boxes[0].Top, 43);
    EXPECT_EQ(pictured.Boxes[1].Graphic, "ring");
    EXPECT_EQ(pictured.Boxes[1].Hint, "hint of ring");
    // A linked box borrows the named box's overlay with its items.
    EXPECT_EQ(pictured.Boxes[2].Graphic, "ring");
    EXPECT_EQ(pictured.Boxes[2].Items, (Items {"x"}));
    EXPECT_EQ(pictured.Boxes[2].Right, (Flags {true}));
    EXPECT_EQ(pictured.Height, 300 + 10 + 3 + 3 + 40);

    // Without a picture the boxes stack under the text, and G draws nothing and gives no hint.
    const TQuestion &plain = *quest.Questions()[1];
    EXPECT_EQ(plain.Top, 10 + pictured.Height + 10);
    EXPECT_EQ(plain.Width, 600);
    EXPECT_EQ(plain.WidenedWidth, 0);
    EXPECT_EQ(plain.Boxes[0].Top, 43);
    EXPECT_EQ(plain.Boxes[1].Top, 43 + 30 + 10);
    EXPECT_EQ(plain.Boxes[0].Left, 23);
    EXPECT_EQ(plain.Boxes[0].Graphic, "");
    EXPECT_EQ(plain.Boxes[0].Hint, "");
    EXPECT_EQ(plain.Height, 43 + 2 * 40);
}

TEST_F(QuestLoadTest, FailuresAreReportedWithTheirTexts)
{
    EXPECT_FALSE(load(quest, "no-such-quest.xml"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "Ошибка");
    EXPECT_EQ(ui.messages[0].text, "Файл вопросник не найден (no-such-quest.xml)");
    EXPECT_EQ(quest.Places(), 0);

    // A missing picture stops the load; the questions drawn before it stay.
    ui.messages.clear();
    random.values = {2, 0};
    EXPECT_FALSE(load(quest, "pictures.xml"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "Ошибка");
    EXPECT_EQ(ui.messages[0].text, "Не загружена картинка вопроса img\\missing.jpg");
    EXPECT_EQ(quest.Places(), 0);
    random.values = {1, 2};
    EXPECT_FALSE(load(quest, "pictures.xml"));
    EXPECT_EQ(quest.Drawn(), (std::vector<int> {1}));

    // More places than questions: given up after a thousand draws, the two drawn stay.
    ui.messages.clear();
    random.values = {1, 0};
    random.asked.clear();
    EXPECT_FALSE(load(quest, "too_few.xml"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "Не смог заполнить случайную матрицу вопросов");
    EXPECT_EQ(ui.messages[0].text, "Сбой");
    EXPECT_EQ(quest.Drawn(), (std::vector<int> {1, 0}));
    EXPECT_EQ(quest.Count(), 3);
    EXPECT_EQ(random.asked.size(), 1000u);
}

} // namespace

} // namespace pw::test
