#include "midi/device_selection.h"
#include "midi/memory_backend.h"
#include "midi/midi_trace.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace pw;

namespace {
class Selection : public ::testing::Test
{
protected:
    std::shared_ptr<MemoryMidiBackend> backend = std::make_shared<MemoryMidiBackend>(
        std::vector<std::string> {"Keys", "Pads"}, std::vector<std::string> {"Out A", "Out B", "Out C"});
    TMidiInput input {backend};
    TMidiOutput output {backend};
};
} // namespace

TEST_F(Selection, OpensExactlyTheDevicesNamed)
{
    EXPECT_EQ(OpenSelectedDevices(input, {"Pads", "Gone"}), (std::vector<bool> {false, true}));
    EXPECT_EQ(input.HandleOf(0), 0);
    EXPECT_NE(input.HandleOf(1), 0);
    // Names are compared exactly.
    EXPECT_EQ(OpenSelectedDevices(output, {"out a", "Out C"}), (std::vector<bool> {false, false, true}));
    EXPECT_EQ(CloseSelectedOutputs(output, {"Out C"}), (std::vector<bool> {false, false, true}));
    EXPECT_EQ(output.HandleOf(2), 0);
}

TEST_F(Selection, EchoGoesToTheHighestSelectedOutputFirst)
{
    EchoToOutputs(output, {true, false, true}, 0xE0, 0, 64);
    const auto sent = backend->sent();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].device, 2);
    EXPECT_EQ(sent[1].device, 0);
    EXPECT_EQ(sent[0].packed, PackShortMessage(0xE0, 0, 64));
}

TEST_F(Selection, FailedOpenStopsTheRun)
{
    backend->failNext("open-output", 5);
    EXPECT_THROW(OpenSelectedDevices(output, {"Out A", "Out B"}), std::exception);
    EXPECT_EQ(output.HandleOf(0), 0);
    EXPECT_EQ(output.HandleOf(1), 0);
}

TEST(MidiTrace, LinesAreWrittenByteForByteAndTheFileEmptiedWhenSwitchedOn)
{
    const auto file = std::filesystem::temp_directory_path() / "pw-midi-trace-test.log";
    std::ofstream(file) << "old contents";
    MidiTrace trace;
    trace.Write(0, 1, 2, 3); // off: nothing
    EXPECT_TRUE(trace.Toggle(file));
    trace.Write(1, 146, 60, 100);
    trace.Write(0, 224, 0, 64);
    std::ifstream in(file, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text,
              "Device index:1 aStatus: 146 aData1: 60 aData2: 100\n\r"
              "Device index:0 aStatus: 224 aData1: 0 aData2: 64\n\r");
    EXPECT_FALSE(trace.Toggle(file));
    std::filesystem::remove(file);
}
