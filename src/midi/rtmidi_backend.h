#pragma once

#include "midi/midi_backend.h"

#include <map>
#include <memory>
#include <mutex>

class RtMidiIn;
class RtMidiOut;

namespace pw {

// The ALSA sequencer through RtMidi. Without a sequencer (no sound hardware) it has no devices
// and says why in problem(); it never throws.
class RtMidiBackend : public MidiBackend
{
public:
    RtMidiBackend();
    ~RtMidiBackend() override;

    std::vector<std::string> inputNames() const override { return m_inputs; }
    std::vector<std::string> outputNames() const override { return m_outputs; }
    unsigned openInput(int index, InputCallbacks callbacks, int &handle) override;
    unsigned startInput(int handle) override;
    unsigned stopInput(int handle) override;
    unsigned closeInput(int handle) override;
    unsigned openOutput(int index, int &handle) override;
    unsigned closeOutput(int handle) override;
    unsigned sendShort(int handle, std::uint32_t packed) override;
    std::optional<std::string> errorText(unsigned code) const override;
    std::string problem() const override { return m_problem; }

private:
    struct Input;
    unsigned failure(const std::string &text);

    std::vector<std::string> m_inputs;
    std::vector<std::string> m_outputs;
    std::string m_problem;
    int m_nextHandle = 1;
    std::map<int, std::unique_ptr<Input>> m_openInputs;
    std::map<int, std::unique_ptr<RtMidiOut>> m_openOutputs;
    mutable std::mutex m_errorsMutex;
    std::vector<std::string> m_errors;
};

} // namespace pw
