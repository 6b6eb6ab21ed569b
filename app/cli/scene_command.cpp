// partwriter-cli scene: a 3D scene file drawn as a lesson window draws it, for checking a scene
// without the program: the last of N frames as a PNG, or the OpenGL calls of that frame as text.

#include "command.h"
#include "console_ui.h"

#include "config/localization.h"
#include "document/xml_file.h"
#include "platform/file_paths.h"
#include "platform/program_ui.h"
#include "platform/random.h"
#include "scene3d/offscreen_scene.h"
#include "scene3d/orb3d.h"
#include "scene3d/recording_gl.h"

#include <QGuiApplication>

#include <cstdint>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>

namespace pwcli {

namespace {

struct SceneOptions
{
    std::string file;
    int scene = 0;
    int frames = 1;
    int width = 800;
    int height = 600;
    std::optional<std::uint64_t> seed;
    std::string output;
    bool calls = false;
};

// The frames as the lesson window draws them after opening the scene; beforeFrame runs before
// each. False when a drawing failed: the scene's error has been reported.
bool drawFrames(pw::orb3d &scenes, pw::SceneGl &gl, const SceneOptions &options,
                const std::function<void()> &beforeFrame)
{
    scenes.ResizeView(options.width, options.height);
    scenes.AttachWindow(gl, options.width, options.height);
    for (int i = 0; i < options.frames; ++i) {
        beforeFrame();
        if (!scenes.DrawScene(gl))
            return false;
    }
    return true;
}

int printCalls(pw::orb3d &scenes, const SceneOptions &options)
{
    pw::RecordingGl gl;
    if (!drawFrames(scenes, gl, options, [&gl] { gl.calls.clear(); }))
        return 1;
    for (const std::string &call : gl.calls)
        std::cout << call << '\n';
    return 0;
}

int writePicture(pw::orb3d &scenes, const SceneOptions &options)
{
    // Without a display only EGL can draw; the offscreen platform keeps Qt from needing one.
    if (!pw::HasDisplay())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "partwriter-cli";
    char *argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);

    const std::unique_ptr<pw::OffscreenScene> surface
        = pw::CreateOffscreenScene(options.width, options.height);
    if (!drawFrames(scenes, surface->gl(), options, [] {}))
        return 1;
    if (!surface->image().save(QString::fromStdString(options.output), "PNG")) {
        std::cerr << "error: cannot write " << options.output << '\n';
        return 1;
    }
    return 0;
}

int runScene(const SceneOptions &options)
{
    // Messages of the scene engine are told in English, from the program's own course.
    const pw::Localization &english = ProgramEnglish();
    ConsoleUi ui;
    ui.SpeakLike(english);
    pw::SetProgramUi(&ui);
    pw::StdRandom random(options.seed);
    pw::orb3d scenes(ui, random);
    if (!scenes.LoadScenes(options.file)) {
        // The engine says only that the file is missing; the reason is worth telling here.
        pugi::xml_document doc;
        const pw::XmlLoadResult read = pw::ReadXmlFile(doc, options.file);
        if (!read)
            std::cerr << "error: cannot read the scene file " << options.file << ": "
                      << english.Phrase(read.reason) << '\n';
        return 1;
    }
    if (options.scene >= scenes.SceneCount()) {
        std::cerr << "error: there is no scene " << options.scene << ": the file has " << scenes.SceneCount()
                  << (scenes.SceneCount() == 1 ? " scene" : " scenes") << ", numbered from 0\n";
        return 1;
    }
    scenes.SelectScene(options.scene);
    return options.calls ? printCalls(scenes, options) : writePicture(scenes, options);
}

} // namespace

void AddSceneCommand(CLI::App &app, CommandRun &chosen)
{
    auto options = std::make_shared<SceneOptions>();
    CLI::App *command = app.add_subcommand(
        "scene",
        "draw a 3D scene file as a lesson window does: the last frame as a PNG, or its OpenGL calls");
    command->add_option("FILE", options->file, "scene file (one Scene, or a set of them under Scenes)")
        ->required();
    command->add_option("--scene", options->scene, "the scene of a set to draw, counted from 0")
        ->check(CLI::NonNegativeNumber)
        ->capture_default_str();
    command
        ->add_option("--frames", options->frames,
                     "drawings made one after another (animation steps); the last one is shown")
        ->check(CLI::Range(1, 1'000'000))
        ->capture_default_str();
    command->add_option("--width", options->width, "width of the drawing area in pixels")
        ->check(CLI::Range(1, pw::MaxOffscreenSide))
        ->capture_default_str();
    command->add_option("--height", options->height, "height of the drawing area in pixels")
        ->check(CLI::Range(1, pw::MaxOffscreenSide))
        ->capture_default_str();
    command->add_option("--seed", options->seed, "seed for the random numbers (R) of the formulas");
    CLI::Option_group *result = command->add_option_group("result", "what to write: exactly one of these");
    result->add_option("-o,--output", options->output,
                       "PNG file to write the last frame to (drawn with OpenGL: needs a display or "
                       "EGL)");
    result->add_flag("--calls", options->calls,
                     "print the OpenGL calls of the last frame instead, one per line (no OpenGL needed)");
    result->require_option(1);
    command->callback([options, &chosen] { chosen = [options] { return runScene(*options); }; });
}

} // namespace pwcli
