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
        std::string path;   // of a wave or MIDI file
        int frequency = 0;  // of a tone
        int milliseconds = 0;
    };

    Result PlayTone(int frequency, int milliseconds) override {
        return Record({Call::playTone, {}, frequency, milliseconds});
    }
    void StopTone() override { static_cast<void>(Record({Call::stopTone, {}, 0, 0})); }
    Result PlayWave(const std::string& path) override { return Record({Call::playWave, path, 0, 0}); }
    void StopWave() override { static_cast<void>(Record({Call::stopWave, {}, 0, 0})); }
    Result PlayMidi(const std::string& path) override { return Record({Call::playMidi, path, 0, 0}); }
    void StopMidi() override { static_cast<void>(Record({Call::stopMidi, {}, 0, 0})); }
    void ReleaseWhenSilent() override { static_cast<void>(Record({Call::release, {}, 0, 0})); }

    std::size_t Count(Call call) const {
        std::size_t n = 0;
        for (const Entry& entry : calls) n += entry.call == call ? 1 : 0;
        return n;
    }
    // Plays fail with this result from now on.
    void FailPlays(ErrorKind kind, std::string message) {
        m_failKind = kind;
        m_failMessage = std::move(message);
    }

    std::vector<Entry> calls;

private:
    Result Record(Entry entry) {
        const bool isPlay =
            entry.call == Call::playTone || entry.call == Call::playWave || entry.call == Call::playMidi;
        calls.push_back(std::move(entry));
        if (isPlay && m_failKind != ErrorKind::none) {
            return Result::Fail(m_failKind, m_failMessage);
        }
        return Result::Ok();
    }

    ErrorKind m_failKind = ErrorKind::none;
    std::string m_failMessage;
};

}  // namespace tidewell
