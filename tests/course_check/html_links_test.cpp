#include "course_check/html_links.h"

#include <gtest/gtest.h>

using namespace pw;

namespace {

TEST(PageLinks, EveryHrefAndSrcWithItsLine)
{
    const std::vector<PageLink> links
        = PageLinks("<html>\n<!-- <a href=\"old.html\"> -->\n"
                    "<A HREF='one.html' title=\"x > y\">one</A>\n"
                    "<img\n  alt=a src=img/two.png/>\n"
                    "<a href=\"a&amp;b.html\" data-src=\"no\">&lt;src=\"text\"&gt;</a>\n"
                    "<a name=top href = \"&#x41;&#66;.html\">");
    ASSERT_EQ(links.size(), 4u);
    EXPECT_EQ(links[0].attribute, "href");
    EXPECT_EQ(links[0].value, "one.html");
    EXPECT_EQ(links[0].line, 3);
    EXPECT_EQ(links[1].attribute, "src");
    EXPECT_EQ(links[1].value, "img/two.png/");
    EXPECT_EQ(links[1].line, 5);
    EXPECT_EQ(links[2].value, "a&b.html");
    EXPECT_EQ(links[2].line, 6);
    EXPECT_EQ(links[3].value, "AB.html");
    EXPECT_EQ(links[3].line, 7);
}

TEST(PageLinks, UnclosedTagsAndQuotesEndThePage)
{
    EXPECT_TRUE(PageLinks("<a href=\"never closed").size() == 1);
    EXPECT_TRUE(PageLinks("<a href=").size() == 1);
    EXPECT_TRUE(PageLinks("<!-- <img src=x.png>").empty());
    EXPECT_TRUE(PageLinks("a < b and <3 href=x").empty());
}

TEST(LinkedFile, LocalFilesOnlyWithoutAnchorOrQuery)
{
    EXPECT_EQ(LinkedFile("page.html"), "page.html");
    EXPECT_EQ(LinkedFile(" page.html#part "), "page.html");
    EXPECT_EQ(LinkedFile("../img/a%20b.png?size=2"), "../img/a b.png");
    EXPECT_EQ(LinkedFile("100%.png"), "100%.png");
    EXPECT_EQ(LinkedFile("/usr/share/x.png"), "/usr/share/x.png");
    EXPECT_EQ(LinkedFile("#top"), std::nullopt);
    EXPECT_EQ(LinkedFile(""), std::nullopt);
    EXPECT_EQ(LinkedFile("http://example.org/a.png"), std::nullopt);
    EXPECT_EQ(LinkedFile("HTTPS://example.org/"), std::nullopt);
    EXPECT_EQ(LinkedFile("mailto:teacher@example.org"), std::nullopt);
    // A colon after a folder is part of a file name.
    EXPECT_EQ(LinkedFile("img/a:b.png"), "img/a:b.png");
}

} // namespace
