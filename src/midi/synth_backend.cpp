#include "midi/synth_backend.h"

#include "midi/midi_message.h"

namespace pw {

SynthBackend::SynthBackend(std::unique_ptr<MidiBackend> hardware, std::shared_ptr<SoftSynth> synth)
    : m_hardware(std::move(hardware))
    , m_synth(std::move(synth))
    , m_synthIndex(static_cast<int>(m_hardware->outputNames().size()))
{
}

std::vector<std::string> SynthBackend::outputNames() const
{
    std::vector<std::string> names = m_hardware->outputNames();
    names.emplace_back(SoftSynth::DeviceName);
    return names;
}

unsigned SynthBackend::openInput(int index, InputCallbacks callbacks, int &handle)
{
    return m_hardware->openInput(index, std::move(callbacks), handle);
}

unsigned SynthBackend::openOutput(int index, int &handle)
{
    if (index != m_synthIndex)
        return m_hardware->openOutput(index, handle);
    m_synthOpen = true;
    handle = SynthHandle;
    return 0;
}

unsigned SynthBackend::closeOutput(int handle)
{
    if (handle != SynthHandle)
        return m_hardware->closeOutput(handle);
    m_synthOpen = false;
    // Nothing may go on sounding from a closed device.
    for (int channel = 0; channel < 16; ++channel)
        m_synth->send(midi::Pack(midi::ControlChange + channel, midi::AllNotesOff, 0));
    return 0;
}

unsigned SynthBackend::sendShort(int handle, std::uint32_t packed)
{
    if (handle != SynthHandle)
        return m_hardware->sendShort(handle, packed);
    if (m_synthOpen)
        m_synth->send(packed);
    return 0;
}

} // namespace pw
