#pragma once

#include "midi/midi_backend.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pw {

// The device lists and open handles of the program's MIDI input or output, by device index.
class TMidiDevices
{
public:
    struct Device
    {
        std::string name;
        int handle = 0;
    };

    explicit TMidiDevices(std::shared_ptr<MidiBackend> backend, std::string className);
    virtual ~TMidiDevices() = default;

    virtual void Open(int index) = 0;
    virtual void Close(int index) = 0;

    // The handle of an open device, 0 when closed; RangeError for an index outside the list.
    int HandleOf(int index) const;
    // Keeps the code; a non-zero code that the service can explain raises a MidiError.
    void CheckResult(unsigned code);

    std::vector<std::string> Names() const;
    int Count() const { return static_cast<int>(Devices.size()); }
    int IndexOf(const std::string &name) const;

    std::vector<Device> Devices;
    std::uint32_t LastResult = 0;

protected:
    Device &device(int index);

    std::shared_ptr<MidiBackend> m_backend;
    std::string m_className;
};

// One system-exclusive receive buffer and the block collected so far.
struct TSysExData
{
    std::vector<std::uint8_t> Stream;
    std::array<std::uint8_t, SysExBufferSize> Buffer {};
    std::size_t BytesRecorded = 0;
};

class TMidiInput : public TMidiDevices
{
public:
    explicit TMidiInput(std::shared_ptr<MidiBackend> backend);

    void Open(int index) override;
    void Close(int index) override;

    // Both run on the MIDI service's thread.
    std::function<void(int device, int status, int data1, int data2)> OnShortMessage;
    std::function<void(int device, const std::vector<std::uint8_t> &block)> OnSysEx;

    std::vector<std::unique_ptr<TSysExData>> SysExBuffers;

private:
    void ReceiveSysEx(int index, const std::uint8_t *data, std::size_t recorded, bool complete);
};

class TMidiOutput : public TMidiDevices
{
public:
    explicit TMidiOutput(std::shared_ptr<MidiBackend> backend);

    void Open(int index) override;
    void Close(int index) override;
    // Opens the device first when it is closed.
    void Send(int index, int status, int data1, int data2);
};

// Packs a short message: status in the lowest byte.
constexpr std::uint32_t PackShortMessage(int status, int data1, int data2)
{
    return static_cast<std::uint32_t>(status & 255) + 256u * static_cast<std::uint32_t>(data1 & 255)
        + 65536u * static_cast<std::uint32_t>(data2 & 255);
}

} // namespace pw
