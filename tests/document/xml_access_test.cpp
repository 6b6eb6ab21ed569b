#include "document/xml_access.h"
#include "document/xml_file.h"

#include "platform/error.h"
#include "platform/program_ui.h"
#include "platform/recording_ui.h"

#include <gtest/gtest.h>

using namespace pw;

namespace {

class XmlAccess : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(LoadXmlText(doc, R"(<Root>
            <Part a="1" empty="" TextR="ru" Text="plain" TextE="en"><Size chi="4" zna="8"/></Part>
            <Part a="2"/>
            <L><I id="Voice0">Бас</I><I id="Voice1">Тенор<b>!</b></I><I id="Voice0">second</I></L>
        </Root>)"));
        root = doc.document_element();
        part = root.child("Part");
        SetProgramUi(&ui);
    }
    void TearDown() override { SetProgramUi(nullptr); }

    pugi::xml_document doc;
    XmlNode root;
    XmlNode part;
    RecordingUi ui;
};

} // namespace

TEST_F(XmlAccess, GetAttrDistinguishesNoNodeAbsentAndEmpty)
{
    EXPECT_EQ(GetAttr(XmlNode(), "a", "def"), "");
    EXPECT_EQ(GetAttr(part, "missing", "def"), "def");
    EXPECT_EQ(GetAttr(part, "empty", "def"), "");
    EXPECT_EQ(GetAttr(part, "a", "def"), "1");
    // A text node has no attributes: the default.
    EXPECT_EQ(GetAttr(root.child("L").child("I").first_child(), "id", "def"), "def");
}

TEST_F(XmlAccess, GetAttrLangPrefersTheSuffixedAttribute)
{
    EXPECT_EQ(GetAttrLang(part, "Text", "E", "def"), "en");
    EXPECT_EQ(GetAttrLang(part, "Text", "G", "def"), "plain");
    EXPECT_EQ(GetAttrLang(part, "Caption", "E", "def"), "def");
    EXPECT_EQ(GetAttrLang(XmlNode(), "Text", "E", "def"), "");
}

TEST_F(XmlAccess, GetAttrIntConvertsWholeTextsOnly)
{
    struct Case
    {
        const char *text;
        int value;
    };
    const Case good[] = {{"12", 12},
                         {"-7", -7},
                         {"+5", 5},
                         {"  42", 42},
                         {"$1F", 31},
                         {"0x10", 16},
                         {"-$10", -16},
                         {"2147483647", 2147483647},
                         {"-2147483648", INT32_MIN},
                         {"$FFFFFFFF", -1},
                         {"0", 0}};
    for (const Case &c : good) {
        SetAttr(part, "n", c.text);
        EXPECT_EQ(GetAttrInt(part, "n", 99), c.value) << c.text;
    }
    const char *bad[]
        = {"12a", "12 ", " ", "-", "$", "0x", "1.5", "2147483648", "-2147483649", "$100000000", "x"};
    for (const char *text : bad) {
        SetAttr(part, "n", text);
        try {
            GetAttrInt(part, "n", 0);
            ADD_FAILURE() << "no error for '" << text << "'";
        } catch (const ConversionError &e) {
            // The message names the attribute and the offending text.
            EXPECT_NE(std::string(e.what()).find("'n'"), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find(std::string("'") + text + "'"), std::string::npos)
                << e.what();
        }
    }
    EXPECT_EQ(GetAttrInt(part, "missing", 99), 99);
    EXPECT_EQ(GetAttrInt(part, "empty", 99), 99);
    EXPECT_EQ(GetAttrInt(XmlNode(), "a", 99), 99);
}

TEST_F(XmlAccess, SetAttrReplacesInPlaceAndAppendsNewOnes)
{
    SetAttr(part, "a", "changed");
    SetAttr(part, "z", 5);
    SetAttr(part, "", "ignored");
    std::vector<std::string> names;
    for (const pugi::xml_attribute attr : part.attributes())
        names.emplace_back(attr.name());
    EXPECT_EQ(names, (std::vector<std::string> {"a", "empty", "TextR", "Text", "TextE", "z"}));
    EXPECT_EQ(GetAttr(part, "a"), "changed");
    EXPECT_EQ(GetAttr(part, "z"), "5");
    EXPECT_THROW(SetAttr(XmlNode(), "a", "x"), XmlError);

    RemoveAttr(part, "a");
    RemoveAttr(part, "never-there");
    EXPECT_EQ(GetAttr(part, "a", "gone"), "gone");
}

TEST_F(XmlAccess, AddChildWithoutParentShowsTheMessageAndTryAddChildIsSilent)
{
    EXPECT_FALSE(AddChild(XmlNode(), "Voice", {"H", "1"}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "!!!");
    EXPECT_EQ(ui.messages[0].text, "Попытка добавить элемент Voice к пустому элементу");

    EXPECT_FALSE(TryAddChild(XmlNode(), "Voice"));
    EXPECT_EQ(ui.messages.size(), 1u);

    XmlNode voice = AddChild(part, "Voice", {"H", "1"}, {"", "skipped"}, {"Type", "Def"});
    EXPECT_EQ(voice.parent(), part);
    EXPECT_EQ(part.last_child(), voice);
    EXPECT_EQ(GetAttr(voice, "H"), "1");
    EXPECT_EQ(GetAttr(voice, "Type"), "Def");
    EXPECT_EQ(std::distance(voice.attributes_begin(), voice.attributes_end()), 2);
}

TEST_F(XmlAccess, FindOrAddChildKeepsAnExistingChildUntouched)
{
    XmlNode size = FindOrAddChild(part, "Size", {"chi", "3"});
    EXPECT_EQ(size, part.child("Size"));
    EXPECT_EQ(GetAttr(size, "chi"), "4");

    XmlNode other = root.child("Part").next_sibling("Part");
    XmlNode created = FindOrAddChild(other, "Size", {"chi", "3"}, {"zna", "8"});
    EXPECT_EQ(created.parent(), other);
    EXPECT_EQ(GetAttr(created, "chi"), "3");
    EXPECT_EQ(GetAttr(created, "zna"), "8");
    EXPECT_FALSE(FindOrAddChild(XmlNode(), "Size"));
}

TEST_F(XmlAccess, TextChildrenMatchWholeDescendantText)
{
    XmlNode list = root.child("L");
    EXPECT_TRUE(HasTextChild(list, "I", "Бас"));
    EXPECT_TRUE(HasTextChild(list, "I", "Тенор!"));
    EXPECT_FALSE(HasTextChild(list, "I", "Тенор"));
    EXPECT_FALSE(HasTextChild(XmlNode(), "I", "Бас"));

    // The last match wins, and the pairs overwrite.
    XmlNode second = list.last_child();
    SetAttr(second, "x", "old");
    SetAttr(list.first_child(), "x", "first");
    XmlNode taken = FindOrAddTextChild(list, "I", {"x", "new"}, {}, {}, "second");
    EXPECT_EQ(taken, second);
    EXPECT_EQ(GetAttr(second, "x"), "new");
    XmlNode fresh = FindOrAddTextChild(list, "I", {"id", "Alto"}, {}, {}, "Альт");
    EXPECT_EQ(fresh, list.last_child());
    EXPECT_EQ(NodeText(pugi::xpath_node(fresh)), "Альт");

    EXPECT_TRUE(RemoveTextChild(list, "I", "Бас"));
    EXPECT_FALSE(HasTextChild(list, "I", "Бас"));
    EXPECT_FALSE(RemoveTextChild(list, "I", "Бас"));
}

TEST_F(XmlAccess, SelectTextFallsBackToTheDefault)
{
    EXPECT_EQ(SelectText(doc, "//L/I[@id='Voice0']", "def"), "Бас");
    EXPECT_EQ(SelectText(doc, "//L/I[@id='Soprano']", "Сопрано"), "Сопрано");
    EXPECT_EQ(SelectText(XmlNode(), "//L/I", "def"), "def");
    EXPECT_EQ(SelectText(doc, "//Part/@a", "def"), "1");
}

TEST_F(XmlAccess, NumericPredicatesCountFromZero)
{
    EXPECT_EQ(GetAttr(SelectNode(doc, "//Part[0]"), "a"), "1");
    EXPECT_EQ(GetAttr(SelectNode(doc, "//Part[ 1 ]"), "a"), "2");
    EXPECT_FALSE(SelectNode(doc, "//Part[2]"));
    EXPECT_EQ(SelectText(doc, "//L/I[@id='Voice0'][1]"), "second");
    // Digits inside quotes are text, not an index.
    EXPECT_EQ(ZeroBasedToXPath("//I[@id='[0]'][0]"), "//I[@id='[0]'][1]");
    EXPECT_EQ(ZeroBasedToXPath("//a[position()=1]"), "//a[position()=1]");
    EXPECT_THROW(SelectNodes(doc, "//Part[]"), XmlError);
}

// Text from a file reaches a path as a value: quotes and operators in it change nothing.
TEST_F(XmlAccess, ValuesAreComparedNeverReadAsPartOfThePath)
{
    EXPECT_EQ(SelectText(doc, "//L/I[@id=$id]", {{"id", "Voice0"}}), "Бас");
    EXPECT_EQ(SelectText(doc, "//L/I[@id=$id]", {{"id", "nothing' or '1'='1"}}, "none"), "none");
    XmlNode odd = root.append_child("Odd");
    SetAttr(odd, "name", "it's \"both\"");
    EXPECT_EQ(SelectNode(doc, "//Odd[@name=$n]", {{"n", "it's \"both\""}}), odd);
    // The same path again with another value: the compiled path keeps no old value.
    EXPECT_EQ(SelectText(doc, "//L/I[@id=$id]", {{"id", "Voice0"}}), "Бас");
    // Numbers compare as numbers.
    SetAttr(odd, "High", "012");
    EXPECT_EQ(SelectNode(doc, "//Odd[@High=$p]", {{"p", 12.0}}), odd);
    EXPECT_FALSE(SelectNode(doc, "//Odd[@High=$p]", {{"p", "12"}}));
    EXPECT_THROW(SelectNodes(doc, "//Odd[@a=$undeclared]", {{"p", "1"}}), XmlError);
}

TEST_F(XmlAccess, RemoveNodeDetachesIt)
{
    XmlNode second = root.child("Part").next_sibling("Part");
    EXPECT_TRUE(RemoveNode(second));
    EXPECT_EQ(SelectNodes(doc, "//Part").size(), 1u);
    EXPECT_FALSE(RemoveNode(XmlNode()));
}

TEST(FindSubstringFrom, FindsEachBackslashInTurn)
{
    const std::string path = "xml\\lessons\\one.xml";
    EXPECT_EQ(FindSubstringFrom("\\", path, 1), 4);
    EXPECT_EQ(FindSubstringFrom("\\", path, 5), 12);
    EXPECT_EQ(FindSubstringFrom("\\", path, 13), 0);
    EXPECT_EQ(FindSubstringFrom("one", path, 1), 13);
    EXPECT_EQ(FindSubstringFrom("too long for the text", "short", 1), 0);
}
