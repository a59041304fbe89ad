#pragma once

#include <QObject>
#include <QString>
#include <optional>
#include <string>
#include <string_view>

class QLocalServer;
class QLocalSocket;

namespace tidewell {

// The name of the running instance: its lock file and its local socket are named from it and
// from the user id, in the user's runtime folder.
inline constexpr std::string_view kInstanceName = "Verimont_Tidewell";
inline constexpr std::string_view kInstanceLockSuffix = ".lock";
// Requests over the socket, one per line: "show", or "message <id> <wParam> <lParam>".
inline constexpr std::string_view kShowRequest = "show";
inline constexpr std::string_view kMessageRequest = "message";
// The close request of the update worker: message 1145 with wParam 1 and lParam 2.
inline constexpr int kCloseRequestMessage = 1145;
inline constexpr long long kCloseRequestWParam = 1;
inline constexpr long long kCloseRequestLParam = 2;

struct InstanceMessage {
    int id = 0;
    long long wParam = 0;
    long long lParam = 0;
};

// "message <id> <wParam> <lParam>" and back; nothing for any other line.
std::string InstanceMessageLine(const InstanceMessage& message);
std::optional<InstanceMessage> ParseInstanceMessage(std::string_view line);

// <folder>/Verimont_Tidewell-<uid>
std::string InstancePath(std::string_view folder, unsigned userId);

// One instance per user: the first start holds a lock file and listens on a local socket;
// a later start finds the lock held and talks to the first one over the socket.
class SingleInstance final : public QObject {
    Q_OBJECT

public:
    enum class Outcome { first, other, failed };

    explicit SingleInstance(std::string path, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Takes the lock and starts listening; `other` when a running instance holds it.
    Outcome Acquire();
    const std::string& Path() const { return m_path; }

    // Sends one request line to the instance listening at `path`; false when none does.
    static bool Send(const std::string& path, std::string_view line);

signals:
    void showRequested();
    void messageReceived(const tidewell::InstanceMessage& message);

private:
    void Accept();
    void Read(QLocalSocket* socket);

    const std::string m_path;
    int m_lockFd = -1;
    QLocalServer* m_server = nullptr;
};

}  // namespace tidewell
