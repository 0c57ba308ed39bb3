// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "classroom/httpfront.h"
#include "pool/classhub.h"
#include "pool/wallclock.h"

#include <QHostAddress>
#include <QObject>
#include <QTimer>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>

class QWebSocket;

namespace nuperako::classroom {

class ClassStore;

// The class on the network: the page's files and /pool.json over HTTP, and the
// students' pages over WebSockets on the same port. The rules are the hub's
// and the class's session's: this adapter turns sockets into connection ids
// and JSON into messages for them, and carries out what they ask, writing the
// store's rows when they are due.
class ClassServer : public QObject {
    Q_OBJECT
public:
    // Serves session's class. Without a page folder the students' page is not served, only the pool.
    ClassServer(ClassStore &store, pool::ClassSession session, const std::optional<std::filesystem::path> &pageFolder,
                const pool::ConnectionGate::Limits &connections, const pool::ClassHub::Limits &pages,
                QObject *parent = nullptr);
    ~ClassServer() override;
    ClassServer(const ClassServer &) = delete;
    ClassServer &operator=(const ClassServer &) = delete;

    // Listens on address and port (0: any free port); false if it cannot.
    bool listen(const QHostAddress &address, quint16 port);
    [[nodiscard]] quint16 port() const { return m_port; }
    // The address the students open, with the class's code.
    [[nodiscard]] QString studentAddress() const;
    // Whether the students' page is there to be served: without it, students cannot join.
    [[nodiscard]] bool servesPage() const { return m_servesPage; }

    // The class open now.
    [[nodiscard]] const pool::ClassSession &session() const { return *m_hub.openClass(m_code); }
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
    void accept();
    // Carries out what the hub asks, and arms the write that is due.
    void carryOut();
    void write();

    ClassStore &m_store;
    pool::SystemWallClock m_clock;
    pool::ClassHub m_hub;
    std::string m_code;
    HttpFront m_http;
    bool m_servesPage;
    QHostAddress m_address;
    quint16 m_port = 0;
    std::map<pool::ConnectionId, std::unique_ptr<QWebSocket>> m_sockets;
    QTimer m_writeTimer;
    QTimer m_tickTimer;
    std::uint64_t m_shownChanges = 0;
};

} // namespace nuperako::classroom
