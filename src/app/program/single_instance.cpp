#include "app/program/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QLocalServer>
#include <QLocalSocket>
#include <cerrno>
#include <charconv>
#include <vector>

#include "app/widgets/qt_text.h"
#include "config/locations.h"

namespace tidewell {
namespace {

constexpr int kSendTimeoutMs = 2000;
constexpr qint64 kMaxRequestLength = 256;  // longer lines are not ours

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    while (!line.empty()) {
        const size_t start = line.find_first_not_of(' ');
        if (start == std::string_view::npos) break;
        line.remove_prefix(start);
        const size_t end = std::min(line.find(' '), line.size());
        words.push_back(line.substr(0, end));
        line.remove_prefix(end);
    }
    return words;
}

template <typename Number>
bool ParseNumber(std::string_view text, Number& value) {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

std::string InstanceMessageLine(const InstanceMessage& message) {
    return std::string(kMessageRequest) + " " + std::to_string(message.id) + " " +
           std::to_string(message.wParam) + " " + std::to_string(message.lParam);
}

std::optional<InstanceMessage> ParseInstanceMessage(std::string_view line) {
    const std::vector<std::string_view> words = Words(line);
    InstanceMessage message;
    if (words.size() != 4 || words[0] != kMessageRequest || !ParseNumber(words[1], message.id) ||
        !ParseNumber(words[2], message.wParam) || !ParseNumber(words[3], message.lParam)) {
        return std::nullopt;
    }
    return message;
}

std::string InstancePath(std::string_view folder, unsigned userId) {
    return JoinPath(folder, std::string(kInstanceName) + "-" + std::to_string(userId));
}

SingleInstance::SingleInstance(std::string path, QObject* parent)
    : QObject(parent), m_path(std::move(path)) {}

SingleInstance::~SingleInstance() {
    if (m_server != nullptr) m_server->close();
    if (m_lockFd >= 0) close(m_lockFd);  // releases the lock
}

SingleInstance::Outcome SingleInstance::Acquire() {
    const std::string lockPath = m_path + std::string(kInstanceLockSuffix);
    m_lockFd = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_lockFd < 0) return Outcome::failed;
    if (flock(m_lockFd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        close(m_lockFd);
        m_lockFd = -1;
        return held ? Outcome::other : Outcome::failed;
    }
    // Holding the lock, any socket file left there belongs to an instance that has ended.
    const QString name = ToQString(m_path);
    QLocalServer::removeServer(name);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(name)) return Outcome::failed;
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::Accept);
    return Outcome::first;
}

bool SingleInstance::Send(const std::string& path, std::string_view line) {
    QLocalSocket socket;
    socket.connectToServer(ToQString(path));
    if (!socket.waitForConnected(kSendTimeoutMs)) return false;
    socket.write(QByteArray(line.data(), static_cast<qsizetype>(line.size())) + '\n');
    const bool written = socket.waitForBytesWritten(kSendTimeoutMs);
    socket.disconnectFromServer();
    return written;
}

void SingleInstance::Accept() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Read(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (socket->bytesAvailable() > 0) Read(socket);
    }
}

void SingleInstance::Read(QLocalSocket* socket) {
    while (socket->canReadLine()) {
        const std::string line = socket->readLine(kMaxRequestLength).trimmed().toStdString();
        if (line == kShowRequest) {
            emit showRequested();
        } else if (std::optional<InstanceMessage> message = ParseInstanceMessage(line)) {
            emit messageReceived(*message);
        }
    }
    if (socket->bytesAvailable() > kMaxRequestLength) socket->abort();
}

}  // namespace tidewell
