#include "document/xml_file.h"
#include "platform/error.h"
#include "quest/quest_parms.h"

#include <gtest/gtest.h>

namespace pw::test {

namespace {

TQUESTPARM read(const std::string &xml)
{
    pugi::xml_document doc;
    EXPECT_TRUE(LoadXmlText(doc, xml));
    return ReadQuestParms(doc);
}

TEST(QuestParmsTest, MissingElementsKeepTheDefaults)
{
    const TQUESTPARM p = read("<Parameters/>");
    EXPECT_EQ(p.DDLeft, 23);
    EXPECT_EQ(p.DDBetween, 10);
    EXPECT_EQ(p.HorizontalStep, 30);
    EXPECT_EQ(p.NumSize, 20);
    EXPECT_EQ(p.NumColor, MakeColor(0, 0, 255));
    EXPECT_EQ(p.NumFont, "Arial");
    EXPECT_EQ(p.NumLeft, 3);
    EXPECT_EQ(p.NumTop, 3);
    EXPECT_EQ(p.NumHeight, 10);
    EXPECT_EQ(p.TextSize, 10);
    EXPECT_EQ(p.TextLeft, 23);
    EXPECT_EQ(p.TextTop, 3);
    EXPECT_TRUE(p.TextAutosize);
    EXPECT_EQ(p.TextHeight, 0);
    EXPECT_EQ(p.TextLayout, QuestTextLayout::Top);

    const TQUESTPARM partial
        = read(R"(<Parameters><QParms DDLeft="40"><Text Size="12"/></QParms></Parameters>)");
    EXPECT_EQ(partial.DDLeft, 40);
    EXPECT_EQ(partial.DDBetween, 10);
    EXPECT_EQ(partial.TextSize, 12);
    EXPECT_EQ(partial.NumSize, 20);
}

TEST(QuestParmsTest, ValuesAreReadFromQParmsAndItsChildren)
{
    const TQUESTPARM p = read(R"(<Sys><Parameters><QParms DDLeft="5" DDBetween="7">
        <Num Size="14" R="10" G="20" Font="Serif" Left="1" Top="2" Height="11"/>
        <Text Size="9" G="200" B="100" Font="Sans" Left="30" Top="4" Autosize="F" Height="50" Layout="C"/>
        </QParms></Parameters></Sys>)");
    EXPECT_EQ(p.DDLeft, 5);
    EXPECT_EQ(p.DDBetween, 7);
    EXPECT_EQ(p.NumSize, 14);
    // With R given, an absent component is 0.
    EXPECT_EQ(p.NumColor, MakeColor(10, 20, 0));
    EXPECT_EQ(p.NumFont, "Serif");
    EXPECT_EQ(p.NumLeft, 1);
    EXPECT_EQ(p.NumTop, 2);
    EXPECT_EQ(p.NumHeight, 11);
    // Without R the colour stays blue.
    EXPECT_EQ(p.TextColor, MakeColor(0, 0, 255));
    EXPECT_EQ(p.TextFont, "Sans");
    EXPECT_EQ(p.TextLeft, 30);
    EXPECT_EQ(p.TextTop, 4);
    EXPECT_FALSE(p.TextAutosize);
    EXPECT_EQ(p.TextHeight, 50);
    EXPECT_EQ(p.TextLayout, QuestTextLayout::Center);
    EXPECT_EQ(read(R"(<Parameters><QParms><Text Layout="B" Autosize="T"/></QParms></Parameters>)").TextLayout,
              QuestTextLayout::Bottom);
}

TEST(QuestParmsTest, AColourComponentOutOfRangeIsRefused)
{
    EXPECT_THROW(read(R"(<Parameters><QParms><Num R="256"/></QParms></Parameters>)"), RangeError);
    EXPECT_THROW(read(R"(<Parameters><QParms><Text R="0" B="-1"/></QParms></Parameters>)"), RangeError);
    EXPECT_NO_THROW(read(R"(<Parameters><QParms><Text R="255" G="0" B="255"/></QParms></Parameters>)"));
}

} // namespace

} // namespace pw::test
