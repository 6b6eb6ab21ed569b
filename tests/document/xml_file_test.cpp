#include "support/test_folder.h"

#include "document/xml_access.h"
#include "document/xml_file.h"
#include "platform/error.h"

using namespace pw;

using XmlFile = TestFolder;

TEST_F(XmlFile, Windows1251IsConvertedToUtf8)
{
    // "Бас" in windows-1251.
    const auto path = write("old.xml",
                            "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n"
                            "<L><I id=\"Voice0\">\xC1\xE0\xF1</I></L>");
    pugi::xml_document doc;
    ASSERT_TRUE(LoadXmlFile(doc, path));
    EXPECT_EQ(SelectText(doc, "//I[@id='Voice0']"), "Бас");
}

TEST_F(XmlFile, Utf8WithAndWithoutDeclarationOrBom)
{
    pugi::xml_document doc;
    ASSERT_TRUE(LoadXmlFile(doc, write("a.xml", "<?xml version='1.0' encoding='UTF-8'?><R t=\"Тенор\"/>")));
    EXPECT_EQ(GetAttr(doc.document_element(), "t"), "Тенор");
    ASSERT_TRUE(LoadXmlFile(doc, write("b.xml", "\xEF\xBB\xBF<R t=\"Альт\"/>")));
    EXPECT_EQ(GetAttr(doc.document_element(), "t"), "Альт");
}

TEST_F(XmlFile, MissingMalformedAndUndecodableFilesDoNotLoad)
{
    pugi::xml_document doc;
    EXPECT_FALSE(LoadXmlFile(doc, folder / "none.xml"));
    // pugixml would keep the root element parsed before the error.
    EXPECT_FALSE(LoadXmlFile(doc, write("broken.xml", "<R><Part a=\"1\"></R>")));
    EXPECT_FALSE(doc.document_element());
    EXPECT_FALSE(LoadXmlFile(doc, write("empty.xml", "")));
    EXPECT_FALSE(LoadXmlFile(doc, write("odd.xml", "<?xml version=\"1.0\" encoding=\"no-such-code\"?><R/>")));
}

TEST_F(XmlFile, MissingNameIsFoundIgnoringCase)
{
    write("XML/Lesson.XML", "<R/>");
    pugi::xml_document doc;
    EXPECT_TRUE(LoadXmlFile(doc, folder / "xml" / "lesson.xml"));
}

TEST_F(XmlFile, SaveWritesUtf8WithDeclarationAndRoundTrips)
{
    pugi::xml_document doc;
    ASSERT_TRUE(
        LoadXmlText(doc, "<?xml version=\"1.0\" encoding=\"windows-1251\"?><R><I>\xC1\xE0\xF1</I></R>"));
    const auto path = folder / "saved.xml";
    SaveXmlFile(doc, path);
    const std::string text = read(path);
    EXPECT_EQ(text.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", 0), 0u);
    EXPECT_NE(text.find("Бас"), std::string::npos);
    pugi::xml_document again;
    ASSERT_TRUE(LoadXmlFile(again, path));
    EXPECT_EQ(SelectText(again, "//I"), "Бас");
}

TEST_F(XmlFile, FailedSaveKeepsThePreviousFile)
{
    pugi::xml_document doc;
    ASSERT_TRUE(LoadXmlText(doc, "<R/>"));
    const auto path = write("target/keep.xml", "previous");
    // A folder in the temporary file's way makes the write fail before the rename.
    std::filesystem::create_directories(folder / "target" / "sub");
    EXPECT_THROW(SaveXmlFile(doc, folder / "target"), pw::XmlError);
    EXPECT_EQ(read(path), "previous");
}
