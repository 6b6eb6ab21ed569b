// partwriter-cli playtable: the play table of a part, and optionally the playback rendered through
// the software synthesizer, for hearing an exercise without the GUI.

#include "command.h"
#include "exercise_session.h"
#include "json_line.h"

#include "document/xml_access.h"
#include "document/xml_file.h"
#include "entry/exercise_player.h"
#include "entry/play_table.h"
#include "midi/memory_backend.h"
#include "midi/midi_devices.h"
#include "midi/soft_synth.h"
#include "midi/synth_backend.h"
#include "platform/file_paths.h"

#include <algorithm>
#include <iostream>
#include <memory>
#include <optional>

namespace pwcli {

namespace {

struct PlayTableOptions
{
    ExerciseOptions exercise;
    std::optional<int> part;
    std::string wav;
};

// The playback step of the program's notation parameters, as the main window reads it at start.
int playStepMs()
{
    pugi::xml_document sys;
    pw::LoadXmlFile(sys, pw::BundledDataFolder(pw::ExecutableFolder()) / "sys.xml");
    return pw::GetAttrInt(pw::SelectNode(sys, "//Parameters"), "MidiTemp", 200);
}

// Plays the current part as the play button does, the synthesizer the one selected output, each
// tick MidiTemp milliseconds of audio; played is the table the player built.
bool renderPlayback(const pw::HarExercis &ex, pw::Ui &ui, const std::string &file, pw::PlayTable &played)
{
    auto synth = std::make_shared<pw::SoftSynth>(pw::SoftSynth::Mode::Offline);
    if (!synth->ready()) {
        std::cerr << "error: " << synth->problem() << '\n';
        return false;
    }
    auto none
        = std::make_unique<pw::MemoryMidiBackend>(std::vector<std::string> {}, std::vector<std::string> {});
    pw::TMidiOutput outputs(std::make_shared<pw::SynthBackend>(std::move(none), synth));
    const std::vector<bool> selected {true};
    const bool soundOn = true;
    pw::SelectedOutputs sink(outputs, selected, soundOn);
    pw::PlayTimer timer;
    pw::ExercisePlayer player(ex, ui, timer, sink, playStepMs());

    std::vector<std::int16_t> audio;
    auto renderFrames = [&](int frames) {
        const std::vector<std::int16_t> part = synth->render(frames);
        audio.insert(audio.end(), part.begin(), part.end());
    };
    player.PlayToggle();
    played = player.Table();
    const int frames = std::max(timer.interval(), 0) * pw::SoftSynth::SampleRate / 1000;
    while (player.IsPlaying()) {
        player.PlayTick();
        renderFrames(frames);
    }
    // Let the last chord ring out.
    renderFrames(pw::SoftSynth::SampleRate);
    if (!pw::WriteWav(file, audio, pw::SoftSynth::SampleRate)) {
        std::cerr << "error: cannot write " << file << '\n';
        return false;
    }
    return true;
}

int runPlayTable(const PlayTableOptions &options)
{
    ExerciseSession session(options.exercise);
    if (!session.load()) {
        std::cerr << "error: " << session.error() << '\n';
        return 1;
    }
    pw::HarExercis &ex = session.exercise;
    if (options.part) {
        if (*options.part < 0 || *options.part >= ex.PartCount()) {
            std::cerr << "error: the exercise has " << ex.PartCount() << " parts in this run\n";
            return 2;
        }
        ex.CurPart = *options.part;
    }
    // With --wav the table printed is the one played, so a faulty note is reported once.
    pw::PlayTable table;
    if (options.wav.empty())
        table = pw::BuildPlayTable(ex, ex.CurPart, session.ui).value_or(pw::PlayTable {});
    else if (!renderPlayback(ex, session.ui, options.wav, table))
        return 1;
    Json rows = Json::array();
    for (const pw::PlayRow &row : table)
        rows.push_back(row);
    std::cout << JsonLine(Json {{"rows", rows}}) << '\n';
    return 0;
}

} // namespace

void AddPlayTableCommand(CLI::App &app, CommandRun &chosen)
{
    auto options = std::make_shared<PlayTableOptions>();
    CLI::App *command = app.add_subcommand(
        "playtable", "print the play table of a part as JSON, optionally render its playback");
    options->exercise.addTo(*command, false);
    command->add_option("--part", options->part, "part of this run, from 0 (default: the current part)");
    command->add_option("--wav", options->wav, "also render the playback into this 44.1 kHz stereo WAV file");
    command->callback([options, &chosen] { chosen = [options] { return runPlayTable(*options); }; });
}

} // namespace pwcli
