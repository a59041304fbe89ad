#include "platform/sdl_audio.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <sys/stat.h>

#include <cstdint>
#include <limits>

#include "base/text_util.h"
#include "platform/tone.h"
#include "text/message_table.h"
#include "text/messages.h"

namespace tidewell {

namespace {

constexpr int kToneChannel = 0;
constexpr int kWaveChannel = 1;
constexpr int kChannelCount = 2;
constexpr std::string_view kNamePlaceholder = "#1";

bool IsRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// No device to play on: the program's words, then SDL's detail (the driver and its reason).
Result NoDeviceFailure() {
    return Result::Fail(ErrorKind::unavailable, LoadMessage(IDS_ERROR_SOUND_NO_AUDIO_DEVICE, SDL_GetError()));
}

// The device is open but the mixer refused the sound.
Result PlayFailure() {
    return Result::Fail(ErrorKind::unavailable, LoadMessage(IDS_ERROR_SOUND_NOT_PLAYED, SDL_GetError()));
}

// A file that could not be loaded: missing, or not a sound the mixer reads.
Result LoadFailure(const std::string& path) {
    if (!IsRegularFile(path)) {
        return Result::Fail(ErrorKind::notFound,
                            ReplaceAll(LoadMessage(IDS_ERROR_FILE_FILE_NOT_FOUND), kNamePlaceholder, path));
    }
    return Result::Fail(ErrorKind::damaged, LoadMessage(IDS_ERROR_FILE_FORMAT_NOT_MATCH));
}

}  // namespace

struct SdlAudio::State {
    std::vector<std::string> soundFonts;
    SdlAudioFormat format;
    bool open = false;
    Mix_Chunk* tone = nullptr;
    std::vector<int16_t> toneSamples;  // owned here: the chunk only points at them
    int toneFrequency = 0;
    int toneMs = 0;
    Mix_Chunk* wave = nullptr;
    Mix_Music* midi = nullptr;
};

SdlAudio::SdlAudio(std::vector<std::string> soundFonts, SdlAudioFormat format)
    : m_state(std::make_unique<State>()) {
    m_state->soundFonts = std::move(soundFonts);
    m_state->format = format;
}

SdlAudio::~SdlAudio() {
    Close();
}

bool SdlAudio::DeviceOpen() const {
    return m_state->open;
}

std::string SdlAudio::FindSoundFont() const {
    for (const std::string& path : m_state->soundFonts) {
        if (IsRegularFile(path)) {
            return path;
        }
    }
    return {};
}

Result SdlAudio::Open() {
    State& s = *m_state;
    if (s.open) {
        return Result::Ok();
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return NoDeviceFailure();
    }
    // Without a MIDI decoder only MIDI fails, and it says so when asked.
    Mix_Init(MIX_INIT_MID);
    // No format change allowed: SDL converts to the device, tones are made for this format.
    if (Mix_OpenAudioDevice(s.format.sampleRate, AUDIO_S16SYS, s.format.channels, s.format.chunkFrames,
                            nullptr, 0) != 0) {
        Result failed = NoDeviceFailure();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return failed;
    }
    Mix_AllocateChannels(kChannelCount);
    s.open = true;
    return Result::Ok();
}

void SdlAudio::Close() {
    State& s = *m_state;
    if (!s.open) {
        return;
    }
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    StopMidi();
    StopWave();
    if (s.tone != nullptr) {
        Mix_FreeChunk(s.tone);
        s.tone = nullptr;
        s.toneSamples.clear();
        s.toneFrequency = 0;
        s.toneMs = 0;
    }
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    s.open = false;
}

Result SdlAudio::PlayTone(int frequency, int milliseconds) {
    if (Result opened = Open(); !opened) {
        return opened;
    }
    State& s = *m_state;
    if (s.tone == nullptr || s.toneFrequency != frequency || s.toneMs != milliseconds) {
        Mix_HaltChannel(kToneChannel);
        if (s.tone != nullptr) {
            Mix_FreeChunk(s.tone);
            s.tone = nullptr;
        }
        s.toneSamples = SynthesizeTone(frequency, milliseconds, s.format.sampleRate, s.format.channels);
        const std::size_t bytes = s.toneSamples.size() * sizeof(int16_t);
        if (bytes == 0 || bytes > std::numeric_limits<Uint32>::max()) {
            return Result::Ok();  // nothing to sound
        }
        s.tone =
            Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(s.toneSamples.data()), static_cast<Uint32>(bytes));
        if (s.tone == nullptr) {
            return PlayFailure();
        }
        s.toneFrequency = frequency;
        s.toneMs = milliseconds;
    }
    if (Mix_PlayChannel(kToneChannel, s.tone, 0) < 0) {
        return PlayFailure();
    }
    return Result::Ok();
}

void SdlAudio::StopTone() {
    if (m_state->open) {
        Mix_HaltChannel(kToneChannel);
    }
}

Result SdlAudio::PlayWave(const std::string& path) {
    if (Result opened = Open(); !opened) {
        return opened;
    }
    StopWave();
    State& s = *m_state;
    s.wave = Mix_LoadWAV(path.c_str());
    if (s.wave == nullptr) {
        return LoadFailure(path);
    }
    if (Mix_PlayChannel(kWaveChannel, s.wave, 0) < 0) {
        return PlayFailure();
    }
    return Result::Ok();
}

void SdlAudio::StopWave() {
    State& s = *m_state;
    if (s.wave != nullptr) {
        Mix_HaltChannel(kWaveChannel);
        Mix_FreeChunk(s.wave);
        s.wave = nullptr;
    }
}

Result SdlAudio::PlayMidi(const std::string& path) {
    const std::string soundFont = FindSoundFont();
    if (soundFont.empty()) {
        return Result::Fail(ErrorKind::unavailable,
                            ReplaceAll(LoadMessage(IDS_ERROR_INSTALL_COMPONENT_NOT_FOUND_PLS_REINSTALL),
                                       kNamePlaceholder, kInstalledSoundFont));
    }
    if (Result opened = Open(); !opened) {
        return opened;
    }
    StopMidi();
    State& s = *m_state;
    Mix_SetSoundFonts(soundFont.c_str());
    s.midi = Mix_LoadMUS(path.c_str());
    if (s.midi == nullptr) {
        return LoadFailure(path);
    }
    if (Mix_PlayMusic(s.midi, 0) != 0) {
        return PlayFailure();
    }
    return Result::Ok();
}

void SdlAudio::StopMidi() {
    State& s = *m_state;
    if (s.midi != nullptr) {
        Mix_HaltMusic();
        Mix_FreeMusic(s.midi);
        s.midi = nullptr;
    }
}

void SdlAudio::ReleaseWhenSilent() {
    if (m_state->open && Mix_Playing(-1) == 0 && Mix_PlayingMusic() == 0) {
        Close();
    }
}

}  // namespace tidewell
