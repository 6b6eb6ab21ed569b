// partwriter-cli drill: a note-naming drill of a course menu answered from the command line, one
// JSON line per task and the score at the end, for checking a drill's settings and pictures.

#include "command.h"
#include "console_ui.h"
#include "exercise_session.h"
#include "json_line.h"

#include "document/timer_area.h"
#include "document/xml_file.h"
#include "midi/midi_message.h"
#include "panels/drill_painting.h"
#include "panels/drill_pictures.h"
#include "panels/note_drill.h"
#include "platform/error.h"
#include "platform/file_paths.h"
#include "platform/program_ui.h"
#include "platform/qpainter_canvas.h"
#include "platform/random.h"

#include <iostream>
#include <memory>
#include <optional>
#include <variant>

namespace pwcli {

namespace {

struct DrillOptions
{
    ExerciseOptions menu;
    int item = 0;
    int width = 1024;
    int height = 600;
    std::vector<std::string> families;
    bool pianoOnly = false;
    std::vector<std::string> answers;
};

struct KeyAnswer
{
    int key;
};
struct ClickAnswer
{
    int x;
    int y;
};
struct RowAnswer
{
    int row;
};
struct TimeoutAnswer
{
};
struct SpaceAnswer
{
};
using Answer = std::variant<KeyAnswer, ClickAnswer, RowAnswer, TimeoutAnswer, SpaceAnswer>;

std::optional<int> number(const std::string &text)
{
    try {
        std::size_t used = 0;
        const int value = std::stoi(text, &used);
        return used == text.size() ? std::optional<int>(value) : std::nullopt;
    } catch (const std::exception &) {
        return std::nullopt;
    }
}

std::optional<Answer> parseAnswer(const std::string &token)
{
    if (token == "timeout")
        return TimeoutAnswer {};
    if (token == "space")
        return SpaceAnswer {};
    const std::size_t colon = token.find(':');
    if (colon == std::string::npos)
        return std::nullopt;
    const std::string kind = token.substr(0, colon);
    const std::string value = token.substr(colon + 1);
    if (kind == "key") {
        if (const std::optional<int> key = number(value))
            return KeyAnswer {*key};
    } else if (kind == "row") {
        if (const std::optional<int> row = number(value))
            return RowAnswer {*row};
    } else if (kind == "click") {
        const std::size_t comma = value.find(',');
        if (comma == std::string::npos)
            return std::nullopt;
        const std::optional<int> x = number(value.substr(0, comma));
        const std::optional<int> y = number(value.substr(comma + 1));
        if (x && y)
            return ClickAnswer {*x, *y};
    }
    return std::nullopt;
}

std::optional<pw::InstrumentChoice> instrumentsOf(const DrillOptions &options)
{
    pw::InstrumentChoice choice;
    choice.pianoOnly = options.pianoOnly;
    if (options.families.empty())
        return choice;
    static const std::array<const char *, pw::FamilyCount> names {"piano",   "otherkeys", "organ", "guitar",
                                                                  "strings", "brass",     "reeds", "pipes"};
    choice.families = {};
    for (const std::string &family : options.families) {
        const auto found = std::find(names.begin(), names.end(), family);
        if (found == names.end())
            return std::nullopt;
        choice.families[static_cast<std::size_t>(found - names.begin())] = true;
    }
    return choice;
}

// The outputs are the console: sounds are reported in the task's line; a clicked note comes back
// to the drill as the note road would hand it over.
class ConsoleDrillHost : public pw::DrillHost
{
public:
    void attach(pw::NoteDrill &drill) { m_drill = &drill; }
    void SendToOutputs(int, int, int) override { }
    void SendThroughNoteHandler(int status, int data1, int data2) override
    {
        if (pw::midi::IsNoteOn(status, data2))
            m_drill->MidiNote(data1);
    }
    // Nobody waits a second here: the second note follows at once.
    void PlayStepLater() override { m_drill->PlayNextStep(); }
    void Redraw() override { }
    void CountersChanged() override { }
    void SeriesEnded() override { }

private:
    pw::NoteDrill *m_drill = nullptr;
};

pw::XmlNode menuItem(const pugi::xml_document &menu, int n)
{
    int index = 0;
    for (const pugi::xpath_node &item : menu.select_nodes("//Menu/Item")) {
        if (++index == n)
            return item.node();
    }
    return {};
}

Json taskJson(const pw::NoteDrill &drill)
{
    const pw::DrillTask &task = drill.Task();
    static const std::array<const char *, 4> outcomes {"open", "success", "exhausted", "timeout"};
    return Json {{"first", task.first},
                 {"second", task.second ? Json(*task.second) : Json(nullptr)},
                 {"program", task.program},
                 {"played", drill.Played()},
                 {"outcome", outcomes[static_cast<std::size_t>(drill.Outcome())]},
                 {"wrong", drill.WrongCount()}};
}

void apply(pw::NoteDrill &drill, const Answer &answer)
{
    std::visit(
        [&drill](const auto &a) {
            using T = std::decay_t<decltype(a)>;
            if constexpr (std::is_same_v<T, KeyAnswer>)
                drill.MidiNote(a.key + pw::KeyIndexToMidi);
            else if constexpr (std::is_same_v<T, ClickAnswer>)
                drill.Click(a.x, a.y);
            else if constexpr (std::is_same_v<T, RowAnswer>)
                drill.Click(pw::DrillListX,
                            (a.row - 1) * drill.IntervalRowHeight() + drill.IntervalRowHeight() / 2);
            else if constexpr (std::is_same_v<T, TimeoutAnswer>)
                drill.TimeRunsOut();
            else
                drill.Continue();
        },
        answer);
}

int runDrill(const DrillOptions &options)
{
    std::vector<Answer> answers;
    for (const std::string &token : options.answers) {
        std::optional<Answer> answer = parseAnswer(token);
        if (!answer) {
            std::cerr << "error: unknown answer '" << token << "'\n";
            return 2;
        }
        answers.push_back(*answer);
    }
    const std::optional<pw::InstrumentChoice> instruments = instrumentsOf(options);
    if (!instruments) {
        std::cerr
            << "error: --families takes piano, otherkeys, organ, guitar, strings, brass, reeds, pipes\n";
        return 2;
    }

    ConsoleUi ui;
    pw::SetProgramUi(&ui);
    const std::filesystem::path dataDir = options.menu.dataFolder();
    const std::filesystem::path file = options.menu.inWorkingFolder(options.menu.file, false)
        ? std::filesystem::absolute(options.menu.file)
        : pw::ResolveDataPath(dataDir, options.menu.file);
    pugi::xml_document menu;
    const pw::XmlLoadResult read = pw::ReadXmlFile(menu, file);
    if (!read) {
        std::cerr << "error: cannot read the course menu " << file.string() << ": " << read.reason << '\n';
        return 1;
    }
    const pw::XmlNode item = menuItem(menu, options.item);
    if (!item) {
        std::cerr << "error: the menu has no item " << options.item << '\n';
        return 1;
    }
    if (pw::GetAttr(item, "Type") != "MusNoteDefine") {
        std::cerr << "error: item " << options.item << " is not a note-naming drill (Type \""
                  << pw::GetAttr(item, "Type") << "\")\n";
        return 1;
    }

    const pw::DrillSettings settings = pw::ReadDrillSettings(item.child("Parm"), item);
    pw::QtBitmapLoader loader;
    pw::LoadedDrillPictures pictures;
    try {
        pictures = pw::LoadDrillPictures(settings, dataDir, loader);
    } catch (const pw::Error &e) {
        std::cerr << "error: " << e.what() << '\n';
        return 1;
    }

    pw::StdRandom random(options.menu.seed);
    pw::TimerArea task;
    ConsoleDrillHost host;
    pw::NoteDrill drill(task, random, host);
    host.attach(drill);
    drill.SetInstruments(*instruments);
    drill.SetArea(options.width, options.height);
    pw::SetPictureSizes(drill, pictures);
    drill.SetUp(settings);
    // As when the lesson's pause page is left: the first task starts.
    drill.Continue();
    for (const Answer &answer : answers) {
        const bool open = !drill.Waiting();
        apply(drill, answer);
        if (open && drill.Outcome() != pw::DrillOutcome::Open)
            std::cout << JsonLine(taskJson(drill)) << '\n';
    }
    std::cout << JsonLine(Json {{"required", task.Iterations},
                                {"completed", task.Attempts},
                                {"successful", task.Successes},
                                {"mark", task.MarkText()}})
              << '\n';
    return 0;
}

} // namespace

void AddDrillCommand(CLI::App &app, CommandRun &chosen)
{
    auto options = std::make_shared<DrillOptions>();
    CLI::App *command
        = app.add_subcommand("drill", "answer a note-naming drill of a course menu, one JSON line per task");
    command
        ->add_option("ITEMFILE", options->menu.file,
                     "course menu file, absolute or relative to the data directory")
        ->required();
    command->add_option("--item", options->item, "the drill's Item in the menu, counted from 1 in file order")
        ->required()
        ->check(CLI::PositiveNumber);
    command->add_option("--data-dir,-d", options->menu.dataDir,
                        "data directory (default: the bundled course)");
    command->add_option("--seed", options->menu.seed, "seed for every random choice, for reproducible runs");
    command->add_option("--width", options->width, "width of the drawing area (default 1024)")
        ->check(CLI::Range(1, 20000));
    command->add_option("--height", options->height, "height of the drawing area (default 600)")
        ->check(CLI::Range(1, 20000));
    command
        ->add_option("--families", options->families,
                     "instrument families ticked: piano (the default), otherkeys, organ, guitar, strings, "
                     "brass, reeds, pipes")
        ->delimiter(',');
    command->add_flag("--piano-only", options->pianoOnly, "program 0 for every task");
    command->add_option("ANSWERS", options->answers,
                        "after --: key:K (a key index played by MIDI, 0 = A0), click:X,Y, row:R (an interval "
                        "row, from 1), timeout, space");
    command->callback([options, &chosen] { chosen = [options] { return runDrill(*options); }; });
}

} // namespace pwcli
