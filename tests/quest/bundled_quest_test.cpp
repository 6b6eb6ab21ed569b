// The course's own test and question sheet, loaded as their lessons load them: in both languages,
// with every question and every variant, the pictures and sounds they name.

#include "quest_fixture.h"

#include "document/xml_file.h"
#include "platform/file_paths.h"
#include "platform/qpainter_canvas.h"

#include <algorithm>

namespace pw::test {

namespace {

const std::filesystem::path kData = PARTWRITER_BUNDLED_DATA;

struct BundledFile
{
    std::string file;
    QuestFamily family;
};

const std::vector<BundledFile> kFiles {{"xml\\quest-theory.xml", QuestFamily::Quest},
                                       {"xml\\task-sheet.xml", QuestFamily::AccTask},
                                       {"xml\\quest-chords.xml", QuestFamily::Quest}};
const std::vector<std::string> kLanguages {"Russian", "English"};

// Cyrillic letters are U+0400 to U+04FF: lead bytes 0xD0 to 0xD3 in UTF-8.
bool hasCyrillic(const std::string &text)
{
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0xD0 && byte <= 0xD3;
    });
}

// Always the same variant: below(n) gives variant - 1 whenever it fits.
class FixedVariant : public Random
{
public:
    explicit FixedVariant(int variant)
        : m_variant(variant)
    {
    }
    void reseedFromClock() override { }
    int below(int n) override { return n > 0 ? std::min(m_variant - 1, n - 1) : 0; }

private:
    int m_variant;
};

// Everything the student reads in a question, and whether each box can be answered rightly.
void expectReadable(const TQuestion &question, const std::string &language, const std::string &where)
{
    EXPECT_FALSE(question.Text.empty()) << where;
    const bool english = language == "English";
    EXPECT_EQ(hasCyrillic(question.Text), !english) << where << ": " << question.Text;
    for (std::size_t b = 0; b < question.Boxes.size(); ++b) {
        const QuestBox &box = question.Boxes[b];
        const std::string at = where + " box " + std::to_string(b);
        EXPECT_GE(box.Items.size(), 2u) << at;
        EXPECT_EQ(std::count(box.Right.begin(), box.Right.end(), true), 1) << at << ": one right item";
        for (const std::string &item : box.Items) {
            EXPECT_FALSE(item.empty()) << at;
            if (english) {
                EXPECT_FALSE(hasCyrillic(item)) << at << ": " << item;
            }
        }
        if (english) {
            EXPECT_FALSE(hasCyrillic(box.Hint)) << at << ": " << box.Hint;
        }
    }
}

// The sound exists; a picture was loaded, and its boxes stand on it.
void expectMedia(const TQuestion &question, const std::string &where)
{
    if (!question.Sound.empty()) {
        std::error_code ec;
        EXPECT_GT(std::filesystem::file_size(ResolveDataPath(kData, question.Sound), ec), 1000u)
            << where << ": " << question.Sound;
    }
    if (question.PictureName.empty())
        return;
    ASSERT_TRUE(question.Picture) << where;
    for (const QuestBox &box : question.Boxes) {
        EXPECT_GE(box.X, 0) << where;
        EXPECT_LE(box.X + box.W, question.Picture->width()) << where;
        // The box's top on the picture, as the panel places both.
        const int top = box.Top - question.PictureTop;
        EXPECT_GE(top, 0) << where;
        EXPECT_LE(top + 25, question.Picture->height()) << where;
    }
}

struct BundledQuest : QuestFixture
{
    std::unique_ptr<TQuestList> makeList(QuestFamily family, Random &random)
    {
        if (family == QuestFamily::Quest)
            return std::make_unique<TQList>(ui, random, qtPictures);
        return std::make_unique<TAList>(ui, random, qtPictures);
    }
    QtBitmapLoader qtPictures;
};

} // namespace

TEST_F(BundledQuest, EveryPlaceIsFilledInBothLanguages)
{
    for (const BundledFile &bundled : kFiles) {
        for (const std::string &language : kLanguages) {
            for (std::uint64_t seed = 1; seed <= 8; ++seed) {
                const std::string where = bundled.file + " " + language + " seed " + std::to_string(seed);
                StdRandom seeded(seed);
                const std::unique_ptr<TQuestList> list = makeList(bundled.family, seeded);
                TimerArea timed;
                ASSERT_TRUE(list->Load(QuestSource {kData, bundled.file, language}, parms, timed, 600))
                    << where;
                EXPECT_TRUE(ui.messages.empty()) << where;
                EXPECT_GE(list->Count(), 5) << where;
                ASSERT_EQ(list->Places(), list->Count()) << where;
                for (const auto &question : list->Questions()) {
                    expectReadable(*question, language, where + " place " + std::to_string(question->Place));
                    expectMedia(*question, where);
                }
            }
        }
    }
}

TEST_F(BundledQuest, TheTestIsTimedAndHasPicturesSoundsAndAnOverlay)
{
    pugi::xml_document doc;
    ASSERT_TRUE(LoadXmlFile(doc, ResolveDataPath(kData, kFiles[0].file)));
    const XmlNode qs = SelectNode(doc, "//QS");
    EXPECT_GE(GetAttrInt(qs, "Count", 0), 12);
    EXPECT_GT(GetAttrInt(qs, "LimitMin", 0) * 60 + GetAttrInt(qs, "LimitSec", 0), 0);
    EXPECT_GE(SelectNodes(qs, "Q[@picture!='']").size(), 2u);
    EXPECT_EQ(SelectNodes(qs, "Q[@midi!='']").size(), 2u);
    EXPECT_EQ(SelectNodes(qs, "Q[@picture!='']/A[@G='ring']").size(), 1u);
    // A scored test reads its hints plain: in an English test they would stay Russian.
    EXPECT_EQ(SelectNodes(qs, "Q/A[@Hint]").size(), 0u);
}

TEST_F(BundledQuest, EveryVariantOfEveryQuestionLoads)
{
    for (const BundledFile &bundled : kFiles) {
        pugi::xml_document doc;
        ASSERT_TRUE(LoadXmlFile(doc, ResolveDataPath(kData, bundled.file))) << bundled.file;
        int questions = 0;
        int withVariants = 0;
        for (XmlNode q : SelectNode(doc, "//QS").children("Q")) {
            const std::string where = bundled.file + " Q" + std::to_string(questions++);
            int maxV = 1;
            for (const pugi::xpath_node &piece : SelectNodes(q, "T/V[@V!='*']"))
                maxV = std::max(maxV, GetAttrInt(piece.node(), "V", 0));
            withVariants += maxV > 1;
            for (int variant = 1; variant <= maxV; ++variant) {
                for (const std::string &language : kLanguages) {
                    FixedVariant fixed(variant);
                    const QuestContext context {parms,      bundled.family, language, fixed,
                                                qtPictures, kData,          {}};
                    const TQuestion question(context, q, 0, 30, 10, 600);
                    ASSERT_EQ(question.Variant, variant) << where;
                    expectReadable(question, language,
                                   where + " variant " + std::to_string(variant) + " " + language);
                    expectMedia(question, where);
                }
            }
        }
        EXPECT_GE(questions, 5) << bundled.file;
        if (bundled.family == QuestFamily::Quest) {
            EXPECT_GE(withVariants, 3) << bundled.file;
        }
    }
}

} // namespace pw::test
