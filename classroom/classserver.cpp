// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "classroom/classserver.h"

#include "classroom/classstore.h"
#include "classroom/gatedlistener.h"
#include "classroom/pagejson.h"
#include "classroom/qrcode.h"
#include "classroom/secrets.h"
#include "classroom/serveraddress.h"
#include "platform/qtconvert.h"
#include "pool/csvexport.h"

#include <QHttpServerRequest>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrlQuery>
#include <QWebSocket>

#include <algorithm>
#include <iostream>
#include <utility>

namespace nuperako::classroom {

namespace {

using Status = QHttpServerResponder::StatusCode;

// How often the hub hears that time has passed: its limits are counted in seconds.
constexpr int kTickMs = 1000;
constexpr qsizetype kMostQrText = 512; // an address, with room to spare

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

HttpAnswer json(const QJsonObject &object)
{
    return {Status::Ok, "application/json", QJsonDocument(object).toJson(QJsonDocument::Compact), {}};
}

HttpAnswer refusal(const protocol::Refusal &why)
{
    const Status status = why.code == protocol::kForbiddenCode ? Status::Forbidden : Status::TooManyRequests;
    return {status,
            "text/plain; charset=utf-8",
            QByteArray(why.reason.data(), static_cast<qsizetype>(why.reason.size())),
            {}};
}

} // namespace

ClassServer::ClassServer(ClassStore &store, std::optional<pool::ClassSession> own, const Settings &settings,
                         QObject *parent)
    : QObject(parent),
      m_store(store),
      m_hub(m_clock, settings.pages, settings.passwordHash),
      m_code(own ? m_hub.open(std::move(*own)).code() : std::string()),
      m_http(
          settings.pageFolder, [this](const QHttpServerRequest &request) { return answer(request); },
          settings.connections),
      m_servesPage(settings.pageFolder.has_value())
{
    m_writeTimer.setSingleShot(true);
    connect(&m_writeTimer, &QTimer::timeout, this, &ClassServer::write);
    connect(&m_tickTimer, &QTimer::timeout, this, [this] {
        m_hub.tick();
        carryOut();
    });
    m_tickTimer.start(static_cast<int>(std::min<std::int64_t>(kTickMs, settings.pages.joinMs / 10 + 1)));
    connect(&m_viewTimer, &QTimer::timeout, this, [this] {
        m_hub.publish();
        carryOut();
    });
    m_viewTimer.start(protocol::kViewMs / pool::ClassHub::kPublishSlots);
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

QString ClassServer::teachersAddress() const
{
    return classroom::teachersAddress(m_address, m_port);
}

QString ClassServer::teacherLink(const std::string &key) const
{
    return classroom::teacherLink(m_address, m_port, m_code, key);
}

bool ClassServer::removeExperiment(int student, std::int64_t experiment)
{
    const bool removed = m_hub.removeExperiment(m_code, student, experiment);
    carryOut();
    return removed;
}

void ClassServer::reveal(bool revealed)
{
    m_hub.reveal(m_code, revealed);
    carryOut();
}

bool ClassServer::startNewClass()
{
    // A key no one is told: the new class is the desktop window's, as the one before.
    const std::string keyHash = hashOfSecret(toQString(newTeacherKey()));
    const std::optional<std::string> code = m_store.makeClass(m_clock.nowMs(), keyHash);
    if (!code)
        return false;
    m_hub.close(m_code);
    m_code = m_hub.open(pool::ClassSession(pool::ClassPool(*code), {}, keyHash)).code();
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
        m_hub.opened(id, s->peerAddress().toString().toStdString());
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

std::optional<HttpAnswer> ClassServer::answer(const QHttpServerRequest &request)
{
    const QString path = request.url().path();
    const std::string code = request.query().queryItemValue(QStringLiteral("class")).toStdString();
    const auto is = [&path](std::string_view p) { return path == toQString(p); };
    if (is(protocol::kPoolPath)) {
        const pool::ClassSession *asked = m_hub.openClass(code.empty() ? m_code : code);
        return asked != nullptr ? json(poolObject(*asked)) : HttpAnswer{Status::NotFound, "text/plain", {}, {}};
    }
    if (is(protocol::kQrPath)) {
        // The students' address as the teacher's page reaches the server, for its code to scan.
        const QByteArray text = request.query().queryItemValue(QStringLiteral("text"), QUrl::FullyDecoded).toUtf8();
        if (text.size() > kMostQrText)
            return HttpAnswer{Status::BadRequest, "text/plain", {}, {}};
        const QrCode qr = qrCodeOf(text);
        QJsonArray rows;
        QString row;
        for (const bool dark : qr.dark) {
            row += dark ? u'1' : u'0';
            if (row.size() == qr.width)
                rows.append(std::exchange(row, {}));
        }
        return json({{"modules", rows}, {"quiet", kQuietModules}});
    }
    if (is(protocol::kTeacherSettingsPath))
        return json({{"password", !m_hub.passwordHash().empty()}});
    if (is(protocol::kExportPath)) {
        const std::string keyHash = hashOfSecret(
            QString::fromUtf8(request.value(QByteArray::fromStdString(std::string(protocol::kKeyHeader)).toLower())));
        if (const auto refused = m_hub.mayRead(code, keyHash, request.remoteAddress().toString().toStdString()))
            return refusal(*refused);
        const std::string csv = pool::experimentsCsv(m_hub.openClass(code)->summary());
        return HttpAnswer{Status::Ok, "text/csv; charset=utf-8", QByteArray::fromStdString(csv),
                          QByteArray("nuperako-") + QByteArray::fromStdString(code) + ".csv"};
    }
    return std::nullopt;
}

void ClassServer::carryOut()
{
    // A socket may say it has disconnected inside close() or abort(), and that takes
    // it from m_sockets: each request looks its socket up again.
    const auto socketOf = [this](pool::ConnectionId id) -> QWebSocket * {
        const auto it = m_sockets.find(id);
        return it == m_sockets.end() ? nullptr : it->second.get();
    };
    // Some requests bring more (a class made or read answers at once): until none is left.
    for (std::vector<pool::SessionRequest> requests = m_hub.takeRequests(); !requests.empty();
         requests = m_hub.takeRequests()) {
        for (const pool::SessionRequest &request : requests) {
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
                           [&](const pool::Create &r) { create(r); },
                           [&](const pool::Load &r) { m_hub.loaded(r.classCode, m_store.loadSession(r.classCode)); },
                           [&](const pool::Publish &r) { sendTo(r.to, r.classCode, classViewJson); },
                           [&](const pool::ShowOverview &r) {
                               m_hub.overviewSent(r.classCode, sendTo(r.to, r.classCode, overviewJson));
                           },
                       },
                       request);
        }
    }
    if (const std::optional<std::int64_t> due = m_hub.writeDueAt(); due && !m_writeTimer.isActive())
        m_writeTimer.start(static_cast<int>(std::max<std::int64_t>(0, *due - m_clock.nowMs())));
    if (hasOwnClass() && session().changes() != m_shownChanges) {
        m_shownChanges = session().changes();
        emit poolChanged();
    }
}

std::size_t ClassServer::sendTo(const std::vector<pool::ConnectionId> &to, const std::string &code,
                                QByteArray (*messageOf)(const pool::ClassSession &))
{
    const pool::ClassSession *shown = m_hub.openClass(code);
    if (shown == nullptr)
        return 0;
    // Built once for all of them.
    const QByteArray json = messageOf(*shown);
    const QString message = QString::fromUtf8(json);
    for (const pool::ConnectionId c : to) {
        if (const auto it = m_sockets.find(c); it != m_sockets.end())
            it->second->sendTextMessage(message);
    }
    return static_cast<std::size_t>(json.size());
}

void ClassServer::create(const pool::Create &request)
{
    const std::string key = newTeacherKey();
    const std::string keyHash = hashOfSecret(toQString(key));
    const std::optional<std::string> code = m_store.makeClass(m_clock.nowMs(), keyHash);
    if (!code) {
        std::cerr << "nuperako-class: cannot make a class: " << m_store.error().toStdString() << '\n';
        m_hub.notCreated(request.to);
        return;
    }
    m_hub.created(request.to, pool::ClassSession(pool::ClassPool(*code), {}, keyHash), key);
}

void ClassServer::write()
{
    const std::vector<const pool::ClassRows *> rows = m_hub.rowsToWrite();
    const bool written = m_store.write(rows);
    if (!written)
        std::cerr << "nuperako-class: cannot write the classes: " << m_store.error().toStdString() << '\n';
    m_hub.written(written);
    carryOut();
}

} // namespace nuperako::classroom
