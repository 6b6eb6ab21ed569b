#pragma once

#include "document/har_exercis.h"
#include "document/timer_area.h"
#include "harmony/exercise_check.h"
#include "platform/random.h"
#include "platform/recording_canvas.h"
#include "platform/recording_ui.h"
#include "staff/mparms.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace pw::test {

// The test parameters of data/sys.xml: L 10, STEP_NOTE 20, STEP_SIGN 8, S 10, between 30,
// FREE_LEFT 30, brace at 10, indent 16, note offset -20, size offset 2, note height 60.
inline constexpr int L = 10, Note = 20, Sign = 8, S = 10, Between = 30, FreeLeft = 30, Indent = 16,
                     NoteOffset = -20, NoteHeight = 60, Top = 50;

// Loads exercises written inline into a document and draws them on a recording canvas, with the
// parameters of data/sys.xml and bitmaps of 20 x 40 that are never read.
class StaffTest : public ::testing::Test
{
public:
    // A part of one voice in 4/4 with the given notes ("High:Long" or "High:Long:P", or a whole
    // <Note .../> element).
    static std::string part(const std::string &voices, const std::string &attrs = "Key0=\"4\" Key1=\"1\"",
                            int type = 1, int val = 0,
                            const std::string &size = "<Size chi=\"4\" zna=\"8\"/>");
    static std::string voice(int h, const std::vector<std::string> &notes, const std::string &type = "");
    static std::string exercise(const std::string &parts, const std::string &attrs = "");

protected:
    StaffTest();
    ~StaffTest() override;

    // Loads <MExercise ...> text; fails the test when the load fails.
    void load(const std::string &exerciseXml);
    // Viewport (0, width, 0, height), then PaintAll from scrollRow.
    int paint(int width = 1000, int height = 800, int scrollRow = 0);

    std::vector<RecordingCanvas::Call> bitmapsNamed(const std::string &name) const
    {
        return canvas.bitmaps(name);
    }

    std::filesystem::path folder;
    RecordingUi ui;
    StdRandom random {1};
    TimerArea task;
    RecordingBitmapLoader loader;
    std::unique_ptr<MParms> parms;
    std::unique_ptr<HarExercis> ex;
    // The counts the staff's verdicts add up to, as the program keeps them.
    std::unique_ptr<ExerciseChecker> checker;
    RecordingCanvas canvas;
};

} // namespace pw::test
