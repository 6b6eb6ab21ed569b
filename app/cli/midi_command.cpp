// partwriter-cli midi: the MIDI devices this machine offers, and offline rendering of messages
// through the software synthesizer.

#include "command.h"
#include "json_line.h"

#include "midi/midi_devices.h"
#include "midi/midi_message.h"
#include "midi/shared_midi.h"
#include "midi/soft_synth.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <memory>
#include <regex>

namespace pwcli {

namespace {

struct TimedMessage
{
    std::uint32_t packed;
    long ms;
};

// "STATUS,DATA1,DATA2@MS", numbers decimal or 0x-hexadecimal.
std::optional<TimedMessage> parseMessage(const std::string &text)
{
    static const std::regex form(
        R"(^\s*(0x[0-9a-fA-F]+|\d+),(0x[0-9a-fA-F]+|\d+),(0x[0-9a-fA-F]+|\d+)@(\d+)\s*$)");
    std::smatch m;
    if (!std::regex_match(text, m, form))
        return std::nullopt;
    const int status = std::stoi(m[1].str(), nullptr, 0);
    const int data1 = std::stoi(m[2].str(), nullptr, 0);
    const int data2 = std::stoi(m[3].str(), nullptr, 0);
    if (status < pw::midi::StatusBit || status > 0xFF || data1 > pw::midi::MaxDataByte
        || data2 > pw::midi::MaxDataByte || m[4].length() > 9)
        return std::nullopt;
    return TimedMessage {pw::PackShortMessage(status, data1, data2), std::stol(m[4].str())};
}

int runList()
{
    const Json out {{"inputs", pw::SharedMidiInput().Names()}, {"outputs", pw::SharedMidiOutput().Names()}};
    std::cout << JsonLine(out) << '\n';
    return 0;
}

int runRender(const std::string &file, const std::vector<std::string> &texts)
{
    std::vector<TimedMessage> messages;
    for (const std::string &text : texts) {
        const auto message = parseMessage(text);
        if (!message) {
            std::cerr << "error: '" << text << "' is not STATUS,DATA1,DATA2@MS\n";
            return 2;
        }
        messages.push_back(*message);
    }
    std::stable_sort(messages.begin(), messages.end(),
                     [](const TimedMessage &a, const TimedMessage &b) { return a.ms < b.ms; });

    pw::SoftSynth synth(pw::SoftSynth::Mode::Offline);
    if (!synth.ready()) {
        std::cerr << "error: " << synth.problem() << '\n';
        return 1;
    }
    auto frameAt = [](long ms) { return static_cast<long long>(ms) * pw::SoftSynth::SampleRate / 1000; };
    std::vector<std::int16_t> audio;
    long long rendered = 0;
    auto renderTo = [&](long long frame) {
        const auto part = synth.render(static_cast<int>(frame - rendered));
        audio.insert(audio.end(), part.begin(), part.end());
        rendered = frame;
    };
    for (const TimedMessage &m : messages) {
        renderTo(frameAt(m.ms));
        synth.send(m.packed);
    }
    // Let the last notes ring out.
    renderTo(rendered + frameAt(1500));

    if (!pw::WriteWav(file, audio, pw::SoftSynth::SampleRate)) {
        std::cerr << "error: cannot write " << file << '\n';
        return 1;
    }
    int peak = 0;
    for (std::int16_t s : audio)
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    const double peakDbfs = peak == 0 ? -1000.0 : 20.0 * std::log10(peak / 32768.0);
    const Json out {{"file", file},
                    {"seconds", static_cast<double>(rendered) / pw::SoftSynth::SampleRate},
                    {"peakDbfs", std::round(peakDbfs * 10) / 10}};
    std::cout << JsonLine(out) << '\n';
    return 0;
}

} // namespace

void AddMidiCommand(CLI::App &app, CommandRun &chosen)
{
    CLI::App *midi = app.add_subcommand("midi", "MIDI devices and the software synthesizer");
    midi->require_subcommand(1);

    CLI::App *list = midi->add_subcommand("list", "print the MIDI input and output devices as JSON");
    list->callback([&chosen] { chosen = runList; });

    auto file = std::make_shared<std::string>();
    auto messages = std::make_shared<std::vector<std::string>>();
    CLI::App *render = midi->add_subcommand(
        "render", "render short messages through the software synthesizer into a 44.1 kHz stereo WAV file");
    render->add_option("OUT", *file, "WAV file to write")->required();
    render->add_option("MESSAGES", *messages, "STATUS,DATA1,DATA2@MS ... (after --)")->required();
    render->callback(
        [&chosen, file, messages] { chosen = [file, messages] { return runRender(*file, *messages); }; });
}

} // namespace pwcli
