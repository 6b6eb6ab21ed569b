#include "midi/shared_midi.h"

#include "midi/rtmidi_backend.h"
#include "midi/synth_backend.h"

#include <mutex>

namespace pw {

namespace {
std::mutex g_mutex;
std::shared_ptr<MidiBackend> g_backend;
} // namespace

std::shared_ptr<MidiBackend> MakeSystemMidiBackend()
{
    return std::make_shared<SynthBackend>(std::make_unique<RtMidiBackend>(),
                                          std::make_shared<SoftSynth>(SoftSynth::Mode::Live));
}

void SetSharedMidiBackend(std::shared_ptr<MidiBackend> backend)
{
    std::lock_guard lock(g_mutex);
    g_backend = std::move(backend);
}

std::shared_ptr<MidiBackend> SharedMidiBackend()
{
    std::lock_guard lock(g_mutex);
    if (!g_backend)
        g_backend = MakeSystemMidiBackend();
    return g_backend;
}

TMidiInput &SharedMidiInput()
{
    static TMidiInput input(SharedMidiBackend());
    return input;
}

TMidiOutput &SharedMidiOutput()
{
    static TMidiOutput output(SharedMidiBackend());
    return output;
}

} // namespace pw
