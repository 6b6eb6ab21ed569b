// partwriter-cli export: the exercise as a MusicXML score for a notation program, with its
// analysis under the bass on request.

#include "command.h"
#include "exercise_session.h"

#include "config/localization.h"
#include "harmony/definitor.h"
#include "harmony/part_analysis.h"
#include "musicxml/musicxml_export.h"
#include "platform/error.h"
#include "platform/file_paths.h"

#include <iostream>
#include <memory>
#include <optional>

namespace pwcli {

namespace {

struct ExportOptions
{
    ExerciseOptions exercise;
    std::string output;
    std::optional<int> part;
    bool all = false;
    bool analyze = false;
    std::string language = "Russian";
};

int runExport(const ExportOptions &options)
{
    const std::filesystem::path program = pw::BundledDataFolder(pw::ExecutableFolder());
    // Whatever goes wrong is told in English; the score speaks the language asked for.
    const pw::Localization &english = ProgramEnglish();
    ExerciseSession session(options.exercise);
    session.ui.SpeakLike(english);
    if (!session.load()) {
        std::cerr << "error: cannot load " << options.exercise.file << ": " << english.Phrase(session.error())
                  << '\n';
        return 1;
    }
    pw::HarExercis &ex = session.exercise;

    pw::MusicXmlOptions score;
    if (options.part) {
        if (*options.part < 1 || *options.part > ex.PartCount()) {
            std::cerr << "error: --part " << *options.part << ": the exercise has " << ex.PartCount()
                      << " parts in this run, counted from 1\n";
            return 1;
        }
        score.parts = {*options.part - 1};
    }
    pw::Localization texts;
    texts.Load(program, options.language);
    score.texts = pw::MusicXmlTextsOf(texts);
    score.title = std::filesystem::path(options.exercise.file).stem().string();
    // The analysis is made afresh, as `analyze` makes it, with the labels in the score's language.
    std::unique_ptr<pw::TMusDefinitor> definitor;
    if (options.analyze) {
        definitor
            = std::make_unique<pw::TMusDefinitor>(options.exercise.ruleBase(), session.ui, options.language);
        pw::AnalyseWrittenExercise(ex, *definitor);
        score.analysis = definitor.get();
    }

    if (options.output == "-") {
        std::cout << pw::MusicXmlText(ex, score);
        return 0;
    }
    try {
        pw::WriteMusicXml(ex, score, options.output);
    } catch (const pw::FileWriteError &e) {
        std::cerr << "error: " << e.what() << '\n';
        return 1;
    }
    return 0;
}

} // namespace

void AddExportCommand(CLI::App &app, CommandRun &chosen)
{
    auto options = std::make_shared<ExportOptions>();
    CLI::App *command = app.add_subcommand("export", "write the exercise as a MusicXML 4.0 score");
    options->exercise.addTo(*command, false);
    command->add_option("-o,--output", options->output, "MusicXML file to write (- for standard output)")
        ->required();
    command->add_flag("--analyze", options->analyze,
                      "analyse every chord first, as analyze does, and write the analysis under the bass");
    CLI::Option *part
        = command->add_option("--part", options->part, "export only part P of this run, counted from 1");
    CLI::Option *all
        = command->add_flag("--all", options->all, "export every part of this run (the default)");
    part->excludes(all);
    command->add_option("-l,--language", options->language, "language of the score's texts and analysis")
        ->check(CLI::IsMember({"Russian", "English"}))
        ->capture_default_str();
    command->callback([options, &chosen] { chosen = [options] { return runExport(*options); }; });
}

} // namespace pwcli
