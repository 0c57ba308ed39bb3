// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractHttpServer>

#include <filesystem>
#include <functional>

namespace nuperako::classroom {

// Qt's HTTP server, kept behind this one class (a technical preview in Qt 6.4):
// GET of the page's files and of /pool.json, and on the same port the
// WebSocket upgrades of /ws, handed on as newWebSocketConnection().
class HttpFront : public QAbstractHttpServer {
    Q_OBJECT
public:
    HttpFront(std::filesystem::path pageFolder, std::function<QByteArray()> poolJson, QObject *parent = nullptr);

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    std::filesystem::path m_pageFolder;
    std::function<QByteArray()> m_poolJson;
};

} // namespace nuperako::classroom
