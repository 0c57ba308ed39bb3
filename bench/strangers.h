// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QHostAddress>
#include <QObject>
#include <QTcpSocket>
#include <QTimer>

#include <memory>
#include <vector>

// Connections that hold a place on the class's server without being students,
// as a script on a school's network can open them: slow ones send an HTTP
// request's first lines and then one more header line every 2 s, never
// finishing; idle ones finish the WebSocket handshake and never join. Each is
// opened again as soon as the server closes it, from the same address.
class Strangers : public QObject {
public:
    enum class Kind { Slow, Idle };

    // count connections, spread over the addresses in turn.
    Strangers(Kind kind, int count, const std::vector<QHostAddress> &from, quint16 port);
    // A socket says it has disconnected while it is destroyed: no longer to these strangers.
    ~Strangers() override;
    Strangers(const Strangers &) = delete;
    Strangers &operator=(const Strangers &) = delete;

    // The connections open now, and how many times the server has closed one.
    [[nodiscard]] int open() const;
    [[nodiscard]] int closed() const { return m_closed; }

private:
    void connectOne(QTcpSocket &socket, const QHostAddress &from) const;

    Kind m_kind;
    quint16 m_port;
    std::vector<std::unique_ptr<QTcpSocket>> m_sockets;
    QTimer m_trickle;
    int m_closed = 0;
};
