// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "classroom/httpfront.h"
#include "classroom/pagemessage.h"
#include "pool/classpool.h"
#include "pool/pooledhistory.h"
#include "pool/tokenbucket.h"

#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWebSocketProtocol>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

class QWebSocket;

namespace nuperako::classroom {

class ClassStore;

// The class on the network: the page's files and /pool.json over HTTP, and
// the students' pages over WebSockets on the same port. Every state a page
// sends goes through the class's rules; what they accept is staged in the
// store, and the page hears "ack" only once the store has committed it.
class ClassServer : public QObject {
    Q_OBJECT
public:
    static constexpr quint64 kMaxMessageBytes = 4096;
    // A page sends at most four states a second, more only while it catches up.
    static constexpr double kMessagesPerSecond = 20;
    static constexpr double kMessageBurst = 60;

    // Without a page folder the students' page is not served, only the pool.
    ClassServer(ClassStore &store, pool::ClassPool pool, const std::optional<std::filesystem::path> &pageFolder,
                const pool::ConnectionGate::Limits &limits, QObject *parent = nullptr);
    ~ClassServer() override;

    // Listens on address and port (0: any free port); false if it cannot.
    bool listen(const QHostAddress &address, quint16 port);
    [[nodiscard]] quint16 port() const { return m_port; }
    // The address the students open, with the class's code.
    [[nodiscard]] QString studentAddress() const;
    // Whether the students' page is there to be served: without it, students cannot join.
    [[nodiscard]] bool servesPage() const { return m_servesPage; }

    [[nodiscard]] const pool::ClassPool &pool() const { return m_pool; }
    // The class's pooled tally as it grew, kept in the store as it grows.
    [[nodiscard]] const pool::PooledHistory &history() const { return m_history; }

    // Takes a student's experiment out of the class; the student's page hears it
    // and starts a new experiment. False if there is no such experiment.
    bool removeExperiment(int student, std::int64_t experiment);
    // Opens a new class with a new code, for the next lesson; the one before stays
    // in the store, and its pages hear that it is no longer open. False if no new
    // class could be written.
    bool startNewClass();
    // The class's summary as GET /pool.json gives it.
    [[nodiscard]] QByteArray poolJson() const;

signals:
    // Something the teacher's window shows has changed.
    void poolChanged();
    // Another class is open now: its code and address have changed.
    void classChanged();

private:
    using ConnectionId = pool::ConnectionGate::Id;
    struct Connection {
        ConnectionId id = 0;
        std::unique_ptr<QWebSocket> socket;
        std::string device; // empty until the page has joined
        pool::TokenBucket messages{kMessagesPerSecond, kMessageBurst};
        qint64 heardMs = 0; // the last message or pong
    };
    struct Reply {
        QPointer<QWebSocket> socket;
        QByteArray text;
    };

    void accept();
    void receive(Connection &c, const QString &text);
    void join(Connection &c, const JoinMessage &message);
    void offer(Connection &c, const pool::StateMessage &state);
    void rename(const Connection &c, const SeatMessage &message);
    void refuse(const Connection &c, QWebSocketProtocol::CloseCode code, std::string_view reason);
    void refuseEach(const std::vector<ConnectionId> &ids, QWebSocketProtocol::CloseCode code, std::string_view reason);
    void drop(ConnectionId id);
    void afterCommit(const Connection &c, const QJsonObject &reply);
    void scheduleCommit();
    void recordHistory();
    void commit();
    void sweep();

    ClassStore &m_store;
    pool::ClassPool m_pool;
    pool::PooledHistory m_history;
    HttpFront m_http;
    QHostAddress m_address;
    quint16 m_port = 0;
    bool m_servesPage;
    std::map<ConnectionId, Connection> m_connections;
    std::vector<Reply> m_replies; // sent after the next commit
    QTimer m_commitTimer;
    QTimer m_sweepTimer;
};

} // namespace nuperako::classroom
