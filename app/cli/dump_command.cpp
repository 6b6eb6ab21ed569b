// partwriter-cli dump: the exercise document as loaded, for checking an exercise file.

#include "command.h"
#include "exercise_session.h"
#include "json_line.h"

#include "document/exercise_nodes.h"
#include "document/measure_index.h"

#include <iostream>
#include <memory>

namespace pwcli {

namespace {

Json partJson(const pw::ExercisePart &part)
{
    const pw::Tacts &tacts = part.Tacts;
    Json measures = Json::array();
    for (int t = 0; t < tacts.TactCount; ++t) {
        const pw::NSize &size = tacts.TactSize[static_cast<std::size_t>(t)];
        measures.push_back(std::to_string(size.Count) + "/" + std::to_string(size.Unit));
    }
    Json slots = Json::array();
    pw::PartNotes voices(part.Node);
    for (std::size_t s = 0; s < tacts.VoiceIds.size(); ++s) {
        pw::XmlNode voice = voices.Voice(static_cast<int>(s));
        const int notes = pw::NoteCount(voice);
        slots.push_back(Json {{"id", tacts.VoiceIds[s]}, {"notes", notes}, {"ends", tacts.TactEnd[s]}});
    }
    const auto &free = part.VoiceFree;
    return Json {{"order", part.Order},
                 {"tonality", {part.Tonality.type, part.Tonality.val}},
                 {"def", part.Def},
                 {"checkType", part.CheckType},
                 {"free", {free[0], free[1], free[2], free[3]}},
                 {"curVoice", part.CurVoice},
                 {"lengthVoice", part.LengthVoice},
                 {"measures", measures},
                 {"slots", slots}};
}

int runDump(const ExerciseOptions &options)
{
    ExerciseSession session(options);
    if (!session.load()) {
        session.printLoadFailure();
        return 1;
    }
    const pw::HarExercis &ex = session.exercise;
    Json parts = Json::array();
    for (const pw::ExercisePart &part : ex.Parts)
        parts.push_back(partJson(part));
    const pw::TimerArea &task = session.task;
    const Json out {{"status", ex.Status},
                    {"viewMode", ex.ViewMode},
                    {"staffCount", ex.StaffCount},
                    {"limit",
                     {{"min", task.LimitMin},
                      {"sec", task.LimitSec},
                      {"timerMode", task.TimerMode},
                      {"timerEnabled", task.Timer->enabled()}}},
                    {"iterations", task.Iterations},
                    {"parts", parts}};
    std::cout << JsonLine(out) << '\n';
    return 0;
}

} // namespace

void AddDumpCommand(CLI::App &app, CommandRun &chosen)
{
    auto options = std::make_shared<ExerciseOptions>();
    CLI::App *command = app.add_subcommand("dump", "print the exercise document as loaded, as JSON");
    options->addTo(*command, true);
    command->callback([options, &chosen] { chosen = [options] { return runDump(*options); }; });
}

} // namespace pwcli
