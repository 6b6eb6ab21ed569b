#include "midi/rtmidi_backend.h"

#include "midi/midi_message.h"

#include <rtmidi/RtMidi.h>

#include <algorithm>
#include <atomic>
#include <filesystem>

namespace pw {

namespace {
constexpr const char *ClientName = "Partwriter";
constexpr const char *SequencerDevice = "/dev/snd/seq";
} // namespace

// One opened input port: RtMidi opens one port per object and calls back on its own thread.
struct RtMidiBackend::Input
{
    std::unique_ptr<RtMidiIn> port;
    InputCallbacks callbacks;
    std::atomic<bool> started {false};

    static void received(double, std::vector<unsigned char> *message, void *self)
    {
        auto *input = static_cast<Input *>(self);
        if (!input->started || !message || message->empty())
            return;
        const std::vector<unsigned char> &m = *message;
        if (m[0] == 0xF0) {
            // The block is handed on in receive-buffer sized pieces, the last one completing it.
            for (std::size_t at = 0; at < m.size(); at += SysExBufferSize) {
                const std::size_t size = std::min(SysExBufferSize, m.size() - at);
                if (input->callbacks.onLongData)
                    input->callbacks.onLongData(m.data() + at, size, at + size == m.size());
            }
            return;
        }
        std::uint32_t packed = 0;
        for (std::size_t i = 0; i < m.size() && i < 3; ++i)
            packed |= static_cast<std::uint32_t>(m[i]) << (8 * i);
        if (input->callbacks.onShort)
            input->callbacks.onShort(packed);
    }
};

RtMidiBackend::RtMidiBackend()
{
    // Without a sequencer device RtMidi would print its failure before throwing it; the program
    // reports the missing hardware once, in its own words.
    std::error_code ec;
    if (!std::filesystem::exists(SequencerDevice, ec)) {
        m_problem
            = std::string("No ALSA sequencer (") + SequencerDevice + "): MIDI hardware is not available";
        return;
    }
    // The JACK API constructs without a server but crashes on openPort: ask for ALSA only.
    try {
        RtMidiIn in(RtMidi::LINUX_ALSA, ClientName);
        for (unsigned i = 0; i < in.getPortCount(); ++i)
            m_inputs.push_back(in.getPortName(i));
        RtMidiOut out(RtMidi::LINUX_ALSA, ClientName);
        for (unsigned i = 0; i < out.getPortCount(); ++i)
            m_outputs.push_back(out.getPortName(i));
    } catch (const RtMidiError &e) {
        m_inputs.clear();
        m_outputs.clear();
        m_problem = e.getMessage();
    }
}

RtMidiBackend::~RtMidiBackend() = default;

unsigned RtMidiBackend::failure(const std::string &text)
{
    std::lock_guard lock(m_errorsMutex);
    m_errors.push_back(text);
    return static_cast<unsigned>(m_errors.size());
}

std::optional<std::string> RtMidiBackend::errorText(unsigned code) const
{
    std::lock_guard lock(m_errorsMutex);
    if (code == 0 || code > m_errors.size())
        return std::nullopt;
    return m_errors[code - 1];
}

unsigned RtMidiBackend::openInput(int index, InputCallbacks callbacks, int &handle)
{
    if (index < 0 || index >= static_cast<int>(m_inputs.size()))
        return failure("No MIDI input device " + std::to_string(index));
    try {
        auto input = std::make_unique<Input>();
        input->port = std::make_unique<RtMidiIn>(RtMidi::LINUX_ALSA, ClientName);
        input->callbacks = std::move(callbacks);
        input->port->ignoreTypes(false, false, false);
        input->port->setCallback(&Input::received, input.get());
        input->port->openPort(static_cast<unsigned>(index), ClientName);
        handle = m_nextHandle++;
        m_openInputs[handle] = std::move(input);
        return 0;
    } catch (const RtMidiError &e) {
        return failure(e.getMessage());
    }
}

unsigned RtMidiBackend::startInput(int handle)
{
    const auto found = m_openInputs.find(handle);
    if (found == m_openInputs.end())
        return failure("The MIDI input is not open");
    found->second->started = true;
    return 0;
}

unsigned RtMidiBackend::stopInput(int handle)
{
    const auto found = m_openInputs.find(handle);
    if (found == m_openInputs.end())
        return failure("The MIDI input is not open");
    found->second->started = false;
    return 0;
}

unsigned RtMidiBackend::closeInput(int handle)
{
    const auto found = m_openInputs.find(handle);
    if (found == m_openInputs.end())
        return failure("The MIDI input is not open");
    try {
        found->second->port->cancelCallback();
        found->second->port->closePort();
    } catch (const RtMidiError &e) {
        m_openInputs.erase(found);
        return failure(e.getMessage());
    }
    m_openInputs.erase(found);
    return 0;
}

unsigned RtMidiBackend::openOutput(int index, int &handle)
{
    if (index < 0 || index >= static_cast<int>(m_outputs.size()))
        return failure("No MIDI output device " + std::to_string(index));
    try {
        auto port = std::make_unique<RtMidiOut>(RtMidi::LINUX_ALSA, ClientName);
        port->openPort(static_cast<unsigned>(index), ClientName);
        handle = m_nextHandle++;
        m_openOutputs[handle] = std::move(port);
        return 0;
    } catch (const RtMidiError &e) {
        return failure(e.getMessage());
    }
}

unsigned RtMidiBackend::closeOutput(int handle)
{
    return m_openOutputs.erase(handle) == 1 ? 0 : failure("The MIDI output is not open");
}

unsigned RtMidiBackend::sendShort(int handle, std::uint32_t packed)
{
    const auto found = m_openOutputs.find(handle);
    if (found == m_openOutputs.end())
        return failure("The MIDI output is not open");
    const int status = midi::StatusOf(packed);
    std::vector<unsigned char> message {static_cast<unsigned char>(status),
                                        static_cast<unsigned char>((packed >> 8) & 255)};
    if (midi::DataBytesOf(status) == 2)
        message.push_back(static_cast<unsigned char>((packed >> 16) & 255));
    try {
        found->second->sendMessage(&message);
        return 0;
    } catch (const RtMidiError &e) {
        return failure(e.getMessage());
    }
}

} // namespace pw
