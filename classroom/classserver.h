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
#include <string>

class QWebSocket;

namespace nuperako::classroom {

class ClassStore;

// The classes on the network: the page's files, the teachers' page and
// /pool.json over HTTP, and the students' and teachers' pages over WebSockets
// on the same port. The rules are the hub's and the classes' sessions': this
// adapter turns sockets into connection ids and JSON into messages for them,
// and carries out what they ask: sockets, new classes and classes read back
// from the store, and the store's rows when they are due.
class ClassServer : public QObject {
    Q_OBJECT
public:
    struct Settings {
        std::optional<std::filesystem::path> pageFolder; // none: only what the server answers itself
        pool::ConnectionGate::Limits connections;
        pool::ClassHub::Limits pages;
        std::string passwordHash; // of the teachers' password; empty: anyone may open a class
    };

    // Serves own, the class of the desktop's teacher, if given, and every class a teacher opens.
    ClassServer(ClassStore &store, std::optional<pool::ClassSession> own, const Settings &settings,
                QObject *parent = nullptr);
    ~ClassServer() override;
    ClassServer(const ClassServer &) = delete;
    ClassServer &operator=(const ClassServer &) = delete;

    // Listens on address and port (0: any free port); false if it cannot.
    bool listen(const QHostAddress &address, quint16 port);
    [[nodiscard]] quint16 port() const { return m_port; }
    // The address the own class's students open, with the class's code.
    [[nodiscard]] QString studentAddress() const;
    // Where teachers open their classes, and the own class's teacher's link with its key.
    [[nodiscard]] QString teachersAddress() const;
    [[nodiscard]] QString teacherLink(const std::string &key) const;
    // Whether the students' page is there to be served: without it, students cannot join.
    [[nodiscard]] bool servesPage() const { return m_servesPage; }

    [[nodiscard]] bool hasOwnClass() const { return !m_code.empty(); }
    // The own class.
    [[nodiscard]] const pool::ClassSession &session() const { return *m_hub.openClass(m_code); }
    // Takes a student's experiment out of the own class; the student's page hears it
    // and starts a new experiment. False if there is no such experiment.
    bool removeExperiment(int student, std::int64_t experiment);
    // Shows the own class to its students' pages, or hides it.
    void reveal(bool revealed);
    // Opens a new own class with a new code, for the next lesson; the one before stays
    // in the store, and its pages hear that it is no longer open. False if no new
    // class could be written.
    bool startNewClass();

signals:
    // Something the teacher's window shows has changed.
    void poolChanged();
    // Another class is the own class now: its code and address have changed.
    void classChanged();

private:
    void accept();
    std::optional<HttpAnswer> answer(const QHttpServerRequest &request);
    // Carries out what the hub asks, and arms the write that is due.
    void carryOut();
    void create(const pool::Create &request);
    // The class's message, as messageOf writes it, to the pages on these connections; its size in bytes.
    std::size_t sendTo(const std::vector<pool::ConnectionId> &to, const std::string &code,
                       QByteArray (*messageOf)(const pool::ClassSession &));
    void write();

    ClassStore &m_store;
    pool::SystemWallClock m_clock;
    pool::ClassHub m_hub;
    std::string m_code; // the own class; empty on a school's server
    HttpFront m_http;
    bool m_servesPage;
    QHostAddress m_address;
    quint16 m_port = 0;
    std::map<pool::ConnectionId, std::unique_ptr<QWebSocket>> m_sockets;
    QTimer m_writeTimer;
    QTimer m_tickTimer;
    QTimer m_viewTimer;
    std::uint64_t m_shownChanges = 0;
};

} // namespace nuperako::classroom
