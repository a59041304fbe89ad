#pragma once

#include <string>

#include "base/result.h"

namespace tidewell {

// The sound output of the notices: a tone, wave files and MIDI files, mixed into one output.
// Every call returns at once; nothing waits for a sound to end. Tests replace it with a
// recording port.
class AudioPort {
public:
    virtual ~AudioPort() = default;

    // Sounds one tone of `frequency` Hz for `milliseconds`. A tone still sounding is replaced.
    virtual Result PlayTone(int frequency, int milliseconds) = 0;
    virtual void StopTone() = 0;

    // Plays a wave file once, to its end. A wave still playing is stopped first.
    virtual Result PlayWave(const std::string& path) = 0;
    virtual void StopWave() = 0;

    // Plays a MIDI file once from its start. A MIDI file still playing is closed first.
    virtual Result PlayMidi(const std::string& path) = 0;
    virtual void StopMidi() = 0;

    // Lets the output device go when nothing sounds; the next sound takes it again.
    virtual void ReleaseWhenSilent() = 0;
};

}  // namespace tidewell
