#include "midi/memory_backend.h"

namespace pw {

MemoryMidiBackend::MemoryMidiBackend(std::vector<std::string> inputs, std::vector<std::string> outputs)
    : m_inputs(std::move(inputs))
    , m_outputs(std::move(outputs))
{
}

unsigned MemoryMidiBackend::takeFailure(const std::string &call)
{
    const auto found = m_failures.find(call);
    if (found == m_failures.end())
        return 0;
    const unsigned code = found->second;
    m_failures.erase(found);
    return code;
}

void MemoryMidiBackend::failNext(const std::string &call, unsigned code)
{
    std::lock_guard lock(m_mutex);
    m_failures[call] = code;
}

unsigned MemoryMidiBackend::openInput(int index, InputCallbacks callbacks, int &handle)
{
    std::lock_guard lock(m_mutex);
    if (const unsigned code = takeFailure("open-input"))
        return code;
    if (index < 0 || index >= static_cast<int>(m_inputs.size()))
        return ErrorNoDevice;
    handle = m_nextHandle++;
    m_openInputs[handle] = {index, std::move(callbacks), false};
    return 0;
}

unsigned MemoryMidiBackend::startInput(int handle)
{
    std::lock_guard lock(m_mutex);
    const auto found = m_openInputs.find(handle);
    if (found == m_openInputs.end())
        return ErrorNoDevice;
    found->second.started = true;
    return 0;
}

unsigned MemoryMidiBackend::stopInput(int handle)
{
    std::lock_guard lock(m_mutex);
    const auto found = m_openInputs.find(handle);
    if (found == m_openInputs.end())
        return ErrorNoDevice;
    found->second.started = false;
    return 0;
}

unsigned MemoryMidiBackend::closeInput(int handle)
{
    std::lock_guard lock(m_mutex);
    return m_openInputs.erase(handle) == 1 ? 0 : ErrorNoDevice;
}

unsigned MemoryMidiBackend::openOutput(int index, int &handle)
{
    std::lock_guard lock(m_mutex);
    if (const unsigned code = takeFailure("open-output"))
        return code;
    if (index < 0 || index >= static_cast<int>(m_outputs.size()))
        return ErrorNoDevice;
    handle = m_nextHandle++;
    m_openOutputs[handle] = index;
    return 0;
}

unsigned MemoryMidiBackend::closeOutput(int handle)
{
    std::lock_guard lock(m_mutex);
    return m_openOutputs.erase(handle) == 1 ? 0 : ErrorNoDevice;
}

unsigned MemoryMidiBackend::sendShort(int handle, std::uint32_t packed)
{
    std::lock_guard lock(m_mutex);
    if (const unsigned code = takeFailure("send"))
        return code;
    const auto found = m_openOutputs.find(handle);
    if (found == m_openOutputs.end())
        return ErrorNoDevice;
    m_sent.push_back({found->second, packed});
    return 0;
}

std::optional<std::string> MemoryMidiBackend::errorText(unsigned code) const
{
    if (code == ErrorNoDevice)
        return "The device is not open or does not exist.";
    if (code >= 1000)
        return std::nullopt; // codes the service cannot explain
    return "MIDI error " + std::to_string(code);
}

// Call with the mutex held.
const MidiBackend::InputCallbacks *MemoryMidiBackend::startedInput(int index) const
{
    for (const auto &[handle, input] : m_openInputs) {
        if (input.index == index && input.started)
            return &input.callbacks;
    }
    return nullptr;
}

bool MemoryMidiBackend::receiveShort(int index, std::uint32_t packed)
{
    std::unique_lock lock(m_mutex);
    const InputCallbacks *callbacks = startedInput(index);
    if (!callbacks || !callbacks->onShort)
        return false;
    // Called without the lock, as a real service calls back from its own thread.
    auto onShort = callbacks->onShort;
    lock.unlock();
    onShort(packed);
    return true;
}

bool MemoryMidiBackend::receiveLongData(int index, const std::vector<std::uint8_t> &buffer, bool complete)
{
    std::unique_lock lock(m_mutex);
    const InputCallbacks *callbacks = startedInput(index);
    if (!callbacks || !callbacks->onLongData)
        return false;
    auto onLongData = callbacks->onLongData;
    lock.unlock();
    onLongData(buffer.data(), buffer.size(), complete);
    return true;
}

std::vector<MemoryMidiBackend::Sent> MemoryMidiBackend::sent() const
{
    std::lock_guard lock(m_mutex);
    return m_sent;
}

int MemoryMidiBackend::openOutputs() const
{
    std::lock_guard lock(m_mutex);
    return static_cast<int>(m_openOutputs.size());
}

} // namespace pw
