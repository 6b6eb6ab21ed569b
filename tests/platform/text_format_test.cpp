#include "platform/text_format.h"

#include <gtest/gtest.h>

using namespace pw;

TEST(TextFormat, MarksAreReplacedOnceAndUnknownOnesStay)
{
    EXPECT_EQ(FormatText("%2 before %1", {"a", "b"}), "b before a");
    // An argument holding a mark is not replaced again.
    EXPECT_EQ(FormatText("%1 and %2", {"%2", "x"}), "%2 and x");
    EXPECT_EQ(FormatText("%3 of %1, 100%", {"a"}), "%3 of a, 100%");
}

TEST(TextFormat, MatchingGivesBackWhatFormattingPutIn)
{
    const std::string pattern = "Файл %1 не читается: %2";
    const auto values = MatchText(pattern, "Файл a: b.xml не читается: строка 3: x");
    ASSERT_TRUE(values);
    EXPECT_EQ(*values, (std::vector<std::string> {"a: b.xml", "строка 3: x"}));
    EXPECT_EQ(FormatText(pattern, *values), "Файл a: b.xml не читается: строка 3: x");

    // The literal after the last mark must end the text; the text must hold every literal.
    EXPECT_EQ(MatchText("file %1 MB", "file 16 MB").value(), std::vector<std::string> {"16"});
    EXPECT_FALSE(MatchText("file %1 MB", "file 16 MB!"));
    EXPECT_FALSE(MatchText("line %1: %2", "column 3: x"));
    EXPECT_FALSE(MatchText("plain", "plain text"));
    // Marks side by side cannot be told apart.
    EXPECT_FALSE(MatchText("%1%2", "ab"));
    EXPECT_EQ(MatchText("%2 then %1", "b then a").value(), (std::vector<std::string> {"a", "b"}));
}
