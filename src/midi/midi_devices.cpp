#include "midi/midi_devices.h"

#include "midi/midi_error.h"
#include "platform/error.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace pw {

TMidiDevices::TMidiDevices(std::shared_ptr<MidiBackend> backend, std::string className)
    : m_backend(std::move(backend))
    , m_className(std::move(className))
{
}

TMidiDevices::Device &TMidiDevices::device(int index)
{
    HandleOf(index);
    return Devices[static_cast<std::size_t>(index)];
}

int TMidiDevices::HandleOf(int index) const
{
    if (index < 0 || index >= Count())
        throw RangeError(m_className + ": Device index out of bounds! (" + std::to_string(index) + ")");
    return Devices[static_cast<std::size_t>(index)].handle;
}

void TMidiDevices::CheckResult(unsigned code)
{
    LastResult = code;
    if (code == 0)
        return;
    if (const auto text = m_backend->errorText(code))
        throw MidiError(*text);
}

std::vector<std::string> TMidiDevices::Names() const
{
    std::vector<std::string> names;
    for (const Device &d : Devices)
        names.push_back(d.name);
    return names;
}

int TMidiDevices::IndexOf(const std::string &name) const
{
    const auto found
        = std::find_if(Devices.begin(), Devices.end(), [&](const Device &d) { return d.name == name; });
    return found == Devices.end() ? -1 : static_cast<int>(found - Devices.begin());
}

TMidiInput::TMidiInput(std::shared_ptr<MidiBackend> backend)
    : TMidiDevices(std::move(backend), "TMidiInput")
{
    for (const std::string &name : m_backend->inputNames()) {
        Devices.push_back({name, 0});
        SysExBuffers.push_back(std::make_unique<TSysExData>());
    }
}

void TMidiInput::Open(int index)
{
    Device &d = device(index);
    if (d.handle != 0)
        return;
    MidiBackend::InputCallbacks callbacks;
    callbacks.onShort = [this, index](std::uint32_t p) {
        if (OnShortMessage)
            OnShortMessage(index, static_cast<int>(p & 255), static_cast<int>((p >> 8) & 255),
                           static_cast<int>((p >> 16) & 255));
    };
    callbacks.onLongData = [this, index](const std::uint8_t *data, std::size_t recorded, bool complete) {
        ReceiveSysEx(index, data, recorded, complete);
    };
    int handle = 0;
    // A failure the service cannot explain raises nothing, but the device did not open.
    CheckResult(m_backend->openInput(index, std::move(callbacks), handle));
    if (LastResult != 0)
        return;
    d.handle = handle;
    SysExBuffers[static_cast<std::size_t>(index)]->BytesRecorded = 0;
    CheckResult(m_backend->startInput(handle));
}

void TMidiInput::Close(int index)
{
    Device &d = device(index);
    if (d.handle == 0)
        return;
    CheckResult(m_backend->stopInput(d.handle));
    CheckResult(m_backend->closeInput(d.handle));
    d.handle = 0;
}

void TMidiInput::ReceiveSysEx(int index, const std::uint8_t *data, std::size_t recorded, bool complete)
{
    TSysExData &sysEx = *SysExBuffers[static_cast<std::size_t>(index)];
    recorded = std::min(recorded, sysEx.Buffer.size());
    if (recorded == 0)
        return;
    std::memcpy(sysEx.Buffer.data(), data, recorded);
    sysEx.BytesRecorded = recorded;
    sysEx.Stream.insert(sysEx.Stream.end(), sysEx.Buffer.begin(), sysEx.Buffer.begin() + recorded);
    if (complete) {
        if (OnSysEx)
            OnSysEx(index, sysEx.Stream);
        sysEx.Stream.clear();
    }
    sysEx.BytesRecorded = 0;
}

TMidiOutput::TMidiOutput(std::shared_ptr<MidiBackend> backend)
    : TMidiDevices(std::move(backend), "TMidiOutput")
{
    for (const std::string &name : m_backend->outputNames())
        Devices.push_back({name, 0});
}

void TMidiOutput::Open(int index)
{
    Device &d = device(index);
    if (d.handle != 0)
        return;
    int handle = 0;
    CheckResult(m_backend->openOutput(index, handle));
    if (LastResult == 0)
        d.handle = handle;
}

void TMidiOutput::Close(int index)
{
    Device &d = device(index);
    const int handle = std::exchange(d.handle, 0);
    if (handle != 0)
        CheckResult(m_backend->closeOutput(handle));
}

void TMidiOutput::Send(int index, int status, int data1, int data2)
{
    if (HandleOf(index) == 0)
        Open(index);
    if (HandleOf(index) == 0)
        return;
    CheckResult(m_backend->sendShort(HandleOf(index), PackShortMessage(status, data1, data2)));
}

} // namespace pw
