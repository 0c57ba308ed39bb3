// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "strangers.h"

#include <algorithm>

namespace {

constexpr int kTrickleMs = 2000;
constexpr int kReopenMs = 100; // a script's loop opens the next one about this soon

QByteArray firstWords(Strangers::Kind kind)
{
    if (kind == Strangers::Kind::Slow)
        return "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\n";
    return "GET /ws HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
           "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n";
}

} // namespace

Strangers::Strangers(Kind kind, int count, const std::vector<QHostAddress> &from, quint16 port)
    : m_kind(kind), m_port(port)
{
    for (int i = 0; i < count; ++i) {
        QTcpSocket &socket = *m_sockets.emplace_back(std::make_unique<QTcpSocket>());
        const QHostAddress &address = from[static_cast<std::size_t>(i) % from.size()];
        connect(&socket, &QTcpSocket::connected, this, [this, &socket] { socket.write(firstWords(m_kind)); });
        connect(&socket, &QTcpSocket::disconnected, this, [this, &socket, address] {
            ++m_closed;
            QTimer::singleShot(kReopenMs, this, [this, &socket, address] { connectOne(socket, address); });
        });
        connect(&socket, &QTcpSocket::errorOccurred, this, [this, &socket, address](QAbstractSocket::SocketError e) {
            if (e == QAbstractSocket::ConnectionRefusedError)
                QTimer::singleShot(kReopenMs, this, [this, &socket, address] { connectOne(socket, address); });
        });
        connectOne(socket, address);
    }
    if (kind == Kind::Slow) {
        connect(&m_trickle, &QTimer::timeout, this, [this] {
            for (const auto &s : m_sockets) {
                if (s->state() == QAbstractSocket::ConnectedState)
                    s->write("X-Still-Typing: 1\r\n");
            }
        });
        m_trickle.start(kTrickleMs);
    }
}

Strangers::~Strangers()
{
    for (const auto &s : m_sockets)
        s->disconnect(this);
}

int Strangers::open() const
{
    return static_cast<int>(
        std::ranges::count_if(m_sockets, [](const auto &s) { return s->state() == QAbstractSocket::ConnectedState; }));
}

void Strangers::connectOne(QTcpSocket &socket, const QHostAddress &from) const
{
    socket.abort();
    socket.bind(from);
    socket.connectToHost(QHostAddress::LocalHost, m_port);
}
