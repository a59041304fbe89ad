#pragma once

#include <string>
#include <vector>

#include "platform/audio_port.h"

namespace tidewell {

// An audio port for tests: records every call in order, plays nothing.
class RecordingAudio : public AudioPort {
public:
    enum class Call { playTone, stopTone, playWave, stopWave, playMidi, stopMidi, release };
    struct Entry {
        Call call;
        std::string path;  // of a wave or MIDI file
        int frequency;     // of a tone
        int milliseconds;
    };

    Result PlayTone(int frequency, int milliseconds) override {
        return Play({Call::playTone, {}, frequency, milliseconds});
    }
    Result PlayWave(const std::string& path) override { return Play({Call::playWave, path, 0, 0}); }
    Result PlayMidi(const std::string& path) override { return Play({Call::playMidi, path, 0, 0}); }
    void StopTone() override { calls.push_back({Call::stopTone, {}, 0, 0}); }
    void StopWave() override { calls.push_back({Call::stopWave, {}, 0, 0}); }
    void StopMidi() override { calls.push_back({Call::stopMidi, {}, 0, 0}); }
    void ReleaseWhenSilent() override { calls.push_back({Call::release, {}, 0, 0}); }

    std::size_t Count(Call call) const {
        std::size_t n = 0;
        for (const Entry& entry : calls) n += entry.call == call ? 1 : 0;
        return n;
    }

    std::vector<Entry> calls;
    std::string failure;  // when set, every play fails with this message

private:
    Result Play(Entry entry) {
        calls.push_back(std::move(entry));
        return failure.empty() ? Result::Ok() : Result::Fail(ErrorKind::unavailable, failure);
    }
};

}  // namespace tidewell
