#include "platform/linux_launcher.h"

#include <errno.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "platform/detached_spawn.h"
#include "support/temp_dir.h"

namespace tidewell {
namespace {

namespace fs = std::filesystem;

const std::string kEchoArgs = TIDEWELL_ECHO_ARGS;

// Starts programs that report through a FIFO, so a test waits for the report, not for time.
class LinuxLauncherTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_fifo = m_temp.File("report");
        ASSERT_EQ(mkfifo(m_fifo.c_str(), 0600), 0);
        OpenReader();
        ASSERT_GE(m_reader, 0);
        setenv("TIDEWELL_ECHO_ARGS_TO", m_fifo.c_str(), 1);
    }
    void TearDown() override { close(m_reader); }

    // A FIFO whose writer has gone keeps reporting the hang-up: each report gets a fresh reader.
    void OpenReader() { m_reader = open(m_fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC); }

    // What the started helper wrote: its working folder, then its argv.
    std::vector<std::string> Report() {
        std::string bytes;
        char buffer[4096];
        ssize_t n = 0;
        pollfd ready{m_reader, POLLIN, 0};
        // The time-out only bounds a broken launcher.
        while (poll(&ready, 1, 30000) > 0 &&
               ((n = read(m_reader, buffer, sizeof buffer)) > 0 || (n < 0 && errno == EAGAIN))) {
            if (n > 0) bytes.append(buffer, static_cast<size_t>(n));
        }
        close(m_reader);
        OpenReader();
        std::vector<std::string> parts;
        std::istringstream in(bytes);
        for (std::string part; std::getline(in, part, '\0');) parts.push_back(part);
        return parts;
    }

    // Once the started programs have ended: none may stay behind as our zombie.
    static bool HasChildren() {
        WaitForStartedChildren();
        int status = 0;
        return !(waitpid(-1, &status, WNOHANG) < 0 && errno == ECHILD);
    }

    testing::TempDir m_temp;
    std::string m_fifo;
    int m_reader = -1;
};

TEST_F(LinuxLauncherTest, StartsTheProgramWithItsArgumentsInItsFolder) {
    const std::string temp = fs::canonical(m_temp.Path()).string();
    const std::string home = fs::canonical(fs::path(kEchoArgs).parent_path()).string();
    struct Row {
        std::string program, parameters, folder;
        std::vector<std::string> report;  // working folder, then argv
    };
    const std::vector<Row> rows = {
        {kEchoArgs,
         "one 'two  three' \"$HOME\" `id` * ~",
         temp,
         {temp, kEchoArgs, "one", "two  three", "$HOME", "`id`", "*", "~"}},
        {kEchoArgs, "", "", {home, kEchoArgs}},
        // A relative path counts from our folder, not from the one the program runs in.
        {"./" + fs::path(kEchoArgs).filename().string(),
         "x",
         temp,
         {temp, "./" + fs::path(kEchoArgs).filename().string(), "x"}},
    };
    const fs::path ours = fs::current_path();
    fs::current_path(home);
    for (const Row& row : rows) {
        EXPECT_TRUE(LinuxLauncher().Start(row.program, row.parameters, row.folder).ok()) << row.program;
        EXPECT_EQ(Report(), row.report);
    }
    fs::current_path(ours);
    EXPECT_FALSE(HasChildren()) << "a started program must not stay behind as a zombie";
}

TEST_F(LinuxLauncherTest, OpenHandsTheTargetToTheOpenerAsOneArgument) {
    struct Row {
        std::string target;
        std::string argument;
    };
    for (const Row& row : {Row{"https://example.org/a b?x=$y", "https://example.org/a b?x=$y"},
                           Row{"-name with dash.txt", "./-name with dash.txt"}}) {
        ASSERT_TRUE(LinuxLauncher(kEchoArgs).Open(row.target).ok());
        const std::vector<std::string> report = Report();
        ASSERT_EQ(report.size(), 3u) << row.target;
        EXPECT_EQ(report[2], row.argument);
    }
    EXPECT_FALSE(HasChildren());
}

TEST_F(LinuxLauncherTest, FailuresCarryTheirKindAndTheSystemText) {
    const std::string plain = m_temp.File("plain.txt");
    testing::WriteFileText(plain, "text");
    const std::string garbage = m_temp.File("garbage");
    testing::WriteFileText(garbage, "\x01\x02 not a program");
    ASSERT_EQ(chmod(garbage.c_str(), 0700), 0);
    struct Row {
        const char* note;
        std::string program;
        std::string folder;
        ErrorKind kind;
        int error;
    };
    const std::vector<Row> rows = {
        {"missing program", m_temp.File("missing"), "", ErrorKind::notFound, ENOENT},
        {"empty program", "", "", ErrorKind::notFound, ENOENT},
        {"missing folder", kEchoArgs, m_temp.File("gone"), ErrorKind::notFound, ENOENT},
        {"not executable", plain, "", ErrorKind::refused, EACCES},
        {"not a program format", garbage, "", ErrorKind::io, ENOEXEC},
    };
    LinuxLauncher launcher;
    for (const Row& row : rows) {
        const Result result = launcher.Start(row.program, "a b", row.folder);
        EXPECT_EQ(result.kind(), row.kind) << row.note;
        EXPECT_EQ(result.message(), strerror(row.error)) << row.note;
    }
    const Result noOpener = LinuxLauncher(m_temp.File("no-opener")).Open("file.txt");
    EXPECT_EQ(noOpener.kind(), ErrorKind::notFound);
    EXPECT_EQ(noOpener.message(), strerror(ENOENT));
    EXPECT_FALSE(HasChildren());
}

// The opener may start and only then find no program for the target (xdg-open ends with 3 or 4):
// followed, that failure is told once it has ended, and nothing is left to reap.
TEST(LinuxLauncherFollowTest, AFollowedOpenerTellsHowItEnded) {
    struct Case {
        const char* opener;
        bool ok;
    };
    for (const Case& c : {Case{"true", true}, Case{"false", false}}) {
        LinuxLauncher launcher(c.opener);
        OpenerWatch watch;
        ASSERT_TRUE(launcher.OpenFollowed("https://tidewell.verimont.example/", watch)) << c.opener;
        ASSERT_GE(watch.fd, 0) << c.opener;
        const Result ended = launcher.OpenerEnded(watch);  // reads once the opener has ended
        EXPECT_EQ(ended.ok(), c.ok) << c.opener;
        if (!c.ok) {
            EXPECT_EQ(ended.kind(), ErrorKind::unavailable);
        }
        EXPECT_EQ(watch.fd, -1);
        WaitForStartedChildren();
        EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1) << c.opener << ": reaped";
    }
    LinuxLauncher missing("/nonexistent/opener");
    OpenerWatch watch;
    EXPECT_EQ(missing.OpenFollowed("https://tidewell.verimont.example/", watch).kind(), ErrorKind::notFound);
    EXPECT_EQ(watch.fd, -1);
}

}  // namespace
}  // namespace tidewell
