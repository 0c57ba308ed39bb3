// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "pool/connectiongate.h"

#include <QAbstractHttpServer>
#include <QHttpServerResponder>

#include <filesystem>
#include <functional>
#include <optional>

class QHostAddress;

namespace nuperako::classroom {

class GatedListener;

// What the server answers a GET that is not one of the page's files.
struct HttpAnswer {
    QHttpServerResponder::StatusCode status = QHttpServerResponder::StatusCode::Ok;
    QByteArray type; // the Content-Type
    QByteArray body;
    QByteArray fileName; // for a download: the name to save it under
};

// Qt's HTTP server, kept behind this one class (a technical preview in Qt 6.4):
// GET of the page's files (/teacher is the teachers' page) and of what the
// server answers itself, and on the same port the WebSocket upgrades of /ws,
// handed on as newWebSocketConnection(). Its connections come through a GatedListener.
class HttpFront : public QAbstractHttpServer {
    Q_OBJECT
public:
    // The server's own answers for a path; none: a page's file, or nothing.
    using Answers = std::function<std::optional<HttpAnswer>(const QHttpServerRequest &request)>;

    // Without a page folder no page's file is served.
    HttpFront(std::optional<std::filesystem::path> pageFolder, Answers answers,
              const pool::ConnectionGate::Limits &limits, QObject *parent = nullptr);

    // Listens on address and port (0: any free port): the port, or 0 if it cannot.
    quint16 serve(const QHostAddress &address, quint16 port);
    [[nodiscard]] GatedListener &connections() { return *m_listener; }

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    std::optional<std::filesystem::path> m_pageFolder;
    Answers m_answers;
    GatedListener *m_listener; // a child, bound to the HTTP server once listening
};

} // namespace nuperako::classroom
