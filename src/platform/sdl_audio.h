#pragma once

#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio_port.h"

namespace tidewell {

// General MIDI sound fonts of the Debian packages, in the order they are tried: the system's
// chosen default, then the packages' own files.
inline constexpr const char* kSoundFontPaths[] = {
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
};
// The one the program's installation brings; named when none is found.
inline constexpr const char* kInstalledSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

struct SdlAudioFormat {
    int sampleRate = 44100;
    int channels = 2;
    int chunkFrames = 1024;  // frames mixed at a time: the output's latency
};

// The audio port over SDL2_mixer: tones as generated chunks, wave files as chunks, MIDI files as
// music rendered by FluidSynth with a General MIDI sound font. Everything is mixed into one
// output of signed 16-bit samples. The output device is taken at the first sound and let go by
// ReleaseWhenSilent, so that an idle program holds no device. SDL's driver is chosen as SDL
// chooses it (SDL_AUDIODRIVER). One instance per process: SDL_mixer's state is global.
class SdlAudio final : public AudioPort {
public:
    explicit SdlAudio(std::vector<std::string> soundFonts = {std::begin(kSoundFontPaths),
                                                             std::end(kSoundFontPaths)},
                      SdlAudioFormat format = {});
    ~SdlAudio() override;
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    Result PlayTone(int frequency, int milliseconds) override;
    void StopTone() override;
    Result PlayWave(const std::string& path) override;
    void StopWave() override;
    Result PlayMidi(const std::string& path) override;
    void StopMidi() override;
    void ReleaseWhenSilent() override;

    // Whether the output device is held now.
    bool DeviceOpen() const;
    // The first sound font of the list that is there; empty when none is.
    std::string FindSoundFont() const;

private:
    struct State;
    Result Open();
    void Close();

    std::unique_ptr<State> m_state;
};

}  // namespace tidewell
