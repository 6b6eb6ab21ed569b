#include "midi/device_selection.h"

#include <algorithm>

namespace pw {

namespace {
std::vector<bool> selectionFlags(const TMidiDevices &devices, const std::vector<std::string> &names)
{
    std::vector<bool> flags;
    for (const auto &device : devices.Devices)
        flags.push_back(std::find(names.begin(), names.end(), device.name) != names.end());
    return flags;
}
} // namespace

std::vector<bool> OpenSelectedDevices(TMidiDevices &devices, const std::vector<std::string> &selectedNames)
{
    const std::vector<bool> flags = selectionFlags(devices, selectedNames);
    for (int i = 0; i < devices.Count(); ++i) {
        if (flags[static_cast<std::size_t>(i)])
            devices.Open(i);
    }
    return flags;
}

std::vector<bool> CloseSelectedOutputs(TMidiOutput &outputs, const std::vector<std::string> &selectedNames)
{
    const std::vector<bool> flags = selectionFlags(outputs, selectedNames);
    for (int i = 0; i < outputs.Count(); ++i) {
        if (flags[static_cast<std::size_t>(i)])
            outputs.Close(i);
    }
    return flags;
}

void EchoToOutputs(TMidiOutput &outputs, const std::vector<bool> &selected, int status, int data1, int data2)
{
    for (int i = std::min(static_cast<int>(selected.size()), outputs.Count()) - 1; i >= 0; --i) {
        if (selected[static_cast<std::size_t>(i)])
            outputs.Send(i, status, data1, data2);
    }
}

} // namespace pw
