#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace pw {

// The MIDI service of the machine, reduced to what the device layer needs. Calls return a result
// code, 0 for success; errorText explains a non-zero code. Handles are positive, 0 is "closed".
class MidiBackend
{
public:
    // Called on the service's own thread: a short message packed as status + 256 * data1 +
    // 65536 * data2, or one buffer of a system-exclusive block (complete on the block's last one).
    struct InputCallbacks
    {
        std::function<void(std::uint32_t packed)> onShort;
        std::function<void(const std::uint8_t *data, std::size_t recorded, bool complete)> onLongData;
    };

    virtual ~MidiBackend() = default;

    virtual std::vector<std::string> inputNames() const = 0;
    virtual std::vector<std::string> outputNames() const = 0;

    virtual unsigned openInput(int index, InputCallbacks callbacks, int &handle) = 0;
    virtual unsigned startInput(int handle) = 0;
    virtual unsigned stopInput(int handle) = 0;
    virtual unsigned closeInput(int handle) = 0;

    virtual unsigned openOutput(int index, int &handle) = 0;
    virtual unsigned closeOutput(int handle) = 0;
    virtual unsigned sendShort(int handle, std::uint32_t packed) = 0;

    virtual std::optional<std::string> errorText(unsigned code) const = 0;

    // Why the service has no devices (no ALSA sequencer, ...), empty when it works.
    virtual std::string problem() const { return {}; }
};

// Size of one system-exclusive receive buffer; longer blocks arrive in several.
inline constexpr std::size_t SysExBufferSize = 2048;

} // namespace pw
