#include "midi/soft_synth.h"

#include "midi/midi_message.h"

#include "platform/error.h"
#include "platform/file_paths.h"

#include <alsa/asoundlib.h>
#include <fluidsynth.h>

#include <array>
#include <filesystem>

namespace pw {

namespace {

constexpr std::array SoundFonts
    = {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/default-GM.sf2",
       "/usr/share/sounds/sf2/FluidR3_GM.sf2"};

// FluidSynth's default gain is very quiet (about -32 dBFS peak for one chord).
constexpr double Gain = 0.8;

// FluidSynth reports to stderr by default; the program says once, in its own words, what failed.
void quietLog(int, const char *, void *) { }

// ALSA's own library prints its configuration errors on a machine without a sound card.
void quietAlsa(const char *, int, const char *, int, const char *, ...) { }

void silenceFluidLog()
{
    static const bool once = [] {
        snd_lib_error_set_handler(quietAlsa);
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, quietLog, nullptr);
        return true;
    }();
    (void)once;
}

void putLittleEndian(std::string &out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 255);
}

} // namespace

SoftSynth::SoftSynth(Mode mode)
{
    silenceFluidLog();
    m_settings = new_fluid_settings();
    fluid_settings_setnum(m_settings, "synth.gain", Gain);
    fluid_settings_setnum(m_settings, "synth.sample-rate", SampleRate);
    m_synth = new_fluid_synth(m_settings);
    for (const char *path : SoundFonts) {
        if (std::filesystem::exists(path)) {
            m_soundFont = fluid_synth_sfload(m_synth, path, 1);
            if (m_soundFont >= 0)
                break;
        }
    }
    if (m_soundFont < 0) {
        m_problem = "No General MIDI SoundFont found (package timgm6mb-soundfont)";
        return;
    }
    if (mode == Mode::Live) {
        m_driver = new_fluid_audio_driver(m_settings, m_synth);
        if (!m_driver)
            m_problem = "The software synthesizer found no audio output";
    }
}

SoftSynth::~SoftSynth()
{
    if (m_driver)
        delete_fluid_audio_driver(m_driver);
    if (m_synth)
        delete_fluid_synth(m_synth);
    if (m_settings)
        delete_fluid_settings(m_settings);
}

void SoftSynth::send(std::uint32_t packed)
{
    if (!ready())
        return;
    const int status = midi::StatusOf(packed);
    const int channel = midi::ChannelOf(status);
    const int data1 = midi::Data1Of(packed);
    const int data2 = midi::Data2Of(packed);
    std::lock_guard lock(m_mutex);
    switch (midi::KindOf(status)) {
    case midi::NoteOff:
        fluid_synth_noteoff(m_synth, channel, data1);
        break;
    case midi::NoteOn:
        if (data2 == 0)
            fluid_synth_noteoff(m_synth, channel, data1);
        else
            fluid_synth_noteon(m_synth, channel, data1, data2);
        break;
    case midi::KeyPressure:
        fluid_synth_key_pressure(m_synth, channel, data1, data2);
        break;
    case midi::ControlChange:
        fluid_synth_cc(m_synth, channel, data1, data2);
        break;
    case midi::ProgramChange:
        fluid_synth_program_change(m_synth, channel, data1);
        break;
    case midi::ChannelPressure:
        fluid_synth_channel_pressure(m_synth, channel, data1);
        break;
    case midi::PitchBend:
        fluid_synth_pitch_bend(m_synth, channel, data1 + 128 * data2);
        break;
    default:
        break; // system messages mean nothing to a synthesizer
    }
}

std::vector<std::int16_t> SoftSynth::render(int frames)
{
    std::vector<std::int16_t> samples(static_cast<std::size_t>(frames) * 2);
    if (frames <= 0)
        return samples;
    std::lock_guard lock(m_mutex);
    fluid_synth_write_s16(m_synth, frames, samples.data(), 0, 2, samples.data(), 1, 2);
    return samples;
}

bool WriteWav(const std::string &path, const std::vector<std::int16_t> &samples, int sampleRate)
{
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::string out = "RIFF";
    putLittleEndian(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    putLittleEndian(out, 16, 4);
    putLittleEndian(out, 1, 2); // PCM
    putLittleEndian(out, 2, 2); // stereo
    putLittleEndian(out, static_cast<std::uint32_t>(sampleRate), 4);
    putLittleEndian(out, static_cast<std::uint32_t>(sampleRate) * 4, 4);
    putLittleEndian(out, 4, 2);
    putLittleEndian(out, 16, 2);
    out += "data";
    putLittleEndian(out, dataBytes, 4);
    for (std::int16_t s : samples)
        putLittleEndian(out, static_cast<std::uint16_t>(s), 2);
    try {
        WriteFileAtomically(path, out);
        return true;
    } catch (const Error &) {
        return false;
    }
}

} // namespace pw
