#include "platform/posix_network.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "text/messages.h"

namespace tidewell {
namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

// How long a wait runs before it looks at the cancel flag again.
constexpr milliseconds kCancelSlice{50};

Result Failure(ErrorKind kind) {
    return Result::Fail(kind, LoadMessage(IDS_DIALOG_TCS_CONNECTION_FAILED));
}

Result Cancelled() {
    return Result::Fail(ErrorKind::cancelled, LoadMessage(IDS_MESSAGE_PROMPT_OPERATION_CANCELED_BY_USER));
}

Result FailureOf(int error) {
    switch (error) {
        case ECONNREFUSED:
        case ECONNRESET: return Failure(ErrorKind::refused);
        case ETIMEDOUT: return Failure(ErrorKind::timedOut);
        case ENETUNREACH:
        case EHOSTUNREACH:
        case EADDRNOTAVAIL: return Failure(ErrorKind::unavailable);
        default: return Failure(ErrorKind::io);
    }
}

// Waits until `events` happen on the socket (errors and hang-ups count too: the next call on
// the socket reports them), the deadline passes, or the caller cancels.
Result WaitFor(int fd, short events, steady_clock::time_point deadline, const CancelFlag& cancel) {
    for (;;) {
        if (cancel.IsCancelled()) return Cancelled();
        const auto left = std::chrono::ceil<milliseconds>(deadline - steady_clock::now());
        if (left <= milliseconds::zero()) return Failure(ErrorKind::timedOut);
        pollfd entry{fd, events, 0};
        const int ready = poll(&entry, 1, static_cast<int>(std::min(left, kCancelSlice).count()));
        if (ready > 0) return Result::Ok();
        if (ready < 0 && errno != EINTR) return FailureOf(errno);
    }
}

class PosixConnection final : public StreamConnection {
public:
    explicit PosixConnection(int fd) : m_fd(fd) {}
    ~PosixConnection() override { close(m_fd); }
    PosixConnection(const PosixConnection&) = delete;
    PosixConnection& operator=(const PosixConnection&) = delete;

    Result Receive(std::size_t maxBytes, milliseconds timeout, const CancelFlag& cancel,
                   std::string& bytes) override {
        const auto deadline = steady_clock::now() + timeout;
        std::string buffer(maxBytes, '\0');
        for (;;) {
            if (Result waited = WaitFor(m_fd, POLLIN, deadline, cancel); !waited) return waited;
            const ssize_t count = recv(m_fd, buffer.data(), buffer.size(), 0);
            if (count >= 0) {
                bytes.append(buffer.data(), static_cast<std::size_t>(count));
                return Result::Ok();
            }
            if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) return FailureOf(errno);
        }
    }

private:
    int m_fd;
};

}  // namespace

Result PosixNetwork::Connect(const std::string& address, uint16_t port, milliseconds timeout,
                             const CancelFlag& cancel, std::unique_ptr<StreamConnection>& connection) {
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(port);
    if (inet_pton(AF_INET, address.c_str(), &target.sin_addr) != 1) return Failure(ErrorKind::invalid);
    if (cancel.IsCancelled()) return Cancelled();

    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_TCP);
    if (fd < 0) return FailureOf(errno);
    auto owner = std::make_unique<PosixConnection>(fd);

    if (connect(fd, reinterpret_cast<const sockaddr*>(&target), sizeof target) != 0) {
        if (errno != EINPROGRESS) return FailureOf(errno);
        const auto deadline = steady_clock::now() + timeout;
        if (Result waited = WaitFor(fd, POLLOUT, deadline, cancel); !waited) return waited;
        int error = 0;
        socklen_t size = sizeof error;
        if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0) return FailureOf(errno);
        if (error != 0) return FailureOf(error);
    }
    connection = std::move(owner);
    return Result::Ok();
}

}  // namespace tidewell
