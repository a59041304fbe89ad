#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace tidewell::testing {

// SDL's disk driver renders the mixed output into a file instead of a device. Made before the
// audio port opens its device. The driver waits `delayMs` after each buffer of 1024 frames
// (23 ms of sound): with 1 ms it runs up to twenty times faster than real time. The file's length
// is the clock of what was rendered.
class DiskAudioOutput {
public:
    static constexpr int kRate = 44100;
    static constexpr int kChannels = 2;
    static constexpr std::size_t kFrameBytes = kChannels * sizeof(int16_t);
    // What the driver may still hold back: a mixed buffer and the stream's own buffer. A sound
    // whose play call has returned begins between Mark() and about 0.2 s after it.
    static constexpr std::size_t kSlackBytes = 4 * 1024 * kFrameBytes;

    explicit DiskAudioOutput(int delayMs = 1);

    const std::string& Path() const { return m_path; }
    std::size_t Size() const;
    // Where a sound whose play call has returned begins at the earliest.
    std::size_t Mark() const { return Size() > kSlackBytes ? Size() - kSlackBytes : 0; }
    // Seconds rendered so far.
    double Seconds() const { return static_cast<double>(Size()) / BytesOf(1.0); }
    // Waits, polling with a bound of a minute, until the file holds `bytes`; false when it never does.
    bool WaitForBytes(std::size_t bytes) const;
    // The samples from `from` once `seconds` more than that are rendered; empty when they never are.
    std::vector<int16_t> Render(std::size_t from, double seconds) const;

    static std::size_t BytesOf(double seconds) {
        return static_cast<std::size_t>(seconds * kRate) * kFrameBytes;
    }

private:
    TempDir m_dir;
    std::string m_path;
};

}  // namespace tidewell::testing
