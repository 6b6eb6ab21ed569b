#include "midi/memory_backend.h"
#include "midi/midi_devices.h"
#include "midi/rtmidi_backend.h"
#include "midi/soft_synth.h"
#include "midi/synth_backend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

using namespace pw;

namespace {

int peakOf(const std::vector<std::int16_t> &samples)
{
    int peak = 0;
    for (std::int16_t s : samples)
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    return peak;
}

} // namespace

TEST(SoftSynth, NoteOnSoundsAndNoteOffFadesToSilence)
{
    SoftSynth synth(SoftSynth::Mode::Offline);
    ASSERT_TRUE(synth.ready()) << synth.problem();
    EXPECT_LT(peakOf(synth.render(4410)), 50);
    synth.send(PackShortMessage(0x90, 60, 100));
    const int loud = peakOf(synth.render(SoftSynth::SampleRate / 2));
    // Audible: louder than -30 dBFS.
    EXPECT_GT(loud, 1000);
    synth.send(PackShortMessage(0x80, 60, 0));
    synth.render(SoftSynth::SampleRate * 2);
    EXPECT_LT(peakOf(synth.render(4410)), 50);
}

TEST(SoftSynth, IsTheLastOutputAndStopsSoundingWhenClosed)
{
    auto synth = std::make_shared<SoftSynth>(SoftSynth::Mode::Offline);
    auto hardware = std::make_unique<MemoryMidiBackend>(std::vector<std::string> {"In"},
                                                        std::vector<std::string> {"Out"});
    MemoryMidiBackend &memory = *hardware;
    auto backend = std::make_shared<SynthBackend>(std::move(hardware), synth);
    TMidiOutput output(backend);
    ASSERT_EQ(output.Names(), (std::vector<std::string> {"Out", "Software synthesizer"}));

    output.Send(1, 0x90, 64, 110);
    EXPECT_GT(peakOf(synth->render(SoftSynth::SampleRate / 4)), 1000);
    output.Send(0, 0x90, 64, 110);
    EXPECT_EQ(memory.sent().size(), 1u);
    output.Close(1);
    synth->render(SoftSynth::SampleRate);
    EXPECT_LT(peakOf(synth->render(4410)), 50);
}

TEST(SoftSynth, WavFileHasAStereo16BitHeader)
{
    const auto path = std::filesystem::temp_directory_path() / "pw-synth-test.wav";
    ASSERT_TRUE(WriteWav(path.string(), {1, -1, 2, -2}, 44100));
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(path);
    ASSERT_EQ(bytes.size(), 44u + 8u);
    EXPECT_EQ(bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(bytes.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(bytes[22], 2); // channels
    EXPECT_EQ(static_cast<unsigned char>(bytes[24]), 0x44); // 44100 = 0xAC44
    EXPECT_EQ(static_cast<unsigned char>(bytes[25]), 0xAC);
    EXPECT_EQ(bytes[34], 16); // bits
    EXPECT_EQ(bytes.substr(36, 4), "data");
    EXPECT_EQ(static_cast<unsigned char>(bytes[46]), 0xFF); // -1, little-endian
}

TEST(RtMidiBackend, StartsCleanlyWithOrWithoutASequencer)
{
    RtMidiBackend backend;
    if (!std::filesystem::exists("/dev/snd/seq")) {
        EXPECT_TRUE(backend.inputNames().empty());
        EXPECT_TRUE(backend.outputNames().empty());
        EXPECT_FALSE(backend.problem().empty());
    }
    TMidiInput input(std::make_shared<SynthBackend>(std::make_unique<RtMidiBackend>(),
                                                    std::make_shared<SoftSynth>(SoftSynth::Mode::Live)));
    EXPECT_EQ(input.Count(), static_cast<int>(backend.inputNames().size()));
}
