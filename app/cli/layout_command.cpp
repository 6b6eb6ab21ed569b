// partwriter-cli layout: the line breaking of every part after one repaint, for checking how an
// exercise fits a window size.

#include "command.h"
#include "exercise_session.h"
#include "json_line.h"
#include "staff_view.h"

#include "platform/qpainter_canvas.h"
#include "platform/recording_canvas.h"
#include "staff/staff_paint.h"

#include <iostream>
#include <memory>

namespace pwcli {

namespace {

struct LayoutOptions
{
    ExerciseOptions exercise;
    int width = 1280;
    int height = 800;
};

Json partJson(const pw::ExercisePart &part)
{
    const pw::Tacts &tacts = part.Tacts;
    Json measures = Json::array();
    for (std::size_t t = 0; t < static_cast<std::size_t>(tacts.TactCount); ++t) {
        measures.push_back(Json {{"x", tacts.TactX[t]},
                                 {"row", tacts.TactRow[t]},
                                 {"step", tacts.TactStep[t]},
                                 {"lineEnd", static_cast<bool>(tacts.TactLineEnd[t])}});
    }
    return Json {{"rows", tacts.RowCount}, {"errors", part.Errors}, {"measures", measures}};
}

int runLayout(const LayoutOptions &options)
{
    ExerciseSession session(options.exercise);
    if (!session.load()) {
        session.printLoadFailure();
        return 1;
    }
    // The bitmaps are read for real, so a broken installation fails here as at start-up; the
    // drawing itself only needs recording.
    pw::QtBitmapLoader loader;
    const std::unique_ptr<pw::MParms> parms = LoadNotationParameters(loader, session.ui);
    pw::RecordingCanvas canvas;
    parms->SetViewport(0, options.width, 0, options.height);
    const int drawnRows = pw::PaintAll(session.exercise, canvas, *parms, session.ui, 0);

    Json parts = Json::array();
    for (const pw::ExercisePart &part : session.exercise.Parts)
        parts.push_back(partJson(part));
    std::cout << JsonLine(Json {{"parts", parts}, {"drawnRows", drawnRows}, {"rowsFit", parms->RowsFit}})
              << '\n';
    return 0;
}

} // namespace

void AddLayoutCommand(CLI::App &app, CommandRun &chosen)
{
    auto options = std::make_shared<LayoutOptions>();
    CLI::App *command = app.add_subcommand("layout", "print how the parts are broken into systems, as JSON");
    options->exercise.addTo(*command, false);
    command->add_option("--width", options->width, "window width in pixels")->capture_default_str();
    command->add_option("--height", options->height, "window height in pixels")->capture_default_str();
    command->callback([options, &chosen] { chosen = [options] { return runLayout(*options); }; });
}

} // namespace pwcli
