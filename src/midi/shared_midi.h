#pragma once

#include "midi/midi_backend.h"
#include "midi/midi_devices.h"

#include <memory>

namespace pw {

// The program's one MIDI input and one MIDI output, created on first use over the machine's
// service (RtMidi on ALSA plus the software synthesizer), living until the program ends.
TMidiInput &SharedMidiInput();
TMidiOutput &SharedMidiOutput();

// The service the shared devices are built over; call before their first use (tests give an
// in-memory one). Without it the machine's service is used.
void SetSharedMidiBackend(std::shared_ptr<MidiBackend> backend);
std::shared_ptr<MidiBackend> SharedMidiBackend();

// The machine's service: RtMidi on the ALSA sequencer plus a live software synthesizer.
std::shared_ptr<MidiBackend> MakeSystemMidiBackend();

} // namespace pw
