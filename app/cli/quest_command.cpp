// partwriter-cli quest: a questionnaire drawn as a "Quest" lesson draws it, printed as one JSON
// line, and optionally answered and checked, for checking a question file's variants and answers.

#include "command.h"
#include "exercise_session.h"
#include "json_line.h"

#include "config/localization.h"
#include "document/xml_file.h"
#include "platform/qpainter_canvas.h"
#include "platform/recording_ui.h"
#include "quest/quest_list.h"
#include "quest/quest_overlays.h"

#include <iostream>
#include <optional>
#include <regex>

namespace pwcli {

namespace {

struct QuestOptions
{
    ExerciseOptions file;
    std::string language = "Russian";
    std::vector<std::string> answers;
};

// P.B=I, each counted from 1: the question number as the test shows it, its box, the item.
struct QuestAnswer
{
    int place;
    int box;
    int item;
};

std::optional<QuestAnswer> parseAnswer(const std::string &token)
{
    static const std::regex form(R"(([0-9]{1,6})\.([0-9]{1,6})=([0-9]{1,6}))");
    std::smatch match;
    if (!std::regex_match(token, match, form))
        return std::nullopt;
    return QuestAnswer {std::stoi(match[1]) - 1, std::stoi(match[2]) - 1, std::stoi(match[3]) - 1};
}

Json questionsJson(const pw::TQuestList &list)
{
    Json questions = Json::array();
    for (std::size_t i = 0; i < list.Questions().size(); ++i) {
        const pw::TQuestion &question = *list.Questions()[i];
        Json boxes = Json::array();
        for (const pw::QuestBox &box : question.Boxes)
            boxes.push_back(Json {{"items", box.Items}, {"right", box.Right}, {"hint", box.Hint}});
        questions.push_back(Json {{"q", list.Drawn()[i]},
                                  {"variant", question.Variant},
                                  {"text", question.Text},
                                  {"boxes", boxes}});
    }
    return questions;
}

// The messages the lesson would have shown, in English as every error of the tools is.
void reportMessages(const pw::RecordingUi &ui, const std::filesystem::path &dataDir)
{
    pw::Localization english;
    english.Load(dataDir, "English");
    for (const pw::RecordingUi::Message &message : ui.messages)
        std::cerr << english.Phrase(message.caption) << ": " << english.Phrase(message.text) << '\n';
}

int runQuest(const QuestOptions &options)
{
    std::vector<QuestAnswer> answers;
    for (const std::string &token : options.answers) {
        const std::optional<QuestAnswer> answer = parseAnswer(token);
        if (!answer) {
            std::cerr << "error: unknown answer '" << token << "' (P.B=I expected)\n";
            return 2;
        }
        answers.push_back(*answer);
    }

    const std::filesystem::path dataDir = options.file.dataFolder();
    const std::string file = options.file.inWorkingFolder(options.file.file, false)
        ? std::filesystem::absolute(options.file.file).string()
        : options.file.file;
    pw::RecordingUi ui;
    pw::StdRandom random(options.file.seed);
    pw::QtBitmapLoader pictures;
    pw::TQList quest(ui, random, pictures);
    pw::TimerArea task;
    // The display parameters and the overlay kinds of the data directory's sys.xml, as the lesson
    // reads them: a box without a hint of its own shows its kind's.
    pw::TQUESTPARM parms;
    pw::AddGrafs grafs(ui);
    pw::Localization texts;
    texts.Load(dataDir, options.language);
    grafs.SetTranslation([&texts](const std::string &text) { return texts.Phrase(text); });
    pugi::xml_document sys;
    try {
        if (pw::ReadXmlFile(sys, dataDir / "sys.xml")) {
            parms = pw::ReadQuestParms(sys);
            grafs.LoadKinds(pw::SelectNode(sys, "//Parameters/QParms"), dataDir, pictures);
        }
    } catch (const pw::Error &e) {
        ui.message("Ошибка", e.what());
    }
    quest.SetOverlays(grafs);
    const bool loaded = quest.Load(pw::QuestSource {dataDir, file, options.language}, parms, task, 600);
    reportMessages(ui, dataDir);
    if (!loaded)
        return 1;

    for (std::size_t i = 0; i < answers.size(); ++i) {
        const QuestAnswer &answer = answers[i];
        if (!quest.Select(answer.place, answer.box, answer.item)) {
            std::cerr << "error: unknown answer '" << options.answers[i]
                      << "': no such question, box or item\n";
            return 2;
        }
    }
    std::cout << JsonLine(Json {{"places", quest.Places()},
                                {"limit", {task.LimitMin, task.LimitSec}},
                                {"questions", questionsJson(quest)}})
              << '\n';
    if (answers.empty())
        return 0;
    // As the finish button leaves them: the full check gives the counters and the mark.
    quest.Check();
    std::cout << JsonLine(
        Json {{"answered", quest.Answered()}, {"wrong", quest.Wrong()}, {"mark", quest.Mark()}})
              << '\n';
    return 0;
}

} // namespace

void AddQuestCommand(CLI::App &app, CommandRun &chosen)
{
    auto options = std::make_shared<QuestOptions>();
    CLI::App *command = app.add_subcommand(
        "quest", "draw a questionnaire as a Quest lesson does, optionally answer and check it");
    command
        ->add_option("FILE", options->file.file, "question file, absolute or relative to the data directory")
        ->required();
    command->add_option("--data-dir,-d", options->file.dataDir,
                        "data directory (default: the bundled course)");
    command->add_option("--seed", options->file.seed, "seed for every random choice, for reproducible runs");
    command->add_option("--lang,--language", options->language,
                        "language of the localised attributes (default Russian; English reads TextE)");
    command->add_option("ANSWERS", options->answers,
                        "after --: P.B=I chooses item I in box B of question P, each counted from 1 "
                        "(P is the question number the test shows)");
    command->callback([options, &chosen] { chosen = [options] { return runQuest(*options); }; });
}

} // namespace pwcli
