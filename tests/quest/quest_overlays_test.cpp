#include "document/xml_file.h"
#include "platform/error.h"
#include "platform/recording_canvas.h"
#include "quest/quest_overlays.h"
#include "quest_fixture.h"

#include <gtest/gtest.h>

namespace pw::test {

namespace {

// Kinds read from a QParms element written in the test, with pictures that are never read.
struct OverlaysTest : ::testing::Test
{
    void load(const std::string &qparms)
    {
        ASSERT_TRUE(LoadXmlText(doc, "<Parameters>" + qparms + "</Parameters>"));
        grafs.LoadKinds(SelectNode(doc, "//Parameters/QParms"), "/course", loader);
    }
    // The answer element a box gives, with its own attributes.
    XmlNode answer(const std::string &attributes)
    {
        answers.push_back(std::make_unique<pugi::xml_document>());
        EXPECT_TRUE(LoadXmlText(*answers.back(), "<A " + attributes + "/>"));
        return answers.back()->document_element();
    }
    // The rectangles drawn for kind id on a box at (100, 50) of 60 x 20.
    std::vector<RecordingCanvas::Call> draw(const std::string &id, const std::string &attributes = "")
    {
        RecordingCanvas canvas;
        grafs.DrawKind(id, canvas, 100, 50, 60, 20, answer(attributes));
        return canvas.calls;
    }

    pugi::xml_document doc;
    std::vector<std::unique_ptr<pugi::xml_document>> answers;
    RecordingUi ui;
    RecordingBitmapLoader loader {12, 8};
    AddGrafs grafs {ui};
};

struct Rect
{
    int x, y, w, h;
    bool operator==(const Rect &) const = default;
};

std::ostream &operator<<(std::ostream &out, const Rect &r)
{
    return out << "(" << r.x << ", " << r.y << ", " << r.w << " x " << r.h << ")";
}

std::vector<Rect> rects(const std::vector<RecordingCanvas::Call> &calls)
{
    std::vector<Rect> out;
    for (const RecordingCanvas::Call &c : calls)
        out.push_back({c.x1, c.y1, c.x2 - c.x1, c.y2 - c.y1});
    return out;
}

} // namespace

TEST_F(OverlaysTest, LoadsEveryKindWithItsBitmapsFromTheResFolder)
{
    load(R"(<QParms><G N="ring" Hint="Кольцо" XF="A" YF="A">
                <Bitmap file="ring" XF="L" YF="A" XO="1" YO="2" XS="28" YS="22" TRA="230"/>
                <Bitmap file="Sub\cross" TRA="255"/></G>
              <G N="bare"/></QParms>)");
    ASSERT_EQ(grafs.Kinds().size(), 2u);
    const OneAddGraf &ring = grafs.Kinds()[0];
    EXPECT_EQ(ring.N, "ring");
    EXPECT_EQ(ring.Hint, "Кольцо");
    EXPECT_EQ(ring.XF, "A");
    EXPECT_EQ(ring.YF, "A");
    ASSERT_EQ(ring.bitmaps.size(), 2u);
    const OverlayBitmap &b = ring.bitmaps[0];
    EXPECT_EQ(b.picture->name(), "ring.png");
    EXPECT_EQ(b.XF, "L");
    EXPECT_EQ(b.YF, "A");
    EXPECT_EQ(b.XO, 1);
    EXPECT_EQ(b.YO, 2);
    EXPECT_EQ(b.XS, 28);
    EXPECT_EQ(b.YS, 22);
    EXPECT_EQ(b.TRA, 230);
    // Absent values read as 0, so a bitmap without TRA is invisible.
    EXPECT_EQ(ring.bitmaps[1].TRA, 255);
    EXPECT_EQ(ring.bitmaps[1].XO, 0);
    EXPECT_TRUE(grafs.Kinds()[1].bitmaps.empty());
    ASSERT_EQ(loader.loaded.size(), 2u);
    EXPECT_EQ(loader.loaded[0], std::filesystem::path("/course/res/ring.png"));
    EXPECT_EQ(loader.loaded[1], std::filesystem::path("/course/res/Sub/cross.png"));

    // No QParms: no kinds, and loading again replaces what was there.
    load("");
    EXPECT_TRUE(grafs.Kinds().empty());
}

TEST_F(OverlaysTest, AFaultyKindMakesSysXmlUnusable)
{
    loader.missing = {"gone.png"};
    try {
        load(R"(<QParms><G N="ring"><Bitmap file="gone" TRA="9"/></G></QParms>)");
        FAIL() << "a missing bitmap was accepted";
    } catch (const Error &e) {
        EXPECT_EQ(std::string(e.what()),
                  "Файл /course/res/gone.png не загружен: Cannot load the bitmap /course/res/gone.png");
    }
    EXPECT_THROW(load(R"(<QParms><G N="ring"><Bitmap file="a" TRA="256"/></G></QParms>)"), RangeError);
    EXPECT_THROW(load(R"(<QParms><G N="ring"><Bitmap file="a" TRA="-1"/></G></QParms>)"), RangeError);
    EXPECT_NO_THROW(load(R"(<QParms><G N="ring"><Bitmap file="a" TRA="255"/></G></QParms>)"));
    const std::string four = R"(<Bitmap file="a"/><Bitmap file="b"/><Bitmap file="c"/><Bitmap file="d"/>)";
    EXPECT_NO_THROW(load("<QParms><G N=\"four\">" + four + "</G></QParms>"));
    EXPECT_EQ(grafs.Kinds()[0].bitmaps.size(), 4u);
    try {
        load("<QParms><G N=\"five\">" + four + "<Bitmap file=\"e\"/></G></QParms>");
        FAIL() << "a fifth bitmap was accepted";
    } catch (const RangeError &e) {
        EXPECT_EQ(std::string(e.what()),
                  "sys.xml, вид накладываемой графики five: больше 4 элементов «Bitmap»");
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(OverlaysTest, TheGroupIsAnchoredToTheBoxAndTheBitmapsInsideTheGroup)
{
    // Box at (100, 50), 60 x 20; bitmaps 12 x 8 as given by XS, YS.
    load(R"(<QParms>
        <G N="right" XF="R" YF="B"><Bitmap file="a" XF="L" YF="A" XS="12" YS="8" TRA="255"/></G>
        <G N="left" XF="L" YF="T"><Bitmap file="a" XF="R" YF="T" XS="12" YS="8" TRA="255"/></G>
        <G N="abs" XF="A" YF="A"><Bitmap file="a" XF="R" YF="A" XO="3" YO="4" XS="12" YS="8" TRA="255"/></G>
        <G N="loose"><Bitmap file="a" XS="12" YS="8" TRA="255"/></G>
        <G N="fill" XF="L" YF="B"><Bitmap file="a" XF="L" YF="A" TRA="255"/></G>
        </QParms>)");
    // Right of the box by the box's XO: the bitmap's left edge 5 pixels past the box.
    EXPECT_EQ(rects(draw("right", R"(XO="5")")), (std::vector<Rect> {{165, 50, 12, 8}}));
    EXPECT_EQ(rects(draw("right", R"(XO="5" YO="-3")")), (std::vector<Rect> {{165, 47, 12, 8}}));
    // Group over the box (y + YO - h + 1 = 31); the bitmap at its right end and above it.
    EXPECT_EQ(rects(draw("left")), (std::vector<Rect> {{148, 31 - 8 - 20 + 1, 12, 8}}));
    // Absolute: the box's XO, YO are picture coordinates; "R" in such a group starts past its width.
    EXPECT_EQ(rects(draw("abs", R"(XO="7" YO="9")")), (std::vector<Rect> {{3 + 7 + 60, 4 + 9, 12, 8}}));
    EXPECT_EQ(rects(draw("abs", R"(XO="7" YO="9" XS="30")")), (std::vector<Rect> {{3 + 7 + 30, 13, 12, 8}}));
    // No anchoring: the box's own corner, offsets ignored.
    EXPECT_EQ(rects(draw("loose", R"(XO="7" YO="9")")), (std::vector<Rect> {{100, 50, 12, 8}}));
    // Without a size of its own a bitmap of an anchored group takes the group's, which is the box's.
    EXPECT_EQ(rects(draw("fill")), (std::vector<Rect> {{100, 50, 60, 20}}));
    EXPECT_EQ(rects(draw("fill", R"(XS="40" YS="10")")), (std::vector<Rect> {{100, 50, 40, 10}}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(OverlaysTest, TheBoxOverridesEachBitmapsOffsetsAndSizes)
{
    load(R"(<QParms><G N="two" XF="L" YF="B">
        <Bitmap file="a" XF="L" YF="A" XO="1" YO="2" XS="12" YS="8" TRA="255"/>
        <Bitmap file="b" XF="L" YF="A" XO="3" YO="4" XS="6" YS="5" TRA="100"/></G></QParms>)");
    EXPECT_EQ(rects(draw("two")), (std::vector<Rect> {{101, 52, 12, 8}, {103, 54, 6, 5}}));
    // XO1 … YS1 reach the second bitmap only; the first keeps the kind's values.
    EXPECT_EQ(rects(draw("two", R"(XO1="-10" YO1="30" XS1="16" YS1="2")")),
              (std::vector<Rect> {{101, 52, 12, 8}, {90, 80, 16, 2}}));
    EXPECT_EQ(rects(draw("two", R"(XO0="0" YS0="3")")),
              (std::vector<Rect> {{100, 52, 12, 3}, {103, 54, 6, 5}}));
    const std::vector<RecordingCanvas::Call> calls = draw("two");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].text, "a.png");
    EXPECT_EQ(calls[0].opacity, 255);
    EXPECT_EQ(calls[1].text, "b.png");
    EXPECT_EQ(calls[1].opacity, 100);
}

TEST_F(OverlaysTest, OpacityZeroAndAnEmptyNameDrawNothing)
{
    load(R"(<QParms><G N="faint" XF="L" YF="B">
        <Bitmap file="a" XF="L" YF="A" XS="12" YS="8"/>
        <Bitmap file="b" XF="L" YF="A" XS="12" YS="8" TRA="0"/>
        <Bitmap file="c" XF="L" YF="A" XS="12" YS="8" TRA="1"/></G></QParms>)");
    const std::vector<RecordingCanvas::Call> calls = draw("faint");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].text, "c.png");
    EXPECT_EQ(calls[0].opacity, 1);
    EXPECT_TRUE(draw("").empty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(OverlaysTest, TheFirstOfTwoKindsWithTheSameNameIsUsed)
{
    load(R"(<QParms>
        <G N="ring" Hint="Первый" XF="L" YF="B"><Bitmap file="first" XF="L" YF="A" XS="1" YS="1" TRA="9"/></G>
        <G N="ring" Hint="Второй" XF="L" YF="B"><Bitmap file="second" XF="L" YF="A" XS="1" YS="1" TRA="9"/></G>
        </QParms>)");
    const std::vector<RecordingCanvas::Call> calls = draw("ring");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].text, "first.png");
    EXPECT_EQ(grafs.KindHint("ring"), "Первый");
    EXPECT_EQ(grafs.Find("ring"), &grafs.Kinds()[0]);
}

TEST_F(OverlaysTest, AnUnknownKindIsReportedAndDrawsNothing)
{
    load(R"(<QParms><G N="ring" XF="L" YF="B"><Bitmap file="a" TRA="9"/></G></QParms>)");
    EXPECT_TRUE(draw("Ring").empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "Ошибка!");
    EXPECT_EQ(ui.messages[0].text, "Не найден вид накладываемой графики :Ring");
    EXPECT_EQ(grafs.KindHint("Ring"), "");
    EXPECT_EQ(grafs.KindHint(""), "");
}

TEST_F(OverlaysTest, HintsAreGivenInTheInterfaceLanguage)
{
    load(R"(<QParms><G N="ring" Hint="Кольцо"/><G N="quiet"/></QParms>)");
    EXPECT_EQ(grafs.KindHint("ring"), "Кольцо");
    grafs.SetTranslation([](const std::string &text) { return text == "Кольцо" ? "Ring" : "?"; });
    EXPECT_EQ(grafs.KindHint("ring"), "Ring");
    EXPECT_EQ(grafs.KindHint("quiet"), "");
}

// The questions of a test take the kinds' hints and are drawn with their kinds.
struct QuestOverlaysTest : QuestFixture
{
    void SetUp() override
    {
        ASSERT_TRUE(LoadXmlText(sys, R"(<Parameters><QParms>
            <G N="ring" Hint="Кольцо" XF="L" YF="B"><Bitmap file="ring" XF="L" YF="A" XS="4" YS="3" TRA="200"/></G>
            </QParms></Parameters>)"));
        grafs.LoadKinds(SelectNode(sys, "//Parameters/QParms"), "/course", loader);
        quest.SetOverlays(grafs);
        random.values = {0, 1};
        ASSERT_TRUE(load(quest, "overlays.xml"));
    }
    pugi::xml_document sys;
    RecordingBitmapLoader loader;
    AddGrafs grafs {ui};
};

TEST_F(QuestOverlaysTest, ABoxWithoutAHintTakesItsKindsHint)
{
    const TQuestion &pictured = drawn(quest, 0);
    ASSERT_EQ(pictured.Boxes.size(), 4u);
    EXPECT_EQ(pictured.Boxes[0].Graphic, "ring");
    EXPECT_EQ(pictured.Boxes[0].Hint, "Кольцо");
    EXPECT_EQ(pictured.Boxes[1].Hint, "Its own");
    // A linked box borrows the named box's kind, and with it the hint.
    EXPECT_EQ(pictured.Boxes[2].Graphic, "ring");
    EXPECT_EQ(pictured.Boxes[2].Hint, "Кольцо");
    // An unknown kind gives no hint and no message until it is drawn.
    EXPECT_EQ(pictured.Boxes[3].Hint, "");
    EXPECT_TRUE(ui.messages.empty());
    // Without a picture a box has no kind and takes no hint.
    const TQuestion &plain = drawn(quest, 1);
    EXPECT_EQ(plain.Boxes[0].Graphic, "");
    EXPECT_EQ(plain.Boxes[0].Hint, "");
}

TEST_F(QuestOverlaysTest, EveryBoxOfAPictureIsDrawnAtItsPlace)
{
    RecordingCanvas canvas;
    DrawQuestionOverlays(grafs, drawn(quest, 0), canvas, 24);
    // At (X, Y - 6) of each box naming a known kind; the unknown one is reported.
    EXPECT_EQ(rects(canvas.calls), (std::vector<Rect> {{100, 14, 4, 3}, {200, 14, 4, 3}, {300, 14, 4, 3}}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Не найден вид накладываемой графики :nowhere");
    RecordingCanvas none;
    DrawQuestionOverlays(grafs, drawn(quest, 1), none, 24);
    EXPECT_TRUE(none.calls.empty());
}

} // namespace pw::test
