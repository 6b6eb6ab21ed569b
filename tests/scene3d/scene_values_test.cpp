#include "scene3d/scene_values.h"

#include "platform/error.h"
#include "platform/random.h"
#include "platform/recording_ui.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

using Items = std::vector<std::string>;

TEST(SceneValues, ListsDropEmptyItemsAndTrimBlanks)
{
    EXPECT_EQ(SceneValues::SplitList("1,,2"), (Items {"1", "2"}));
    EXPECT_EQ(SceneValues::SplitList(" 1 , 2 ,, "), (Items {"1", "2"}));
    EXPECT_EQ(SceneValues::SplitList(""), Items {});
    EXPECT_EQ(SceneValues::SplitList("MAX(1;2),0"), (Items {"MAX(1;2)", "0"}));
    EXPECT_EQ(SceneValues::SplitList(std::string(1500, '1'))[0].size(), 1000u);
}

class SceneValuesTest : public ::testing::Test
{
protected:
    RecordingUi ui;
    StdRandom random {7};
    SceneValues values {ui, random};
    pugi::xml_document doc;
    XmlNode element(const char *xml)
    {
        doc.load_string(xml);
        return doc.document_element();
    }
};

TEST_F(SceneValuesTest, AttributesAreFormulasWithDefaults)
{
    const XmlNode node = element(R"(<E a="2*3" e="" r="r" count="2.9" neg="-2.9" big="2^40"/>)");
    EXPECT_EQ(values.Number(node, "a", 1), 6);
    EXPECT_EQ(values.Number(node, "e", 4), 4);
    EXPECT_EQ(values.Number(node, "absent", 5), 5);
    const double r = values.Number(node, "r", -1);
    EXPECT_GE(r, 0);
    EXPECT_LT(r, 1);
    EXPECT_EQ(values.Integer(node, "count", 1), 2);
    EXPECT_EQ(values.Integer(node, "neg", 1), -2);
    EXPECT_THROW(values.Integer(node, "big", 1), RangeError);
}

TEST_F(SceneValuesTest, ListsFillMissingItemsWithZero)
{
    const XmlNode node = element(R"(<E T="1,,2" C="MAX(1;2),0,0" one="1" bad="MAX(1,2),0,0"/>)");
    EXPECT_EQ(values.List<3>(node, "T"), (std::array<double, 3> {1, 2, 0}));
    EXPECT_EQ(values.List<3>(node, "C"), (std::array<double, 3> {2, 0, 0}));
    EXPECT_EQ(values.List<3>(node, "one"), (std::array<double, 3> {1, 0, 0}));
    EXPECT_FALSE(values.List<3>(node, "absent"));
    EXPECT_THROW(values.List<3>(node, "bad"), Error);
}

TEST_F(SceneValuesTest, DefKeepsAndCalcOverwritesWithOldValues)
{
    values.SetVariable("t", "5", false);
    values.SetVariable("T", "7", false);
    EXPECT_EQ(values.Variable("t"), 5);
    values.SetVariable("t", "t+1", true);
    EXPECT_EQ(values.Variable("T"), 6);
    values.SetVariable("t", "", true);
    EXPECT_EQ(values.Variable("t"), 0);
    values.SetSize(800, 600);
    EXPECT_EQ(values.Number(element(R"(<E w="width+height"/>)"), "w", 0), 1400);
}

TEST_F(SceneValuesTest, VariablesStopAtTheirLimitAndLoopsAtTheBudget)
{
    for (std::size_t i = 2; i < SceneValues::MaxVariables; ++i)
        values.SetVariable("v" + std::to_string(i), "1", false);
    EXPECT_THROW(values.SetVariable("one_too_many", "1", false), RangeError);
    values.SetVariable("v2", "3", true); // an existing one still changes
    EXPECT_EQ(values.Variable("v2"), 3);
    EXPECT_THROW(values.Evaluate("WHILE 1 DO 1 WEND", 0), Error);
}

} // namespace
} // namespace pw
