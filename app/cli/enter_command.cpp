// partwriter-cli enter: notes and commands applied to an exercise as the main window applies them,
// for trying an exercise (and the analysis of a solution) without the GUI.

#include "analysis_json.h"

#include "command.h"
#include "document/exercise_nodes.h"
#include "exercise_session.h"
#include "json_line.h"

#include "entry/computer_keys.h"
#include "entry/note_entry.h"
#include "harmony/definitor.h"

#include <cctype>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <regex>

namespace pwcli {

namespace {

struct EnterOptions
{
    ExerciseOptions exercise;
    int order = 0;
    bool alwaysBass = false;
    std::string save;
    std::vector<std::string> tokens;
};

using Step = std::function<void(pw::NoteEntry &, pw::HarExercis &)>;

void playNote(pw::NoteEntry &entry, int midi)
{
    if (entry.InsertFromMidi(midi) == 0)
        entry.AdvanceAfterInsert();
}

void playRest(pw::NoteEntry &entry, pw::HarExercis &ex)
{
    if (entry.InsertNote(ex.CurrentLength(), -1, ex.CurrentDot()) == 0)
        entry.AdvanceAfterInsert();
}

std::optional<int> keyCode(const std::string &text)
{
    if (text.size() != 1)
        return std::nullopt;
    const char c = text[0];
    if (std::isalpha(static_cast<unsigned char>(c)))
        return std::toupper(static_cast<unsigned char>(c));
    switch (c) {
    case ';':
        return pw::keys::Semicolon;
    case '\'':
        return pw::keys::Apostrophe;
    case ']':
        return pw::keys::BracketRight;
    case '\\':
        return pw::keys::Backslash;
    case '/':
        return pw::keys::Slash;
    default:
        return std::nullopt;
    }
}

// One token as a step, or nothing when the token is unknown.
std::optional<Step> parseToken(const std::string &token)
{
    static const std::regex number(R"(^-?\d{1,3}$)");
    if (std::regex_match(token, number)) {
        const int midi = std::stoi(token);
        return [midi](pw::NoteEntry &entry, pw::HarExercis &) { playNote(entry, midi); };
    }
    if (token == "r")
        return playRest;
    if (token.rfind("k:", 0) == 0) {
        const std::optional<int> key = keyCode(token.substr(2));
        if (!key || pw::StepFromKey(*key) == pw::NoStep)
            return std::nullopt;
        return [key = *key](pw::NoteEntry &entry, pw::HarExercis &ex) {
            const int midi = pw::MidiNoteFromKey(key, ex.CurrentVoice(), 0);
            if (midi == pw::RestNote)
                playRest(entry, ex);
            else
                playNote(entry, midi);
        };
    }
    if (token == "len:2" || token == "len:4" || token == "len:8" || token == "len:16") {
        const int length = std::stoi(token.substr(4));
        return [length](pw::NoteEntry &, pw::HarExercis &ex) { ex.SetLength(length, 0); };
    }
    if (token == "dot")
        return [](pw::NoteEntry &, pw::HarExercis &ex) {
            ex.SetLength(ex.CurrentLength(), 1 - ex.CurrentDot());
        };
    if (token == "voice:0" || token == "voice:1" || token == "voice:2" || token == "voice:3") {
        const int voice = token.back() - '0';
        return [voice](pw::NoteEntry &entry, pw::HarExercis &) { entry.SelectVoice(voice); };
    }
    static const std::map<std::string, Step> commands {
        {"right", [](pw::NoteEntry &e, pw::HarExercis &) { e.CursorRight(); }},
        {"left", [](pw::NoteEntry &e, pw::HarExercis &) { e.CursorLeft(); }},
        {"up", [](pw::NoteEntry &e, pw::HarExercis &) { e.VoiceUp(); }},
        {"down", [](pw::NoteEntry &e, pw::HarExercis &) { e.VoiceDown(); }},
        {"del", [](pw::NoteEntry &e, pw::HarExercis &) { e.DeleteNoteAtCursor(); }},
        {"bh", [](pw::NoteEntry &e, pw::HarExercis &) { e.ToggleExemption(); }},
        {"partdown", [](pw::NoteEntry &e, pw::HarExercis &) { e.PartDown(); }},
        {"partup", [](pw::NoteEntry &e, pw::HarExercis &) { e.PartUp(); }},
        {"undo", [](pw::NoteEntry &, pw::HarExercis &ex) { ex.Undo(); }},
    };
    const auto found = commands.find(token);
    if (found == commands.end())
        return std::nullopt;
    return found->second;
}

Json voicesJson(pw::XmlNode part)
{
    Json voices = Json::array();
    for (pw::XmlNode voice : part.children("Voice")) {
        Json notes = Json::array();
        for (pw::XmlNode note : pw::NotesOf(voice)) {
            notes.push_back(Json {
                {"high", pw::NotePitch(note)}, {"long", pw::NoteLength(note)}, {"p", pw::NoteDot(note)}});
        }
        voices.push_back(
            Json {{"h", pw::VoiceNumber(voice)}, {"type", pw::VoiceType(voice)}, {"notes", notes}});
    }
    return voices;
}

int runEnter(const EnterOptions &options)
{
    std::vector<Step> steps;
    for (const std::string &token : options.tokens) {
        std::optional<Step> step = parseToken(token);
        if (!step) {
            std::cerr << "error: unknown token '" << token << "'\n";
            return 2;
        }
        steps.push_back(std::move(*step));
    }

    ExerciseSession session(options.exercise);
    pw::HarExercis &ex = session.exercise;
    ex.SpecialMoveType = options.order;
    ex.AlwaysBass = options.alwaysBass;
    if (!session.load()) {
        session.printLoadFailure();
        return 1;
    }
    pw::TMusDefinitor definitor(options.exercise.ruleBase(), session.ui);
    pw::NullEntryView view;
    pw::NoteEntry entry(ex, definitor, session.ui, view);
    for (const Step &step : steps)
        step(entry, ex);

    // The error counts and completion flags are the checking pass's, as the program has them.
    Json parts = Json::array();
    for (const pw::ExercisePart &part : ex.Parts) {
        parts.push_back(Json {{"voices", voicesJson(part.Node)},
                              {"analysis", AnalysisJson(part.Node)},
                              {"done", part.Done},
                              {"errors", part.Errors}});
    }
    const bool hasPart = ex.HasCurrentPart();
    const Json cursor {{"part", ex.CurPart},
                       {"voice", ex.CurrentVoice()},
                       {"tact", hasPart ? ex.current().CurTact : 0},
                       {"pos", hasPart ? ex.current().CurPos : 0}};
    // Saved before anything is printed: a failed save prints its reason (main) and no result.
    if (!options.save.empty())
        ex.SaveExercise(options.exercise.savePath(options.save));
    std::cout << JsonLine(Json {
        {"parts", parts}, {"cursor", cursor}, {"canUndo", ex.CanUndo()}, {"insertions", ex.InsertCount}})
              << '\n';
    return 0;
}

} // namespace

void AddEnterCommand(CLI::App &app, CommandRun &chosen)
{
    auto options = std::make_shared<EnterOptions>();
    CLI::App *command = app.add_subcommand(
        "enter", "apply notes and commands to an exercise as the main window does, as JSON");
    options->exercise.addTo(*command, true);
    command
        ->add_option("--order", options->order,
                     "voice order: 0 bass-tenor-alto-soprano, 1 bass-soprano-alto-tenor")
        ->check(CLI::Range(0, 1));
    command->add_flag("--always-bass", options->alwaysBass, "every cursor move returns to the bass");
    command->add_option("--save", options->save,
                        "write the document to this file afterwards (found as FILE is; a new file "
                        "goes where its folder is found)");
    command->add_option(
        "TOKENS", options->tokens,
        "after --: MIDI note numbers, r, k:X, len:L, dot, voice:V, right, left, up, down, del, bh, "
        "partdown, partup, undo");
    command->callback([options, &chosen] { chosen = [options] { return runEnter(*options); }; });
}

} // namespace pwcli
