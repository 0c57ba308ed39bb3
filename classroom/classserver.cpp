// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "classroom/classserver.h"

#include "classroom/classstore.h"
#include "classroom/gatedlistener.h"
#include "classroom/studentaddress.h"
#include "core/counts.h"
#include "pool/poolsummary.h"
#include "pool/statemessage.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QWebSocket>

#include <iostream>
#include <optional>
#include <utility>

namespace nuperako::classroom {

namespace {

using Close = QWebSocketProtocol::CloseCode;
// Our own close codes (4000 to 4999 are the application's): a class that is not
// open here, and 1013 "try again later", which Qt 6.4 does not name.
constexpr auto kUnknownClass = static_cast<Close>(4404);
constexpr auto kTryAgainLater = static_cast<Close>(1013);

// States are written together, at most this long after the first of them
// arrived: with 200 pages sending four states a second, 99 in 100 hear that
// their state is safe within 46 ms (bench_pool_load), at 11 % of a core.
constexpr int kCommitMs = 40;
constexpr int kRetryMs = 1000;
// A page that says nothing for so long, not even a pong, has gone.
constexpr int kSweepMs = 15'000;
constexpr qint64 kSilentMs = 40'000;

qint64 nowMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

QString fromStd(const std::string &s)
{
    return QString::fromStdString(s);
}

QJsonArray countsOf(const Counts &counts)
{
    QJsonArray a;
    for (const std::int16_t n : counts.values)
        a.append(n);
    return a;
}

} // namespace

ClassServer::ClassServer(ClassStore &store, pool::ClassPool pool,
                         const std::optional<std::filesystem::path> &pageFolder,
                         const pool::ConnectionGate::Limits &limits, QObject *parent)
    : QObject(parent),
      m_store(store),
      m_pool(std::move(pool)),
      m_http(
          pageFolder, [this] { return poolJson(); }, limits),
      m_servesPage(pageFolder.has_value())
{
    m_commitTimer.setSingleShot(true);
    connect(&m_commitTimer, &QTimer::timeout, this, &ClassServer::commit);
    connect(&m_sweepTimer, &QTimer::timeout, this, &ClassServer::sweep);
    m_sweepTimer.start(kSweepMs);
    connect(&m_http, &HttpFront::newWebSocketConnection, this, &ClassServer::accept);
    connect(&m_http.connections(), &GatedListener::joinExpired, this, [this](ConnectionId id) {
        if (const auto it = m_connections.find(id); it != m_connections.end())
            refuse(it->second, Close::CloseCodePolicyViolated, "join the class first");
    });
    if (!m_store.loadHistory(m_pool.code(), m_history))
        std::cerr << "nuperako-class: cannot read the class's history: " << m_store.error().toStdString() << '\n';
}

ClassServer::~ClassServer()
{
    commit();
    // A socket says it has disconnected while it is destroyed: no longer to this server.
    for (const auto &[id, c] : m_connections)
        c.socket->disconnect(this);
}

bool ClassServer::listen(const QHostAddress &address, quint16 port)
{
    m_address = address;
    m_port = m_http.serve(address, port);
    return m_port != 0;
}

QString ClassServer::studentAddress() const
{
    return classroom::studentAddress(m_address, m_port, m_pool.code());
}

bool ClassServer::removeExperiment(int student, std::int64_t experiment)
{
    const std::string *device = m_pool.remove(student, experiment);
    if (device == nullptr)
        return false;
    m_store.stageRemoval(m_pool.code(), *device, experiment);
    const QJsonObject told{{"type", "removed"}, {"experiment", static_cast<qint64>(experiment)}};
    for (const auto &[id, c] : m_connections) {
        if (c.device == *device)
            afterCommit(c, told);
    }
    scheduleCommit();
    emit poolChanged();
    return true;
}

bool ClassServer::startNewClass()
{
    commit();
    const std::optional<std::string> code = m_store.makeClass(nowMs());
    if (!code)
        return false;
    std::vector<ConnectionId> joined;
    for (const auto &[id, c] : m_connections) {
        if (!c.device.empty())
            joined.push_back(id);
    }
    refuseEach(joined, kUnknownClass, "the class has closed");
    m_pool = pool::ClassPool(*code);
    m_history = {};
    emit classChanged();
    emit poolChanged();
    return true;
}

void ClassServer::accept()
{
    while (m_http.hasPendingWebSocketConnections()) {
        std::unique_ptr<QWebSocket> socket = m_http.nextPendingWebSocketConnection();
        const std::optional<ConnectionId> known = m_http.connections().idOf(*socket);
        if (!known) // its connection closed before it could be taken
            continue;
        const ConnectionId id = *known;
        QWebSocket *s = socket.get();
        // Larger frames and messages are refused by the socket itself, with close code 1009.
        s->setMaxAllowedIncomingFrameSize(kMaxMessageBytes);
        s->setMaxAllowedIncomingMessageSize(kMaxMessageBytes);
        Connection &c = m_connections[id];
        c.id = id;
        c.socket = std::move(socket);
        c.heardMs = nowMs();
        connect(s, &QWebSocket::disconnected, this, [this, id] { drop(id); });
        if (!m_http.connections().upgraded(id)) {
            refuse(c, kTryAgainLater, "too many connections");
            continue;
        }
        connect(s, &QWebSocket::textMessageReceived, this, [this, id](const QString &text) {
            if (const auto it = m_connections.find(id); it != m_connections.end())
                receive(it->second, text);
        });
        connect(s, &QWebSocket::binaryMessageReceived, this, [this, id] {
            if (const auto it = m_connections.find(id); it != m_connections.end())
                refuse(it->second, Close::CloseCodeDatatypeNotSupported, "text frames only");
        });
        connect(s, &QWebSocket::pong, this, [this, id] {
            if (const auto it = m_connections.find(id); it != m_connections.end())
                it->second.heardMs = nowMs();
        });
    }
}

void ClassServer::receive(Connection &c, const QString &text)
{
    const qint64 now = nowMs();
    c.heardMs = now;
    if (!c.messages.take(now)) {
        refuse(c, Close::CloseCodePolicyViolated, "too many messages");
        return;
    }
    const PageMessage message = readPageMessage(text.toUtf8());
    const bool joined = !c.device.empty();
    if (const auto *fault = std::get_if<MessageFault>(&message); fault && *fault != MessageFault::UnknownType)
        refuse(c, Close::CloseCodeWrongDatatype,
               *fault == MessageFault::MalformedJson ? "malformed JSON" : "malformed state");
    else if (const auto *joining = std::get_if<JoinMessage>(&message); joining && !joined)
        join(c, *joining);
    else if (const auto *state = std::get_if<pool::StateMessage>(&message); state && joined)
        offer(c, *state);
    else if (const auto *seat = std::get_if<SeatMessage>(&message); seat && joined)
        rename(c, *seat);
    else
        refuse(c, Close::CloseCodePolicyViolated, "unexpected message");
}

void ClassServer::join(Connection &c, const JoinMessage &message)
{
    if (message.classCode != m_pool.code()) {
        refuse(c, kUnknownClass, "unknown class");
        return;
    }
    const std::string &device = message.device;
    if (!pool::isDeviceId(device)) {
        refuse(c, Close::CloseCodePolicyViolated, "bad device id");
        return;
    }
    const bool known = m_pool.student(device) != nullptr;
    const pool::Student *student = m_pool.join(device, nowMs());
    if (student == nullptr) {
        refuse(c, kTryAgainLater, "class is full");
        return;
    }
    c.device = device;
    m_http.connections().joined(c.id);
    if (!known)
        m_store.stageStudent(m_pool.code(), device, *student);
    // The seat is safe in the store before the page shows it.
    afterCommit(c, {{"type", "joined"}, {"class", fromStd(m_pool.code())}, {"seat", fromStd(student->seat)}});
    emit poolChanged();
}

void ClassServer::offer(Connection &c, const pool::StateMessage &state)
{
    const pool::Verdict verdict = m_pool.offer(c.device, state, nowMs());
    if (pool::isRefusal(verdict)) {
        refuse(c, Close::CloseCodePolicyViolated, pool::reasonOf(verdict));
        return;
    }
    if (verdict == pool::Verdict::Removed) {
        afterCommit(c, {{"type", "removed"}, {"experiment", static_cast<qint64>(state.experiment)}});
        return;
    }
    if (verdict == pool::Verdict::TooFast) {
        afterCommit(c, {{"type", "later"}, {"experiment", static_cast<qint64>(state.experiment)}});
        return;
    }
    // Accepted or stale, the state kept is the newest: the page may forget every older one.
    const pool::ExperimentState &kept = m_pool.student(c.device)->experiments.at(state.experiment).state;
    if (verdict == pool::Verdict::Accepted) {
        m_store.stageExperiment(m_pool.code(), c.device, state.experiment, kept);
        emit poolChanged();
    }
    afterCommit(c, {{"type", "ack"},
                    {"experiment", static_cast<qint64>(state.experiment)},
                    {"seq", static_cast<qint64>(kept.seq)}});
}

void ClassServer::rename(const Connection &c, const SeatMessage &message)
{
    const pool::Verdict verdict = m_pool.rename(c.device, message.name);
    const pool::Student &student = *m_pool.student(c.device);
    if (verdict == pool::Verdict::Accepted) {
        m_store.stageStudent(m_pool.code(), c.device, student);
        emit poolChanged();
    }
    // A name the rules refuse leaves the seat as it was, and the page shows it again.
    afterCommit(c, {{"type", "seat"}, {"seat", fromStd(student.seat)}});
}

void ClassServer::refuse(const Connection &c, QWebSocketProtocol::CloseCode code, std::string_view reason)
{
    c.socket->close(code, QString::fromUtf8(reason.data(), static_cast<qsizetype>(reason.size())));
}

void ClassServer::refuseEach(const std::vector<ConnectionId> &ids, QWebSocketProtocol::CloseCode code,
                             std::string_view reason)
{
    // A socket may say it has disconnected inside close(), and that drops its connection:
    // the connections are gathered first, and each is looked up again.
    for (const ConnectionId id : ids) {
        if (const auto it = m_connections.find(id); it != m_connections.end())
            refuse(it->second, code, reason);
    }
}

void ClassServer::drop(ConnectionId id)
{
    const auto it = m_connections.find(id);
    if (it == m_connections.end())
        return;
    if (!it->second.device.empty()) {
        m_pool.leave(it->second.device);
        emit poolChanged();
    }
    // The socket is inside its own signal: it goes once that has returned.
    it->second.socket.release()->deleteLater();
    m_connections.erase(it);
}

void ClassServer::afterCommit(const Connection &c, const QJsonObject &reply)
{
    m_replies.push_back({c.socket.get(), QJsonDocument(reply).toJson(QJsonDocument::Compact)});
    scheduleCommit();
}

void ClassServer::scheduleCommit()
{
    if (!m_commitTimer.isActive())
        m_commitTimer.start(kCommitMs);
}

void ClassServer::recordHistory()
{
    const pool::PooledTally t = m_pool.tally();
    const pool::HistoryPoint now{t.rounds, t[Count::Aiko], t[Count::Abc1Kati], t[Count::Abc1Make]};
    if ((now.rounds > 0 || !m_history.points().empty()) && m_history.record(now)) {
        m_store.stageHistory(m_pool.code(), now);
        emit poolChanged();
    }
}

void ClassServer::commit()
{
    recordHistory();
    if (!m_store.commit()) {
        std::cerr << "nuperako-class: cannot write the class: " << m_store.error().toStdString() << '\n';
        m_commitTimer.start(kRetryMs);
        return;
    }
    for (const Reply &r : std::exchange(m_replies, {})) {
        if (r.socket)
            r.socket->sendTextMessage(QString::fromUtf8(r.text));
    }
}

void ClassServer::sweep()
{
    const qint64 now = nowMs();
    std::vector<ConnectionId> gone;
    for (auto &[id, c] : m_connections) {
        if (now - c.heardMs > kSilentMs)
            gone.push_back(id);
        else
            c.socket->ping();
    }
    // An abort says disconnected at once, and that drops the connection.
    for (const ConnectionId id : gone) {
        if (const auto it = m_connections.find(id); it != m_connections.end())
            it->second.socket->abort();
    }
}

QByteArray ClassServer::poolJson() const
{
    const pool::PoolSummary summary = m_pool.summary();
    QJsonArray counts;
    QJsonArray ratios;
    for (std::size_t i = 0; i < kCountCount; ++i) {
        const auto c = static_cast<Count>(i);
        counts.append(static_cast<qint64>(summary.tally[c]));
        ratios.append(fromStd(summary.tally.ratioText(c)));
    }
    QJsonArray experiments;
    for (const pool::PooledExperiment &e : summary.experiments) {
        experiments.append(QJsonObject{{"seat", fromStd(e.seat)},
                                       {"student", e.number},
                                       {"experiment", static_cast<qint64>(e.experiment)},
                                       {"rounds", pool::roundsOf(e.state.counts)},
                                       {"counts", countsOf(e.state.counts)},
                                       {"ended", e.state.ended}});
    }
    const QJsonObject json{{"class", fromStd(m_pool.code())},
                           {"rounds", static_cast<qint64>(summary.tally.rounds)},
                           {"counts", counts},
                           {"ratios", ratios},
                           {"connected", summary.connected},
                           {"experiments", experiments}};
    return QJsonDocument(json).toJson(QJsonDocument::Compact);
}

} // namespace nuperako::classroom
