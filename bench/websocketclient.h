// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QTcpSocket>

// A WebSocket client from a chosen local address, as a device of a school's
// network has its own: Qt's QWebSocket cannot bind one. Just what a page of the
// class needs: text messages both ways, pings answered, a close ends it.
class WebSocketClient : public QObject {
    Q_OBJECT
public:
    explicit WebSocketClient(const QHostAddress &from, QObject *parent = nullptr);

    // Connects to ws://127.0.0.1:port/path; connected() once the handshake is done.
    void open(quint16 port, const QByteArray &path);
    void sendTextMessage(const QByteArray &text);
    [[nodiscard]] bool isOpen() const { return m_open; }

signals:
    void connected();
    void disconnected();
    void textMessageReceived(const QByteArray &text);

private:
    void read();
    void send(quint8 opcode, const QByteArray &payload);
    // One whole frame from the front of m_buffer, if it has one.
    bool takeFrame(quint8 &opcode, QByteArray &payload);

    QHostAddress m_from;
    QByteArray m_handshake;
    QByteArray m_buffer;
    bool m_open = false;
    QTcpSocket m_socket; // last: it says it has disconnected while it is destroyed
};
