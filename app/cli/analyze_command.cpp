// partwriter-cli analyze: every chord of an exercise analysed as if its notes were entered one by
// one, for checking an exercise against the rule base.

#include "analysis_json.h"
#include "command.h"
#include "exercise_session.h"
#include "json_line.h"

#include "config/localization.h"
#include "harmony/chord_explanation.h"
#include "harmony/definitor.h"
#include "harmony/part_analysis.h"
#include "platform/file_paths.h"

#include <iostream>
#include <memory>

namespace pwcli {

namespace {

int runAnalyze(const ExerciseOptions &options)
{
    ExerciseSession session(options);
    if (!session.load()) {
        session.printLoadFailure();
        return 1;
    }
    pw::TMusDefinitor definitor(options.ruleBase(), session.ui);
    pw::HarExercis &ex = session.exercise;
    pw::AnalyseWrittenExercise(ex, definitor);

    // The reasons are told in English, from the texts of the program's own course.
    const pw::Localization &english = ProgramEnglish();
    const auto text = [&](const std::string &id) { return english.Text("Why", id); };

    Json parts = Json::array();
    for (int p = 0; p < ex.PartCount(); ++p) {
        const pw::ExercisePart &part = ex.part(p);
        // The part's notes read once for all its chords: explaining changes nothing.
        pw::PartNotes notes(part.Node);
        const Explainer explain = [&, p](pw::XmlNode note) {
            std::vector<std::string> sentences;
            for (const pw::Why &why : pw::ExplainChord(ex, definitor, p, note, notes))
                sentences.push_back(pw::WhyText(why, text));
            return sentences;
        };
        parts.push_back(Json {{"def", part.Def},
                              {"voicesCount", definitor.GroupVoicesCount(part.Def)},
                              {"analysis", AnalysisJson(part.Node, explain)}});
    }
    std::cout << JsonLine(Json {{"parts", parts}}) << '\n';
    return 0;
}

} // namespace

void AddAnalyzeCommand(CLI::App &app, CommandRun &chosen)
{
    auto options = std::make_shared<ExerciseOptions>();
    CLI::App *command
        = app.add_subcommand("analyze", "analyse every chord of the exercise against the rule base, as JSON");
    options->addTo(*command, false);
    command->callback([options, &chosen] { chosen = [options] { return runAnalyze(*options); }; });
}

} // namespace pwcli
