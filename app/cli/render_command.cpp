// partwriter-cli render: the staff view of an exercise as a PNG, drawn as the main window draws it.

#include "command.h"
#include "exercise_session.h"
#include "json_line.h"
#include "staff_view.h"

#include "platform/qpainter_canvas.h"
#include "staff/staff_paint.h"

#include <QGuiApplication>
#include <QImage>

#include <iostream>
#include <memory>

namespace pwcli {

namespace {

struct RenderOptions
{
    ExerciseOptions exercise;
    std::string output;
    int width = 1280;
    int height = 800;
    int scroll = 0;
    int zoom = 1;
    bool analyze = false;
    bool noCursor = false;
    std::string language = "Russian";
};

int runRender(const RenderOptions &options)
{
    // Fonts and painting need a GUI application; the offscreen platform needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "partwriter-cli";
    char *argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);

    ExerciseSession session(options.exercise);
    if (!session.load()) {
        session.printLoadFailure();
        return 1;
    }
    pw::QtBitmapLoader loader;
    const std::unique_ptr<pw::MParms> parms = LoadNotationParameters(loader, session.ui);
    // Labels and key names as the program shows them in that language.
    parms->Definitor().SetLanguage(options.language);
    if (options.analyze)
        AnalyseExercise(session, options.exercise);

    // The staff is laid out for width x height; a zoomed picture has zoom device pixels to each of
    // its pixels, so text and lines are drawn sharp at the larger size.
    QImage image(options.width * options.zoom, options.height * options.zoom, QImage::Format_RGB32);
    image.setDevicePixelRatio(options.zoom);
    image.fill(Qt::white);
    {
        pw::QPainterCanvas canvas(image);
        parms->SetViewport(0, options.width, 0, options.height);
        pw::PaintAll(session.exercise, canvas, *parms, session.ui, options.scroll, nullptr,
                     options.noCursor ? pw::EntryCursor::Hidden : pw::EntryCursor::Shown);
    }
    if (!image.save(QString::fromStdString(options.output), "PNG")) {
        std::cerr << "error: cannot write " << options.output << '\n';
        return 1;
    }
    return 0;
}

} // namespace

void AddRenderCommand(CLI::App &app, CommandRun &chosen)
{
    auto options = std::make_shared<RenderOptions>();
    CLI::App *command = app.add_subcommand("render", "draw the staff view of the exercise into a PNG file");
    options->exercise.addTo(*command, true);
    command->add_option("-o,--output", options->output, "PNG file to write")->required();
    command->add_option("--width", options->width, "width of the staff view in pixels")
        ->capture_default_str();
    command->add_option("--height", options->height, "height of the staff view in pixels")
        ->capture_default_str();
    command
        ->add_option("--zoom", options->zoom,
                     "image pixels per staff view pixel: the PNG is zoom times wider and higher")
        ->check(CLI::Range(1, 4))
        ->capture_default_str();
    command->add_option("--scroll", options->scroll, "rows scrolled, two per system")->capture_default_str();
    command->add_flag("--analyze", options->analyze, "analyse every chord first, as analyze does");
    command->add_option("--language", options->language, "interface language of the labels and key names")
        ->capture_default_str();
    command->add_flag("--no-cursor", options->noCursor,
                      "leave the entry cursor out, as in a picture of an example");
    command->callback([options, &chosen] { chosen = [options] { return runRender(*options); }; });
}

} // namespace pwcli
