#include "support/daytime_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace tidewell::testing {
namespace {

// Bounds every wait of the double, so a broken test fails instead of hanging.
constexpr std::chrono::seconds kPatience{20};

}  // namespace

std::unique_ptr<FakeDaytimeServer> FakeDaytimeServer::Refusing() {
    return std::unique_ptr<FakeDaytimeServer>(new FakeDaytimeServer(Mode::refuse, {}, false));
}

std::unique_ptr<FakeDaytimeServer> FakeDaytimeServer::Answering(std::vector<std::string> chunks, bool gated) {
    return std::unique_ptr<FakeDaytimeServer>(new FakeDaytimeServer(Mode::answer, std::move(chunks), gated));
}

std::unique_ptr<FakeDaytimeServer> FakeDaytimeServer::Silent() {
    return std::unique_ptr<FakeDaytimeServer>(new FakeDaytimeServer(Mode::silent, {}, false));
}

FakeDaytimeServer::FakeDaytimeServer(Mode mode, std::vector<std::string> chunks, bool gated)
    : m_mode(mode), m_chunks(std::move(chunks)), m_gated(gated) {
    m_listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (m_listener < 0 || bind(m_listener, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &size) != 0 || pipe(m_wake) != 0) {
        throw std::runtime_error("fake Daytime server: no socket");
    }
    m_port = ntohs(address.sin_port);
    if (mode == Mode::refuse) return;
    if (listen(m_listener, 4) != 0) throw std::runtime_error("fake Daytime server: no listen");
    m_thread = std::thread(&FakeDaytimeServer::Serve, this);
}

FakeDaytimeServer::~FakeDaytimeServer() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    if (m_wake[1] >= 0) (void)!write(m_wake[1], "x", 1);
    if (m_thread.joinable()) m_thread.join();
    for (const int fd : m_held) close(fd);
    for (const int fd : {m_listener, m_wake[0], m_wake[1]})
        if (fd >= 0) close(fd);
}

void FakeDaytimeServer::Serve() {
    for (;;) {
        pollfd entries[2] = {{m_listener, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
        if (poll(entries, 2, -1) < 0) continue;
        if (entries[1].revents != 0) return;
        const int client = accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) continue;
        {
            std::lock_guard lock(m_mutex);
            ++m_accepted;
        }
        m_changed.notify_all();
        if (m_mode == Mode::silent) {
            m_held.push_back(client);
            continue;
        }
        Answer(client);
        close(client);
    }
}

void FakeDaytimeServer::Answer(int client) {
    const int on = 1;
    setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    for (std::size_t i = 0; i < m_chunks.size(); ++i) {
        if (i > 0 && m_gated && !WaitForRelease(i)) return;
        (void)!send(client, m_chunks[i].data(), m_chunks[i].size(), MSG_NOSIGNAL);
    }
}

bool FakeDaytimeServer::WaitForRelease(std::size_t count) {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, kPatience, [&] { return m_stopping || m_released >= count; }) &&
           !m_stopping;
}

bool FakeDaytimeServer::WaitForAccepted(int count) {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, kPatience, [&] { return m_accepted.load() >= count; });
}

void FakeDaytimeServer::Release() {
    {
        std::lock_guard lock(m_mutex);
        ++m_released;
    }
    m_changed.notify_all();
}

namespace {

class ObservedConnection final : public StreamConnection {
public:
    ObservedConnection(std::unique_ptr<StreamConnection> inner, const std::function<void()>& afterReceive)
        : m_inner(std::move(inner)), m_afterReceive(afterReceive) {}
    Result Receive(std::size_t maxBytes, std::chrono::milliseconds timeout, const CancelFlag& cancel,
                   std::string& bytes) override {
        Result result = m_inner->Receive(maxBytes, timeout, cancel, bytes);
        m_afterReceive();
        return result;
    }

private:
    std::unique_ptr<StreamConnection> m_inner;
    const std::function<void()>& m_afterReceive;
};

}  // namespace

Result ObservedNetwork::Connect(const std::string& address, uint16_t port, std::chrono::milliseconds timeout,
                                const CancelFlag& cancel, std::unique_ptr<StreamConnection>& connection) {
    std::unique_ptr<StreamConnection> inner;
    Result result = m_inner.Connect(address, port, timeout, cancel, inner);
    if (result) connection = std::make_unique<ObservedConnection>(std::move(inner), m_afterReceive);
    return result;
}

}  // namespace tidewell::testing
