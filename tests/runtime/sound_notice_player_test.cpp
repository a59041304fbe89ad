#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "platform/memory_settings.h"
#include "runtime/sound_notice_player.h"
#include "support/recording_audio.h"
#include "support/recording_tray.h"

namespace tidewell {
namespace {

using namespace std::chrono_literals;
using Ms = std::chrono::milliseconds;

const MonotonicTime kStart = MonotonicTime{} + 1000h;

TEST(PlayerTest, AToneThatFailsIsHandedOutOncePerNoticeAndTheBeepsGoOn) {
    MemorySettings settings;
    RecordingAudio audio;
    RecordingTray tray;
    SoundNoticePlayer player{audio, tray, settings};
    audio.failure = "no output device";
    Ms elapsed{0};
    for (int notice = 0; notice < 2; ++notice) {
        player.BeepNotice(kStart + elapsed, 2000, 5000, 500, 500);
        const int before = audio.tones;
        std::vector<std::string> told;
        // The window's timer calls the tick every 10 ms.
        for (const Ms end = elapsed + 6s; elapsed <= end; elapsed += 10ms)
            if (Result beeped = player.BeepTick(kStart + elapsed); !beeped) told.push_back(beeped.message());
        EXPECT_EQ(told, std::vector<std::string>{"no output device"}) << notice;
        EXPECT_EQ(audio.tones - before, 4) << "every beep is tried";
    }
}

}  // namespace
}  // namespace tidewell
