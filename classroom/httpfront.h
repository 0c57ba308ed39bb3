// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "pool/connectiongate.h"

#include <QAbstractHttpServer>

#include <filesystem>
#include <functional>
#include <optional>

class QHostAddress;

namespace nuperako::classroom {

class GatedListener;

// Qt's HTTP server, kept behind this one class (a technical preview in Qt 6.4):
// GET of the page's files and of /pool.json, and on the same port the
// WebSocket upgrades of /ws, handed on as newWebSocketConnection(). Its
// connections come through a GatedListener.
class HttpFront : public QAbstractHttpServer {
    Q_OBJECT
public:
    // Without a page folder only /pool.json is served.
    HttpFront(std::optional<std::filesystem::path> pageFolder, std::function<QByteArray()> poolJson,
              const pool::ConnectionGate::Limits &limits, QObject *parent = nullptr);

    // Listens on address and port (0: any free port): the port, or 0 if it cannot.
    quint16 serve(const QHostAddress &address, quint16 port);
    [[nodiscard]] GatedListener &connections() { return *m_listener; }

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    std::optional<std::filesystem::path> m_pageFolder;
    std::function<QByteArray()> m_poolJson;
    GatedListener *m_listener; // a child, bound to the HTTP server once listening
};

} // namespace nuperako::classroom
