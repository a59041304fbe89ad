#pragma once

#include <string>

#include "platform/audio_port.h"

namespace tidewell {

// An audio port for tests: plays nothing and counts the tones asked for.
class RecordingAudio : public AudioPort {
public:
    Result PlayTone(int, int) override {
        ++tones;
        return Played();
    }
    Result PlayWave(const std::string&) override { return Played(); }
    Result PlayMidi(const std::string&) override { return Played(); }
    void StopTone() override {}
    void StopWave() override {}
    void StopMidi() override {}
    void ReleaseWhenSilent() override {}

    int tones = 0;
    std::string failure;  // when set, every play fails with this message

private:
    Result Played() const {
        return failure.empty() ? Result::Ok() : Result::Fail(ErrorKind::unavailable, failure);
    }
};

}  // namespace tidewell
