// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "classroom/classserver.h"

#include "classroom/classstore.h"
#include "classroom/studentaddress.h"
#include "core/counts.h"
#include "pool/poolsummary.h"
#include "pool/statemessage.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QWebSocket>

#include <cmath>
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

// A JSON number that is an integer, exactly.
std::optional<std::int64_t> integer(const QJsonValue &v)
{
    constexpr double kExact = 9007199254740992.0; // 2^53
    if (!v.isDouble())
        return std::nullopt;
    const double d = v.toDouble();
    if (std::trunc(d) != d || std::abs(d) > kExact)
        return std::nullopt;
    return static_cast<std::int64_t>(d);
}

QJsonArray countsOf(const Counts &counts)
{
    QJsonArray a;
    for (const std::int16_t n : counts.values)
        a.append(n);
    return a;
}

} // namespace

ClassServer::ClassServer(ClassStore &store, pool::ClassPool pool, std::filesystem::path pageFolder, QObject *parent)
    : QObject(parent),
      m_store(store),
      m_pool(std::move(pool)),
      m_http(std::move(pageFolder), [this] { return poolJson(); })
{
    m_commitTimer.setSingleShot(true);
    connect(&m_commitTimer, &QTimer::timeout, this, &ClassServer::commit);
    connect(&m_sweepTimer, &QTimer::timeout, this, &ClassServer::sweep);
    m_sweepTimer.start(kSweepMs);
    connect(&m_http, &HttpFront::newWebSocketConnection, this, &ClassServer::accept);
    if (!m_store.loadHistory(m_pool.code(), m_history))
        std::cerr << "nuperako-class: cannot read the class's history: " << m_store.error().toStdString() << '\n';
}

ClassServer::~ClassServer()
{
    commit();
    // A socket says it has disconnected while it is destroyed: no longer to this server.
    for (const auto &[socket, c] : m_connections)
        socket->disconnect(this);
}

bool ClassServer::listen(const QHostAddress &address, quint16 port)
{
    m_address = address;
    m_port = m_http.listen(address, port);
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
    for (const auto &[socket, c] : m_connections) {
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
    std::vector<QWebSocket *> joined;
    for (const auto &[socket, c] : m_connections) {
        if (!c.device.empty())
            joined.push_back(socket);
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
        QWebSocket *s = socket.get();
        // Larger frames and messages are refused by the socket itself, with close code 1009.
        s->setMaxAllowedIncomingFrameSize(kMaxMessageBytes);
        s->setMaxAllowedIncomingMessageSize(kMaxMessageBytes);
        Connection &c = m_connections[s];
        c.socket = std::move(socket);
        c.heardMs = nowMs();
        connect(s, &QWebSocket::disconnected, this, [this, s] { drop(s); });
        if (m_connections.size() > kMaxConnections) {
            refuse(c, kTryAgainLater, "too many connections");
            continue;
        }
        connect(s, &QWebSocket::textMessageReceived, this, [this, s](const QString &text) {
            if (const auto it = m_connections.find(s); it != m_connections.end())
                receive(it->second, text);
        });
        connect(s, &QWebSocket::binaryMessageReceived, this, [this, s] {
            if (const auto it = m_connections.find(s); it != m_connections.end())
                refuse(it->second, Close::CloseCodeDatatypeNotSupported, "text frames only");
        });
        connect(s, &QWebSocket::pong, this, [this, s] {
            if (const auto it = m_connections.find(s); it != m_connections.end())
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
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        refuse(c, Close::CloseCodeWrongDatatype, "malformed JSON");
        return;
    }
    const QJsonObject message = document.object();
    const QString type = message.value(QLatin1String("type")).toString();
    if (type == QLatin1String("join") && c.device.empty())
        join(c, message);
    else if (type == QLatin1String("state") && !c.device.empty())
        offer(c, message);
    else if (type == QLatin1String("seat") && !c.device.empty())
        rename(c, message);
    else
        refuse(c, Close::CloseCodePolicyViolated, "unexpected message");
}

void ClassServer::join(Connection &c, const QJsonObject &message)
{
    if (message.value(QLatin1String("class")).toString().toStdString() != m_pool.code()) {
        refuse(c, kUnknownClass, "unknown class");
        return;
    }
    const std::string device = message.value(QLatin1String("device")).toString().toStdString();
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
    if (!known)
        m_store.stageStudent(m_pool.code(), device, *student);
    // The seat is safe in the store before the page shows it.
    afterCommit(c, {{"type", "joined"}, {"class", fromStd(m_pool.code())}, {"seat", fromStd(student->seat)}});
    emit poolChanged();
}

void ClassServer::offer(Connection &c, const QJsonObject &message)
{
    pool::StateMessage state;
    const std::optional<std::int64_t> experiment = integer(message.value(QLatin1String("experiment")));
    const std::optional<std::int64_t> seq = integer(message.value(QLatin1String("seq")));
    const QJsonArray counts = message.value(QLatin1String("counts")).toArray();
    const QJsonValue ended = message.value(QLatin1String("ended"));
    bool wellFormed = experiment && seq && counts.size() == static_cast<qsizetype>(kCountCount) && ended.isBool();
    for (std::size_t i = 0; wellFormed && i < kCountCount; ++i) {
        const std::optional<std::int64_t> n = integer(counts.at(static_cast<qsizetype>(i)));
        wellFormed = n.has_value();
        state.counts[i] = n.value_or(0);
    }
    if (!wellFormed) {
        refuse(c, Close::CloseCodeWrongDatatype, "malformed state");
        return;
    }
    state.experiment = *experiment;
    state.seq = *seq;
    state.ended = ended.toBool();

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

void ClassServer::rename(const Connection &c, const QJsonObject &message)
{
    const pool::Verdict verdict =
        m_pool.rename(c.device, message.value(QLatin1String("name")).toString().toStdString());
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

void ClassServer::refuseEach(const std::vector<QWebSocket *> &sockets, QWebSocketProtocol::CloseCode code,
                             std::string_view reason)
{
    // A socket may say it has disconnected inside close(), and that drops its connection:
    // the sockets are gathered first, and each is looked up again.
    for (QWebSocket *socket : sockets) {
        if (const auto it = m_connections.find(socket); it != m_connections.end())
            refuse(it->second, code, reason);
    }
}

void ClassServer::drop(QWebSocket *socket)
{
    const auto it = m_connections.find(socket);
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
    std::vector<QWebSocket *> gone;
    std::vector<QWebSocket *> unjoined;
    for (auto &[socket, c] : m_connections) {
        if (now - c.heardMs > kSilentMs)
            gone.push_back(socket);
        else if (c.device.empty() && now - c.heardMs >= kSweepMs)
            unjoined.push_back(socket);
        else
            socket->ping();
    }
    refuseEach(unjoined, Close::CloseCodePolicyViolated, "join the class first");
    // An abort says disconnected at once, and that drops the connection.
    for (QWebSocket *socket : gone) {
        if (m_connections.contains(socket))
            socket->abort();
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
