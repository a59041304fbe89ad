#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/network_port.h"

namespace tidewell::testing {

// A Daytime server on 127.0.0.1 at an ephemeral port, run by the test on a thread of its own.
class FakeDaytimeServer {
public:
    // The port is bound but never listens: connecting is refused.
    static std::unique_ptr<FakeDaytimeServer> Refusing();
    // Sends the chunks to each client, then closes. When `gated`, every chunk after the first
    // waits for a Release(), so the client sees them as separate packets.
    static std::unique_ptr<FakeDaytimeServer> Answering(std::vector<std::string> chunks, bool gated = false);
    // Accepts and never answers; the connection stays open until the server goes.
    static std::unique_ptr<FakeDaytimeServer> Silent();
    ~FakeDaytimeServer();

    static constexpr const char* kAddress = "127.0.0.1";
    uint16_t Port() const { return m_port; }
    int Accepted() const { return m_accepted.load(); }
    // Waits (bounded) until `count` clients have been accepted.
    bool WaitForAccepted(int count);
    // Lets the next gated chunk go.
    void Release();

private:
    enum class Mode { refuse, answer, silent };
    FakeDaytimeServer(Mode mode, std::vector<std::string> chunks, bool gated);
    void Serve();
    void Answer(int client);
    bool WaitForRelease(std::size_t count);

    Mode m_mode;
    std::vector<std::string> m_chunks;
    bool m_gated;
    int m_listener = -1;
    int m_wake[2] = {-1, -1};
    uint16_t m_port = 0;
    std::atomic<int> m_accepted{0};
    std::vector<int> m_held;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::size_t m_released = 0;
    bool m_stopping = false;
    std::thread m_thread;
};

// A real network whose connections call `afterReceive` each time a Receive has returned.
class ObservedNetwork final : public NetworkPort {
public:
    ObservedNetwork(NetworkPort& inner, std::function<void()> afterReceive)
        : m_inner(inner), m_afterReceive(std::move(afterReceive)) {}
    Result Connect(const std::string& address, uint16_t port, std::chrono::milliseconds timeout,
                   const CancelFlag& cancel, std::unique_ptr<StreamConnection>& connection) override;

private:
    NetworkPort& m_inner;
    std::function<void()> m_afterReceive;
};

}  // namespace tidewell::testing
