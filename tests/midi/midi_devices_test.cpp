#include "midi/memory_backend.h"
#include "midi/midi_devices.h"
#include "midi/midi_error.h"
#include "platform/error.h"

#include <gtest/gtest.h>

#include <thread>

using namespace pw;

namespace {

class MidiDevices : public ::testing::Test
{
protected:
    std::shared_ptr<MemoryMidiBackend> backend
        = std::make_shared<MemoryMidiBackend>(std::vector<std::string> {"Keys In", "Pads In"},
                                              std::vector<std::string> {"Synth Out", "Module Out"});
    TMidiInput input {backend};
    TMidiOutput output {backend};
};

std::string messageOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const std::exception &e) {
        return e.what();
    }
    return "no error";
}

} // namespace

TEST_F(MidiDevices, ListsDevicesByName)
{
    EXPECT_EQ(input.Names(), (std::vector<std::string> {"Keys In", "Pads In"}));
    EXPECT_EQ(output.IndexOf("Module Out"), 1);
    EXPECT_EQ(output.IndexOf("missing"), -1);
    EXPECT_EQ(input.SysExBuffers.size(), 2u);
}

TEST(MidiNoDevices, EveryIndexIsOutOfBounds)
{
    auto none = std::make_shared<MemoryMidiBackend>(std::vector<std::string> {}, std::vector<std::string> {});
    TMidiInput input(none);
    TMidiOutput output(none);
    EXPECT_EQ(messageOf([&] { input.Open(0); }), "TMidiInput: Device index out of bounds! (0)");
    EXPECT_EQ(messageOf([&] { output.Send(0, 144, 60, 100); }),
              "TMidiOutput: Device index out of bounds! (0)");
    EXPECT_EQ(messageOf([&] { output.HandleOf(-1); }), "TMidiOutput: Device index out of bounds! (-1)");
    EXPECT_THROW(input.Close(3), RangeError);
}

TEST_F(MidiDevices, SendOpensAClosedOutputFirst)
{
    EXPECT_EQ(output.HandleOf(1), 0);
    output.Send(1, 144, 60, 100);
    EXPECT_NE(output.HandleOf(1), 0);
    ASSERT_EQ(backend->sent().size(), 1u);
    EXPECT_EQ(backend->sent()[0].device, 1);
    EXPECT_EQ(backend->sent()[0].packed, 144u + 256u * 60 + 65536u * 100);

    output.Close(1);
    EXPECT_EQ(output.HandleOf(1), 0);
    EXPECT_EQ(backend->openOutputs(), 0);
    output.Close(1); // closing a closed device is nothing
}

TEST_F(MidiDevices, OpeningAnOpenInputChangesNothing)
{
    input.Open(0);
    const int handle = input.HandleOf(0);
    input.Open(0);
    EXPECT_EQ(input.HandleOf(0), handle);
    input.Close(0);
    EXPECT_EQ(input.HandleOf(0), 0);
    EXPECT_FALSE(backend->receiveShort(0, 144));
}

TEST_F(MidiDevices, ShortMessagesArriveUnpackedFromTheServiceThread)
{
    std::vector<std::array<int, 4>> got;
    std::thread::id calledOn;
    input.OnShortMessage = [&](int device, int status, int data1, int data2) {
        got.push_back({device, status, data1, data2});
        calledOn = std::this_thread::get_id();
    };
    input.Open(1);
    std::thread service([&] {
        backend->receiveShort(1, PackShortMessage(146, 60, 100)); // note-on, channel 3
        backend->receiveShort(1, PackShortMessage(0xFE, 0, 0));
    });
    service.join();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0], (std::array<int, 4> {1, 146, 60, 100}));
    EXPECT_EQ(got[1], (std::array<int, 4> {1, 0xFE, 0, 0}));
    EXPECT_NE(calledOn, std::this_thread::get_id());
}

TEST_F(MidiDevices, SysExBlockCollectedOverBuffersAndDeliveredOnce)
{
    std::vector<std::vector<std::uint8_t>> blocks;
    input.OnSysEx = [&](int device, const std::vector<std::uint8_t> &block) {
        EXPECT_EQ(device, 0);
        blocks.push_back(block);
    };
    input.Open(0);
    std::vector<std::uint8_t> first(SysExBufferSize, 0x11);
    first[0] = 0xF0;
    const std::vector<std::uint8_t> last {0x22, 0x33, 0xF7};
    backend->receiveLongData(0, first, false);
    EXPECT_TRUE(blocks.empty());
    backend->receiveLongData(0, {}, false); // an empty buffer changes nothing
    backend->receiveLongData(0, last, true);
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0].size(), SysExBufferSize + 3);
    EXPECT_EQ(blocks[0].front(), 0xF0);
    EXPECT_EQ(blocks[0].back(), 0xF7);
    // The next block starts empty.
    backend->receiveLongData(0, {0xF0, 0x7E, 0xF7}, true);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[1].size(), 3u);
}

TEST_F(MidiDevices, FailedCallsRaiseTheServiceTextAndLeaveTheDeviceClosed)
{
    backend->failNext("open-output", 7);
    EXPECT_EQ(messageOf([&] { output.Open(0); }), "MIDI error 7");
    EXPECT_EQ(output.LastResult, 7u);
    EXPECT_EQ(output.HandleOf(0), 0);

    // A code the service cannot explain is kept but not raised.
    backend->failNext("open-input", 1234);
    EXPECT_NO_THROW(input.Open(0));
    EXPECT_EQ(input.LastResult, 1234u);
    EXPECT_EQ(input.HandleOf(0), 0);

    backend->failNext("send", 9);
    EXPECT_THROW(output.Send(1, 144, 1, 1), MidiError);
}
