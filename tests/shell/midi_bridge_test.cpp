#include "midi/memory_backend.h"
#include "midi/midi_devices.h"
#include "shell/midi_bridge.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <thread>

using namespace pw;

// Messages arriving on the service's thread are handled on the user-interface thread, in order.
TEST(MidiInputBridge, DeliversOnTheOwningThreadInArrivalOrder)
{
    int argc = 0;
    QCoreApplication app(argc, nullptr);
    auto backend
        = std::make_shared<MemoryMidiBackend>(std::vector<std::string> {"Keys"}, std::vector<std::string> {});
    TMidiInput input(backend);
    MidiInputBridge bridge;
    std::vector<int> keys;
    bool otherThread = false;
    const auto uiThread = std::this_thread::get_id();
    int blocks = 0;
    bridge.attach(
        input,
        [&](int, int, int key, int) {
            keys.push_back(key);
            otherThread = otherThread || std::this_thread::get_id() != uiThread;
        },
        [&] { ++blocks; });
    input.Open(0);
    std::thread service([&] {
        for (int k = 0; k < 100; ++k)
            backend->receiveShort(0, PackShortMessage(144, k, 64));
        backend->receiveLongData(0, {0xF0, 0x7E, 0xF7}, true);
    });
    service.join();
    QElapsedTimer waited;
    waited.start();
    while ((keys.size() < 100 || blocks == 0) && waited.elapsed() < 5000)
        QCoreApplication::processEvents();
    ASSERT_EQ(keys.size(), 100u);
    for (int k = 0; k < 100; ++k)
        EXPECT_EQ(keys[static_cast<std::size_t>(k)], k);
    EXPECT_FALSE(otherThread);
    EXPECT_EQ(blocks, 1);
}
