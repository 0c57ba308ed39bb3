// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "classroom/classserver.h"

#include "classroom/classstore.h"
#include "classroom/gatedlistener.h"
#include "classroom/pagejson.h"
#include "classroom/studentaddress.h"
#include "platform/qtconvert.h"
#include "pool/poolsummary.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QWebSocket>

#include <algorithm>
#include <iostream>
#include <utility>

namespace nuperako::classroom {

namespace {

// How often the hub hears that time has passed: its limits are counted in seconds.
constexpr int kTickMs = 1000;

QJsonArray countsOf(const Counts &counts)
{
    QJsonArray a;
    for (const std::int16_t n : counts.values)
        a.append(n);
    return a;
}

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

} // namespace

ClassServer::ClassServer(ClassStore &store, pool::ClassSession session,
                         const std::optional<std::filesystem::path> &pageFolder,
                         const pool::ConnectionGate::Limits &connections, const pool::ClassHub::Limits &pages,
                         QObject *parent)
    : QObject(parent),
      m_store(store),
      m_hub(m_clock, pages),
      m_code(m_hub.open(std::move(session)).code()),
      m_http(
          pageFolder, [this] { return poolJson(); }, connections),
      m_servesPage(pageFolder.has_value())
{
    m_writeTimer.setSingleShot(true);
    connect(&m_writeTimer, &QTimer::timeout, this, &ClassServer::write);
    connect(&m_tickTimer, &QTimer::timeout, this, [this] {
        m_hub.tick();
        carryOut();
    });
    m_tickTimer.start(static_cast<int>(std::min<std::int64_t>(kTickMs, pages.joinMs / 10 + 1)));
    connect(&m_http, &HttpFront::newWebSocketConnection, this, &ClassServer::accept);
}

ClassServer::~ClassServer()
{
    // What is due is written before the server goes.
    try {
        write();
    } catch (...) { // a destructor has no one left to tell
    }
    // A socket says it has disconnected while it is destroyed: no longer to this server.
    for (const auto &[id, socket] : m_sockets)
        socket->disconnect(this);
}

bool ClassServer::listen(const QHostAddress &address, quint16 port)
{
    m_address = address;
    m_port = m_http.serve(address, port);
    return m_port != 0;
}

QString ClassServer::studentAddress() const
{
    return classroom::studentAddress(m_address, m_port, m_code);
}

bool ClassServer::removeExperiment(int student, std::int64_t experiment)
{
    const bool removed = m_hub.removeExperiment(m_code, student, experiment);
    carryOut();
    return removed;
}

bool ClassServer::startNewClass()
{
    write();
    const std::optional<std::string> code = m_store.makeClass(m_clock.nowMs());
    if (!code)
        return false;
    m_hub.close(m_code);
    m_code = m_hub.open(pool::ClassSession(pool::ClassPool(*code), {})).code();
    m_shownChanges = 0;
    carryOut();
    emit classChanged();
    emit poolChanged();
    return true;
}

void ClassServer::accept()
{
    while (m_http.hasPendingWebSocketConnections()) {
        std::unique_ptr<QWebSocket> socket = m_http.nextPendingWebSocketConnection();
        const std::optional<pool::ConnectionId> known = m_http.connections().idOf(*socket);
        if (!known) // its connection closed before it could be taken
            continue;
        const pool::ConnectionId id = *known;
        QWebSocket *s = socket.get();
        // Larger frames and messages are refused by the socket itself, with close code 1009.
        s->setMaxAllowedIncomingFrameSize(protocol::kMaxMessageBytes);
        s->setMaxAllowedIncomingMessageSize(protocol::kMaxMessageBytes);
        m_sockets[id] = std::move(socket);
        connect(s, &QWebSocket::disconnected, this, [this, id] {
            m_hub.closed(id);
            // The socket is inside its own signal: it goes once that has returned.
            if (const auto it = m_sockets.find(id); it != m_sockets.end()) {
                it->second.release()->deleteLater();
                m_sockets.erase(it);
            }
            carryOut();
        });
        if (!m_http.connections().upgraded(id)) {
            s->close(static_cast<QWebSocketProtocol::CloseCode>(protocol::kTooManyConnections.code),
                     toQString(protocol::kTooManyConnections.reason));
            continue;
        }
        m_hub.opened(id);
        connect(s, &QWebSocket::textMessageReceived, this, [this, id](const QString &text) {
            m_hub.received(id, readPageMessage(text.toUtf8()));
            carryOut();
        });
        connect(s, &QWebSocket::binaryMessageReceived, this, [this, id] {
            m_hub.receivedBinary(id);
            carryOut();
        });
        connect(s, &QWebSocket::pong, this, [this, id] { m_hub.ponged(id); });
    }
}

void ClassServer::carryOut()
{
    // A socket may say it has disconnected inside close() or abort(), and that takes
    // it from m_sockets: each request looks its socket up again.
    const auto socketOf = [this](pool::ConnectionId id) -> QWebSocket * {
        const auto it = m_sockets.find(id);
        return it == m_sockets.end() ? nullptr : it->second.get();
    };
    for (const pool::SessionRequest &request : m_hub.takeRequests()) {
        std::visit(Overloaded{
                       [&](const pool::Send &r) {
                           if (QWebSocket *s = socketOf(r.to))
                               s->sendTextMessage(QString::fromUtf8(serverMessageJson(r.message)));
                       },
                       [&](const pool::Close &r) {
                           if (QWebSocket *s = socketOf(r.connection))
                               s->close(static_cast<QWebSocketProtocol::CloseCode>(r.why.code),
                                        toQString(r.why.reason));
                       },
                       [&](const pool::Ping &r) {
                           if (QWebSocket *s = socketOf(r.connection))
                               s->ping();
                       },
                       [&](const pool::Abort &r) {
                           if (QWebSocket *s = socketOf(r.connection))
                               s->abort();
                       },
                       [&](const pool::Admit &r) { m_http.connections().joined(r.connection); },
                   },
                   request);
    }
    if (const std::optional<std::int64_t> due = m_hub.writeDueAt(); due && !m_writeTimer.isActive())
        m_writeTimer.start(static_cast<int>(std::max<std::int64_t>(0, *due - m_clock.nowMs())));
    if (session().changes() != m_shownChanges) {
        m_shownChanges = session().changes();
        emit poolChanged();
    }
}

void ClassServer::write()
{
    const std::vector<const pool::ClassRows *> rows = m_hub.rowsToWrite();
    const bool written = m_store.write(rows);
    if (!written)
        std::cerr << "nuperako-class: cannot write the class: " << m_store.error().toStdString() << '\n';
    m_hub.written(written);
    carryOut();
}

QByteArray ClassServer::poolJson() const
{
    const pool::PoolSummary summary = session().summary();
    QJsonArray counts;
    QJsonArray ratios;
    for (std::size_t i = 0; i < kCountCount; ++i) {
        const auto c = static_cast<Count>(i);
        counts.append(static_cast<qint64>(summary.tally[c]));
        ratios.append(toQString(summary.tally.ratioText(c)));
    }
    QJsonArray experiments;
    for (const pool::PooledExperiment &e : summary.experiments) {
        experiments.append(QJsonObject{{"seat", toQString(e.seat)},
                                       {"student", e.number},
                                       {"experiment", static_cast<qint64>(e.experiment)},
                                       {"rounds", roundsOf(e.state.counts)},
                                       {"counts", countsOf(e.state.counts)},
                                       {"ended", e.state.ended}});
    }
    const QJsonObject json{{"class", toQString(m_code)},
                           {"rounds", static_cast<qint64>(summary.tally.rounds)},
                           {"counts", counts},
                           {"ratios", ratios},
                           {"connected", summary.connected},
                           {"experiments", experiments}};
    return QJsonDocument(json).toJson(QJsonDocument::Compact);
}

} // namespace nuperako::classroom
