// partwriter-cli analyze: every chord of an exercise analysed as if its notes were entered one by
// one, for checking an exercise against the rule base.

#include "analysis_json.h"
#include "command.h"
#include "exercise_session.h"
#include "json_line.h"

#include "harmony/definitor.h"
#include "harmony/part_analysis.h"

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

    Json parts = Json::array();
    for (const pw::ExercisePart &part : ex.Parts) {
        parts.push_back(Json {{"def", part.Def},
                              {"voicesCount", definitor.GroupVoicesCount(part.Def)},
                              {"analysis", AnalysisJson(part.Node)}});
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
