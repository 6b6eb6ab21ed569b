#pragma once

#include "midi/midi_devices.h"

#include <string>
#include <vector>

namespace pw {

// Opens every device whose name is among the selected names and returns one flag per device
// (true = selected). A device that fails to open raises its error and the rest are not opened.
std::vector<bool> OpenSelectedDevices(TMidiDevices &devices, const std::vector<std::string> &selectedNames);

// Closes every output whose name is selected; returns the refreshed flags.
std::vector<bool> CloseSelectedOutputs(TMidiOutput &outputs, const std::vector<std::string> &selectedNames);

// Sends the message to every selected output, from the highest device index down to 0.
void EchoToOutputs(TMidiOutput &outputs, const std::vector<bool> &selected, int status, int data1, int data2);

} // namespace pw
