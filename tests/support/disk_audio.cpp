#include "support/disk_audio.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <chrono>
#include <thread>

#include "support/audio_analysis.h"

namespace tidewell::testing {

DiskAudioOutput::DiskAudioOutput(int delayMs) : m_path(m_dir.File("output.raw")) {
    ::setenv("SDL_AUDIODRIVER", "disk", 1);
    ::setenv("SDL_DISKAUDIOFILE", m_path.c_str(), 1);
    ::setenv("SDL_DISKAUDIODELAY", std::to_string(delayMs).c_str(), 1);
}

std::size_t DiskAudioOutput::Size() const {
    struct stat info {};
    return ::stat(m_path.c_str(), &info) == 0 ? static_cast<std::size_t>(info.st_size) : 0;
}

bool DiskAudioOutput::WaitForBytes(std::size_t bytes) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (Size() < bytes) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

std::vector<int16_t> DiskAudioOutput::Render(std::size_t from, double seconds) const {
    const std::size_t to = from + BytesOf(seconds) + kSlackBytes;
    if (!WaitForBytes(to)) {
        return {};
    }
    return ReadRawSamples(m_path, from, to);
}

}  // namespace tidewell::testing
