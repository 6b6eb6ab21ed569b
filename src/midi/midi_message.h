#pragma once

#include <cstdint>

namespace pw::midi {

// Status bytes of the channel messages, channel 1 (add the channel number 0..15 for others).
inline constexpr int NoteOff = 0x80;
inline constexpr int NoteOn = 0x90;
inline constexpr int KeyPressure = 0xA0;
inline constexpr int ControlChange = 0xB0;
inline constexpr int ProgramChange = 0xC0;
inline constexpr int ChannelPressure = 0xD0;
inline constexpr int PitchBend = 0xE0;
// The first status byte of the system messages; every status byte is at least 0x80.
inline constexpr int SystemMessage = 0xF0;
inline constexpr int ActiveSensing = 0xFE;
inline constexpr int StatusBit = 0x80;

// The controller that silences a channel.
inline constexpr int AllNotesOff = 123;
inline constexpr int MaxDataByte = 127;

inline constexpr int KindOf(int status)
{
    return status & 0xF0;
}
inline constexpr int ChannelOf(int status)
{
    return status & 0x0F;
}
// A note-on of velocity 0 is a note-off.
inline constexpr bool IsNoteOn(int status, int velocity)
{
    return KindOf(status) == NoteOn && velocity > 0;
}
// Program change and channel pressure carry one data byte, the other channel messages two.
inline constexpr int DataBytesOf(int status)
{
    return KindOf(status) == ProgramChange || KindOf(status) == ChannelPressure ? 1 : 2;
}

// A short message packed as the MIDI services take it: status, data1 << 8, data2 << 16.
inline constexpr std::uint32_t Pack(int status, int data1, int data2)
{
    return static_cast<std::uint32_t>(status) | static_cast<std::uint32_t>(data1) << 8
        | static_cast<std::uint32_t>(data2) << 16;
}
inline constexpr int StatusOf(std::uint32_t packed)
{
    return static_cast<int>(packed & 0xFF);
}
inline constexpr int Data1Of(std::uint32_t packed)
{
    return static_cast<int>((packed >> 8) & 0x7F);
}
inline constexpr int Data2Of(std::uint32_t packed)
{
    return static_cast<int>((packed >> 16) & 0x7F);
}

} // namespace pw::midi
