#pragma once

#include "midi/midi_backend.h"

#include <map>
#include <mutex>

namespace pw {

// A MIDI service in memory, for tests: named devices, messages injected as if they arrived (from
// any thread), and every short message sent recorded with its output device.
class MemoryMidiBackend : public MidiBackend
{
public:
    MemoryMidiBackend(std::vector<std::string> inputs, std::vector<std::string> outputs);

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

    // Delivers a message on input device index, when it is open and started; false otherwise.
    bool receiveShort(int index, std::uint32_t packed);
    bool receiveLongData(int index, const std::vector<std::uint8_t> &buffer, bool complete);

    struct Sent
    {
        int device;
        std::uint32_t packed;
    };
    std::vector<Sent> sent() const;
    int openOutputs() const;
    // The next call of the named kind fails with this code ("open-input", "open-output", "send").
    void failNext(const std::string &call, unsigned code);

    static constexpr unsigned ErrorNoDevice = 2;

private:
    struct OpenInput
    {
        int index;
        InputCallbacks callbacks;
        bool started = false;
    };
    unsigned takeFailure(const std::string &call);
    const InputCallbacks *startedInput(int index) const;

    std::vector<std::string> m_inputs;
    std::vector<std::string> m_outputs;
    mutable std::mutex m_mutex;
    int m_nextHandle = 1;
    std::map<int, OpenInput> m_openInputs;
    std::map<int, int> m_openOutputs; // handle -> device index
    std::vector<Sent> m_sent;
    std::map<std::string, unsigned> m_failures;
};

} // namespace pw
