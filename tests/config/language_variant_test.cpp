#include "support/test_folder.h"

#include "config/language_variant.h"

#include <string>

using namespace pw;

namespace {

struct VariantCase
{
    const char *name;
    const char *language;
    const char *variant;
};

// Pages, pause pages, contents, videos and the about page all take their language this way.
TEST(LanguageVariant, OneRuleForEveryKindOfName)
{
    const VariantCase cases[] = {
        {"html\\theory.html", "English", "html\\theoryEnglish.html"},
        {"about.html", "German", "aboutGerman.html"},
        {"clips/intro.part.webm", "English", "clips/introEnglish.part.webm"},
        // A dot in a folder name is not the file's.
        {"course.v2\\pause.html", "English", "course.v2\\pauseEnglish.html"},
        {"/data/course.v2/intro.webm", "English", "/data/course.v2/introEnglish.webm"},
        // A file name without a dot takes the language in front, its folders stay.
        {"readme", "English", "Englishreadme"},
        {"html\\pause", "English", "html\\Englishpause"},
        {"course.v2/notes", "English", "course.v2/Englishnotes"},
        // The built-in language and no language leave every name alone.
        {"html\\theory.html", "Russian", "html\\theory.html"},
        {"html\\theory.html", "", "html\\theory.html"},
    };
    for (const VariantCase &c : cases)
        EXPECT_EQ(LanguageVariantName(c.name, c.language), c.variant) << c.name << " in " << c.language;
}

using Variant = TestFolder;

TEST_F(Variant, TheVariantIsUsedOnlyWhenItsFileExists)
{
    write("html/theoryEnglish.html", "x");
    write("Englishreadme", "x");
    EXPECT_EQ(LanguageVariant(folder, "html\\theory.html", "English"), "html\\theoryEnglish.html");
    EXPECT_EQ(LanguageVariant(folder, "html\\other.html", "English"), "html\\other.html");
    EXPECT_EQ(LanguageVariant(folder, "html\\theory.html", "Russian"), "html\\theory.html");
    EXPECT_EQ(LanguageVariant(folder, "readme", "English"), "Englishreadme");

    EXPECT_EQ(LanguageVariantFile(folder / "html" / "theory.html", "English"),
              folder / "html" / "theoryEnglish.html");
    EXPECT_EQ(LanguageVariantFile(folder / "html" / "other.html", "English"), folder / "html" / "other.html");
}

} // namespace
