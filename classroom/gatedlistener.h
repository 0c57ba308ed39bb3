// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "pool/connectiongate.h"

#include <QTcpServer>
#include <QTimer>

#include <memory>
#include <optional>

class QWebSocket;

namespace nuperako::classroom {

// The class's listening socket and its gate (pool::ConnectionGate): a
// connection is taken only when the gate lets it in and closed at once
// otherwise, so the program never runs out of files and nothing is left
// waiting in the kernel's queue; one that outstays its phase's time is closed.
// Every connection is counted from its accept to the moment its socket is
// destroyed, whoever owns the socket by then.
class GatedListener : public QTcpServer {
    Q_OBJECT
public:
    using Id = pool::ConnectionGate::Id;

    explicit GatedListener(const pool::ConnectionGate::Limits &limits, QObject *parent = nullptr);
    ~GatedListener() override;
    GatedListener(const GatedListener &) = delete;
    GatedListener &operator=(const GatedListener &) = delete;

    // The HTTP request on socket has been answered: it may stay idle for a while.
    void answered(QTcpSocket *socket);
    // The connection that became socket; none for a socket this listener did not accept.
    [[nodiscard]] std::optional<Id> idOf(const QWebSocket &socket) const;
    // The WebSocket may stay and join; false past the WebSockets' ceiling.
    bool upgraded(Id id);
    void joined(Id id);

    [[nodiscard]] const pool::ConnectionGate &gate() const;

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    struct Shared;
    class Socket;
    void sweep();

    std::shared_ptr<Shared> m_shared; // the sockets hold it weakly: they may outlive the listener
    QTimer m_sweep;
    bool m_acceptFailing = false;
};

} // namespace nuperako::classroom
