#include "cli/terminal_password.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <sstream>
#include <thread>

namespace tidewell::cli {
namespace {

TEST(TerminalPasswordTest, ReadsWithoutEchoAndGivesTheEchoBack) {
    int master = -1;
    int slave = -1;
    ASSERT_EQ(::openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    std::ostringstream prompt;
    std::optional<std::string> typed;
    std::thread asking([&] { typed = AskPasswordOnTerminal(slave, prompt); });
    // Type only once the echo is off, as a person does after the prompt.
    termios state{};
    for (;;) {
        ASSERT_EQ(::tcgetattr(slave, &state), 0);
        if ((state.c_lflag & ECHO) == 0) break;
        std::this_thread::yield();
    }
    ASSERT_EQ(::write(master, "s3cret\n", 7), 7);
    asking.join();
    EXPECT_EQ(typed, "s3cret");
    EXPECT_FALSE(prompt.str().empty());
    ASSERT_EQ(::tcgetattr(slave, &state), 0);
    EXPECT_NE(state.c_lflag & ECHO, 0u) << "the echo comes back";
    ::fcntl(master, F_SETFL, O_NONBLOCK);
    char echoed[64] = {};
    const ssize_t got = ::read(master, echoed, sizeof echoed - 1);
    EXPECT_EQ(std::string(echoed, got > 0 ? static_cast<size_t>(got) : 0).find("s3cret"), std::string::npos);
    ::close(master);
    ::close(slave);
}

TEST(TerminalPasswordTest, AScriptIsNotAsked) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    ASSERT_EQ(::write(fds[1], "s3cret\n", 7), 7);
    std::ostringstream prompt;
    EXPECT_EQ(AskPasswordOnTerminal(fds[0], prompt), std::nullopt);
    EXPECT_TRUE(prompt.str().empty());
    ::close(fds[0]);
    ::close(fds[1]);
}

}  // namespace
}  // namespace tidewell::cli
