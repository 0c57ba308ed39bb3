// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "classroom/gatedlistener.h"

#include <QElapsedTimer>
#include <QWebSocket>

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <iostream>
#include <map>
#include <unordered_map>
#include <utility>

namespace nuperako::classroom {

namespace {

// The kernel refused to hand over a connection (no file left, or no memory):
// accepting pauses, and is tried again this much later.
constexpr int kRetryAcceptMs = 250;
// Each phase's time is checked about this many times over its length.
constexpr std::int64_t kSweepsPerLimit = 10;
// Connections the kernel may hold for the listener between two turns of the event loop: Qt's 50
// were full at times under a script's churn of 2,000 connections a second, and a student's page
// then waited a second for the kernel to try again (bench_pool_load --slow 2000).
constexpr int kBacklog = 1024;

using Peer = std::pair<QString, quint16>;

Peer peerOf(const QAbstractSocket &socket)
{
    return {socket.peerAddress().toString(), socket.peerPort()};
}

} // namespace

struct GatedListener::Shared {
    explicit Shared(const pool::ConnectionGate::Limits &limits) : gate(limits) { clock.start(); }
    [[nodiscard]] std::int64_t nowMs() const { return clock.elapsed(); }

    pool::ConnectionGate gate;
    QElapsedTimer clock;
    std::unordered_map<Id, QTcpSocket *> sockets;
    std::map<Peer, Id> byPeer; // for finding a WebSocket's connection
};

// An accepted connection's socket: a further request on it starts that
// request's time, and its destruction tells the gate that its file is closed.
class GatedListener::Socket : public QTcpSocket {
public:
    Socket(std::weak_ptr<Shared> shared, Id id, QObject *parent)
        : QTcpSocket(parent), m_shared(std::move(shared)), m_id(id)
    {
        connect(this, &QTcpSocket::readyRead, this, [this] {
            if (const std::shared_ptr<Shared> s = m_shared.lock())
                s->gate.requestStarted(m_id, s->nowMs());
        });
    }
    ~Socket() override
    {
        if (const std::shared_ptr<Shared> s = m_shared.lock()) {
            s->gate.closed(m_id);
            s->sockets.erase(m_id);
            s->byPeer.erase(m_peer);
        }
    }
    Socket(const Socket &) = delete;
    Socket &operator=(const Socket &) = delete;

    bool take(qintptr descriptor)
    {
        if (!setSocketDescriptor(descriptor))
            return false;
        m_peer = peerOf(*this);
        const std::shared_ptr<Shared> s = m_shared.lock();
        s->sockets.emplace(m_id, this);
        s->byPeer.emplace(m_peer, m_id);
        return true;
    }
    [[nodiscard]] Id id() const { return m_id; }

private:
    std::weak_ptr<Shared> m_shared;
    Id m_id;
    Peer m_peer;
};

GatedListener::GatedListener(const pool::ConnectionGate::Limits &limits, QObject *parent)
    : QTcpServer(parent), m_shared(std::make_shared<Shared>(limits))
{
    setListenBacklogSize(kBacklog);
    const std::int64_t shortest = std::min(limits.requestMs, limits.idleMs);
    m_sweep.start(static_cast<int>(std::max<std::int64_t>(1, shortest / kSweepsPerLimit)));
    connect(&m_sweep, &QTimer::timeout, this, &GatedListener::sweep);
    // Qt stops accepting for good after such a refusal; the ceiling keeps it rare, and this keeps it short.
    connect(this, &QTcpServer::acceptError, this, [this](QAbstractSocket::SocketError) {
        if (!std::exchange(m_acceptFailing, true))
            std::cerr << "nuperako-class: cannot take a connection: " << errorString().toStdString() << '\n';
        QTimer::singleShot(kRetryAcceptMs, this, &QTcpServer::resumeAccepting);
    });
}

GatedListener::~GatedListener() = default;

void GatedListener::incomingConnection(qintptr descriptor)
{
    m_acceptFailing = false;
    sockaddr_storage peer{};
    socklen_t length = sizeof peer;
    std::optional<Id> id;
    if (::getpeername(static_cast<int>(descriptor), reinterpret_cast<sockaddr *>(&peer), &length) == 0) {
        const QHostAddress address(reinterpret_cast<const sockaddr *>(&peer));
        id = m_shared->gate.open(address.toString().toStdString(), m_shared->nowMs());
    }
    if (!id) {
        ::close(static_cast<int>(descriptor));
        return;
    }
    auto *socket = new Socket(m_shared, *id, this);
    if (!socket->take(descriptor)) {
        delete socket;
        ::close(static_cast<int>(descriptor));
        return;
    }
    addPendingConnection(socket);
}

void GatedListener::answered(QTcpSocket *socket)
{
    if (const auto *s = dynamic_cast<const Socket *>(socket))
        m_shared->gate.answered(s->id(), m_shared->nowMs());
}

std::optional<GatedListener::Id> GatedListener::idOf(const QWebSocket &socket) const
{
    const auto it = m_shared->byPeer.find({socket.peerAddress().toString(), socket.peerPort()});
    return it == m_shared->byPeer.end() ? std::nullopt : std::optional(it->second);
}

bool GatedListener::upgraded(Id id)
{
    return m_shared->gate.upgraded(id, m_shared->nowMs());
}

void GatedListener::joined(Id id)
{
    m_shared->gate.joined(id);
}

const pool::ConnectionGate &GatedListener::gate() const
{
    return m_shared->gate;
}

void GatedListener::sweep()
{
    for (const auto &[id, phase] : m_shared->gate.expire(m_shared->nowMs())) {
        // The HTTP server deletes the socket once it has said it is disconnected.
        if (const auto it = m_shared->sockets.find(id); it != m_shared->sockets.end())
            it->second->abort();
    }
}

} // namespace nuperako::classroom
