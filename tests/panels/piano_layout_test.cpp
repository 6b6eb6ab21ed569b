#include "panels/piano_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace pw;

namespace {

constexpr int Height = 150;

std::vector<std::pair<std::string, QRect>> placed(const PianoLayout &l)
{
    std::vector<std::pair<std::string, QRect>> out;
    for (std::size_t k = 0; k < l.octaves.size(); ++k)
        out.emplace_back("octave " + std::to_string(k), l.octaves[k]);
    out.emplace_back("first octave", l.firstOctave);
    for (const auto &[name, rect] : {std::pair {"letter", l.letter},
                                     {"minus", l.minus},
                                     {"plus", l.plus},
                                     {"undo", l.undo},
                                     {"up", l.up},
                                     {"left", l.left},
                                     {"down", l.down},
                                     {"right", l.right},
                                     {"pause", l.pause},
                                     {"next", l.next}})
        out.emplace_back(name, rect);
    for (std::size_t i = 0; i < l.captions.size(); ++i) {
        out.emplace_back("caption " + std::to_string(i), l.captions[i]);
        out.emplace_back("value " + std::to_string(i), l.values[i]);
    }
    out.emplace_back("time", l.time);
    out.emplace_back("regim", l.regim);
    out.emplace_back("why", l.why);
    return out;
}

std::vector<QRect> buttons(const PianoLayout &l)
{
    return {l.letter, l.minus, l.plus, l.undo, l.up, l.left, l.down, l.right, l.pause, l.next};
}

} // namespace

TEST(PianoLayout, EverythingFitsWithoutOverlapAtEveryWidth)
{
    for (int width = NarrowestPianoPanel; width <= 2400; ++width) {
        const QRect panel(0, 0, width, Height);
        const PianoLayout l = LayoutPiano(panel.size());
        const auto rects = placed(l);
        // The frame around the keys takes a pixel left, above and below them.
        const QRect frame = l.keyboard.adjusted(-1, -1, 0, 1);
        ASSERT_TRUE(panel.contains(frame)) << width;
        for (std::size_t i = 0; i < rects.size(); ++i) {
            const auto &[name, rect] = rects[i];
            ASSERT_FALSE(rect.isEmpty()) << name << " at " << width;
            ASSERT_TRUE(panel.contains(rect)) << name << " at " << width;
            if (!name.starts_with("octave")) {
                ASSERT_FALSE(frame.intersects(rect)) << name << " at " << width;
            }
            for (std::size_t j = i + 1; j < rects.size(); ++j)
                ASSERT_FALSE(rect.intersects(rects[j].second))
                    << name << " " << rects[j].first << " at " << width;
        }
    }
}

TEST(PianoLayout, ThreeBlocksLeftToRight)
{
    for (int width : {555, 780, 1024, 1360, 1920, 2400}) {
        const PianoLayout l = LayoutPiano({width, Height});
        int buttonsLeft = width, buttonsRight = 0;
        for (const QRect &b : buttons(l)) {
            EXPECT_EQ(b.size(), QSize(32, 32)) << width;
            buttonsLeft = std::min(buttonsLeft, b.left());
            buttonsRight = std::max(buttonsRight, b.right());
        }
        EXPECT_GE(buttonsLeft, l.keyboard.right() + 8) << width;
        for (const QRect &r : {l.captions[0], l.time}) {
            EXPECT_GE(r.left(), buttonsRight + 8) << width;
        }
        // The arrows form a cross under the up arrow.
        EXPECT_EQ(l.up.left(), l.down.left());
        EXPECT_EQ(l.left.top(), l.down.top());
        EXPECT_EQ(l.right.top(), l.down.top());
        EXPECT_LT(l.up.bottom(), l.down.top());
        EXPECT_LT(l.left.right(), l.down.left());
        EXPECT_LT(l.down.right(), l.right.left());
    }
}

TEST(PianoLayout, KeysGrowWithThePanel)
{
    EXPECT_EQ(LayoutPiano({555, Height}).whiteKey, 8);
    EXPECT_EQ(LayoutPiano({780, Height}).whiteKey, 11);
    EXPECT_GE(LayoutPiano({1600, Height}).whiteKey, 16);
    EXPECT_EQ(LayoutPiano({2400, Height}).whiteKey, 28);
    int last = 0;
    for (int width = NarrowestPianoPanel; width <= 2400; ++width) {
        const PianoLayout l = LayoutPiano({width, Height});
        const int w = l.whiteKey;
        ASSERT_GE(w, last) << width;
        ASSERT_GE(w, 8) << width;
        ASSERT_LE(w, 28) << width;
        last = w;
        // The keys take what the buttons and a third of the panel for the counters leave; the
        // counters block ends at the right margin.
        const int counters = width - 6 - l.captions[0].left();
        if (w > 8 && w < 28) {
            ASSERT_LT(counters - 35, width * 32 / 100) << width;
        }
        ASSERT_EQ(l.keyboard.width(), 35 * w) << width;
        for (std::size_t k = 0; k < l.octaves.size(); ++k) {
            const QRect expected(l.keyboard.left() + static_cast<int>(k) * 7 * w, l.keyboard.top(), 7 * w,
                                 l.keyboard.height());
            ASSERT_EQ(l.octaves[k], expected) << width << " octave " << k;
        }
        // A key keeps the design's 1:8 until the panel's height stops it.
        ASSERT_LE(l.keyboard.height(), 8 * w) << width;
        ASSERT_GE(l.keyboard.height(), 60) << width;
    }
    EXPECT_EQ(LayoutPiano({780, Height}).octaves[0].size(), QSize(77, 88)) << "the design grid";
    EXPECT_GE(LayoutPiano({1024, Height}).keyboard.height(), 120);
}

TEST(PianoLayout, MarkerUnderTheOctaveOfMiddleC)
{
    for (int width : {555, 1024, 2400}) {
        const PianoLayout l = LayoutPiano({width, Height});
        EXPECT_EQ(l.firstOctave.left(), l.octaves[2].left());
        EXPECT_EQ(l.firstOctave.width(), l.octaves[2].width());
        EXPECT_EQ(l.firstOctave.top(), l.keyboard.bottom() + 3);
    }
}

TEST(PianoLayout, CountersAndLinesKeepReadableSizes)
{
    for (int width = NarrowestPianoPanel; width <= 2400; ++width) {
        const PianoLayout l = LayoutPiano({width, Height});
        ASSERT_GE(l.textPixels, 11) << width;
        ASSERT_GE(l.timePixels, 20) << width;
        // The rows are a line of their type high; captions hold "With mistakes" at that size.
        const int row = l.textPixels == 11 ? 15 : 17;
        for (std::size_t i = 0; i < l.captions.size(); ++i) {
            ASSERT_EQ(l.captions[i].height(), row) << width;
            ASSERT_GE(l.captions[i].width(), l.textPixels == 11 ? 84 : 92) << width;
            ASSERT_GE(l.values[i].width(), 30) << width;
            ASSERT_EQ(l.values[i].top(), l.captions[i].top()) << width;
        }
        ASSERT_GE(l.time.width(), 62) << width;
        ASSERT_GE(l.time.height(), 2 * row) << width;
        // The reasons get two lines, the mode line one that holds it or two.
        ASSERT_GE(l.why.height(), 2 * 15) << width;
        ASSERT_GE(l.why.width(), 230) << width;
        ASSERT_GE(l.regim.height(), l.regim.width() < 430 ? 2 * 15 : 17) << width;
    }
    // Where the panel is narrow, the two lines go under the keys.
    const PianoLayout narrow = LayoutPiano({555, Height});
    EXPECT_GT(narrow.regim.top(), narrow.firstOctave.bottom());
    EXPECT_EQ(narrow.why.left(), narrow.keyboard.left());
    const PianoLayout wide = LayoutPiano({1920, Height});
    EXPECT_EQ(wide.textPixels, 12);
    EXPECT_EQ(wide.timePixels, 24);
    EXPECT_EQ(wide.regim.left(), wide.captions[0].left());
}
