#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <cstring>

#include "app/program/display_probe.h"
#include "app/program/single_instance.h"
#include "overview/task_texts.h"
#include "support/temp_dir.h"
#include "text/list_texts.h"
#include "text/messages.h"

namespace tidewell {
namespace {

// A listening socket standing in for a Wayland compositor.
class ListeningSocket {
public:
    explicit ListeningSocket(const std::string& path) : m_fd(socket(AF_UNIX, SOCK_STREAM, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        bind(m_fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        listen(m_fd, 1);
    }
    ~ListeningSocket() { close(m_fd); }

private:
    int m_fd;
};

TEST(SingleInstanceTest, SecondHolderIsToldAndStaleSocketsAreReplaced) {
    testing::TempDir runtime;
    const std::string path = InstancePath(runtime.Path(), 1000);
    EXPECT_EQ(path, runtime.File("Verimont_Tidewell-1000"));
    testing::WriteFileText(path, "left by a crash");
    SingleInstance first(path);
    EXPECT_EQ(first.Acquire(), SingleInstance::Outcome::first);
    SingleInstance second(path);
    EXPECT_EQ(second.Acquire(), SingleInstance::Outcome::other);
    EXPECT_FALSE(SingleInstance::Send(runtime.File("nobody"), "show"));
}

TEST(TaskTextsTest, ColumnsOfATask) {
    TaskRecord task;
    task.scheduleInfo.type = ScheduleType::daily;
    task.scheduleInfo.daily = {DateTime::FromParts(1899, 12, 30, 10, 30, 0)};
    EXPECT_EQ(TaskDescriptionText(task, {}, DateTime::FromParts(2026, 3, 5, 8, 0, 0)),
              "Run every day on the following time(s):\r\n10:30:00");

    EXPECT_EQ(LastRunText(task), LoadMessage(IDS_KLN_NEVER));
    task.scheduleInfo.haveLastRunTime = true;
    task.scheduleInfo.lastRunTime = DateTime::FromParts(2026, 3, 5, 7, 30, 0);
    EXPECT_EQ(LastRunText(task), "3-5-2026 07:30:00");

    task.scheduleInfo.type = ScheduleType::countDown;
    task.scheduleInfo.countDownRunning = false;
    task.enabled = false;
    EXPECT_EQ(TaskStatusText(task), LoadMessage(IDS_KLN_DISABLED) + " " + LoadMessage(IDS_KLN_PAUSED));
}

}  // namespace
}  // namespace tidewell
