#pragma once

#include "midi/midi_backend.h"
#include "midi/soft_synth.h"

#include <memory>

namespace pw {

// The machine's MIDI devices plus the software synthesizer as one more output, the last one.
class SynthBackend : public MidiBackend
{
public:
    SynthBackend(std::unique_ptr<MidiBackend> hardware, std::shared_ptr<SoftSynth> synth);

    std::vector<std::string> inputNames() const override { return m_hardware->inputNames(); }
    std::vector<std::string> outputNames() const override;
    unsigned openInput(int index, InputCallbacks callbacks, int &handle) override;
    unsigned startInput(int handle) override { return m_hardware->startInput(handle); }
    unsigned stopInput(int handle) override { return m_hardware->stopInput(handle); }
    unsigned closeInput(int handle) override { return m_hardware->closeInput(handle); }
    unsigned openOutput(int index, int &handle) override;
    unsigned closeOutput(int handle) override;
    unsigned sendShort(int handle, std::uint32_t packed) override;
    std::optional<std::string> errorText(unsigned code) const override { return m_hardware->errorText(code); }
    std::string problem() const override { return m_hardware->problem(); }

    SoftSynth &synth() { return *m_synth; }

private:
    // Handles of the synthesizer stay clear of the hardware's.
    static constexpr int SynthHandle = 1 << 30;

    std::unique_ptr<MidiBackend> m_hardware;
    std::shared_ptr<SoftSynth> m_synth;
    int m_synthIndex;
    bool m_synthOpen = false;
};

} // namespace pw
