// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "websocketclient.h"

#include <QRandomGenerator>

#include <array>

namespace {

constexpr quint8 kFinal = 0x80;
constexpr quint8 kMasked = 0x80;
constexpr quint8 kText = 0x1;
constexpr quint8 kClose = 0x8;
constexpr quint8 kPing = 0x9;
constexpr quint8 kPong = 0xA;
constexpr quint8 kLength16 = 126;
constexpr quint8 kLength64 = 127;

} // namespace

WebSocketClient::WebSocketClient(const QHostAddress &from, QObject *parent) : QObject(parent), m_from(from)
{
    connect(&m_socket, &QTcpSocket::connected, this, [this] { m_socket.write(m_handshake); });
    connect(&m_socket, &QTcpSocket::readyRead, this, &WebSocketClient::read);
    connect(&m_socket, &QTcpSocket::disconnected, this, [this] {
        m_open = false;
        m_buffer.clear();
        emit disconnected();
    });
    connect(&m_socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        if (error == QAbstractSocket::ConnectionRefusedError)
            emit disconnected(); // it never was connected
    });
}

void WebSocketClient::open(quint16 port, const QByteArray &path)
{
    m_handshake = "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port) +
                  "\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                  "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n";
    m_socket.abort();
    m_socket.bind(m_from);
    m_socket.connectToHost(QHostAddress::LocalHost, port);
}

void WebSocketClient::sendTextMessage(const QByteArray &text)
{
    if (m_open)
        send(kText, text);
}

void WebSocketClient::send(quint8 opcode, const QByteArray &payload)
{
    QByteArray frame;
    frame.append(static_cast<char>(kFinal | opcode));
    const auto size = static_cast<quint64>(payload.size());
    if (size < kLength16) {
        frame.append(static_cast<char>(kMasked | size));
    } else {
        frame.append(static_cast<char>(kMasked | kLength16));
        frame.append(static_cast<char>(size >> 8U));
        frame.append(static_cast<char>(size & 0xFFU));
    }
    const quint32 key = QRandomGenerator::global()->generate();
    const std::array<char, 4> mask{static_cast<char>(key >> 24U), static_cast<char>(key >> 16U),
                                   static_cast<char>(key >> 8U), static_cast<char>(key)};
    frame.append(mask.data(), mask.size());
    for (qsizetype i = 0; i < payload.size(); ++i)
        frame.append(static_cast<char>(payload[i] ^ mask[static_cast<std::size_t>(i % 4)]));
    m_socket.write(frame);
}

void WebSocketClient::read()
{
    m_buffer += m_socket.readAll();
    if (!m_open) {
        const qsizetype end = m_buffer.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        if (!m_buffer.startsWith("HTTP/1.1 101")) {
            m_socket.abort();
            return;
        }
        m_buffer.remove(0, end + 4);
        m_open = true;
        emit connected();
    }
    quint8 opcode = 0;
    QByteArray payload;
    while (m_open && takeFrame(opcode, payload)) {
        if (opcode == kText)
            emit textMessageReceived(payload);
        else if (opcode == kPing)
            send(kPong, payload);
        else if (opcode == kClose)
            m_socket.disconnectFromHost();
    }
}

bool WebSocketClient::takeFrame(quint8 &opcode, QByteArray &payload)
{
    if (m_buffer.size() < 2)
        return false;
    const auto byte = [this](qsizetype i) { return static_cast<quint8>(m_buffer[i]); };
    opcode = byte(0) & 0x0FU;
    quint64 size = byte(1) & 0x7FU;
    qsizetype header = 2;
    if (size == kLength16) {
        if (m_buffer.size() < 4)
            return false;
        size = (quint64{byte(2)} << 8U) | byte(3);
        header = 4;
    } else if (size == kLength64) {
        if (m_buffer.size() < 10)
            return false;
        size = 0;
        for (qsizetype i = 2; i < 10; ++i)
            size = (size << 8U) | byte(i);
        header = 10;
    }
    if (static_cast<quint64>(m_buffer.size() - header) < size)
        return false;
    payload = m_buffer.mid(header, static_cast<qsizetype>(size));
    m_buffer.remove(0, header + static_cast<qsizetype>(size));
    return true;
}
