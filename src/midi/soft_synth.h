#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

struct _fluid_hashtable_t;
struct _fluid_synth_t;
struct _fluid_audio_driver_t;

namespace pw {

// A General MIDI synthesizer (FluidSynth with Debian's GM SoundFont), so that a machine without
// MIDI hardware still sounds. It plays live through the audio system when one is there, and can
// always render offline.
class SoftSynth
{
public:
    enum class Mode { Live, Offline };

    static constexpr int SampleRate = 44100;
    static constexpr const char *DeviceName = "Software synthesizer";

    explicit SoftSynth(Mode mode);
    ~SoftSynth();
    SoftSynth(const SoftSynth &) = delete;
    SoftSynth &operator=(const SoftSynth &) = delete;

    // False when no SoundFont could be loaded: messages are then ignored.
    bool ready() const { return m_soundFont >= 0; }
    // False when no live audio driver could start (no sound card, no sound server): the synth
    // stays silent but keeps working.
    bool playing() const { return m_driver != nullptr; }
    // What went wrong, empty when nothing did.
    const std::string &problem() const { return m_problem; }

    // A short message packed as status + 256 * data1 + 65536 * data2. Safe from any thread.
    void send(std::uint32_t packed);
    // The next frames of audio, interleaved stereo 16-bit.
    std::vector<std::int16_t> render(int frames);

private:
    _fluid_hashtable_t *m_settings = nullptr;
    _fluid_synth_t *m_synth = nullptr;
    _fluid_audio_driver_t *m_driver = nullptr;
    int m_soundFont = -1;
    std::string m_problem;
    std::mutex m_mutex;
};

// Writes interleaved stereo 16-bit samples as a WAV file; false when the file cannot be written.
bool WriteWav(const std::string &path, const std::vector<std::int16_t> &samples, int sampleRate);

} // namespace pw
