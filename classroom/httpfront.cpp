// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "classroom/httpfront.h"

#include "classroom/gatedlistener.h"
#include "pool/staticpath.h"

#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>

#include <utility>

namespace nuperako::classroom {

namespace {

using Status = QHttpServerResponder::StatusCode;

} // namespace

HttpFront::HttpFront(std::optional<std::filesystem::path> pageFolder, Answers answers,
                     const pool::ConnectionGate::Limits &limits, QObject *parent)
    : QAbstractHttpServer(parent),
      m_pageFolder(std::move(pageFolder)),
      m_answers(std::move(answers)),
      m_listener(new GatedListener(limits, this))
{
}

quint16 HttpFront::serve(const QHostAddress &address, quint16 port)
{
    if (!m_listener->listen(address, port))
        return 0;
    bind(m_listener);
    return m_listener->serverPort();
}

bool HttpFront::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    // Qt upgrades a request to a WebSocket only when it was handled here and
    // nothing was written: the students' pages connect to /ws.
    const QByteArray path = request.url().path(QUrl::FullyEncoded).toUtf8();
    if (request.value("upgrade").compare("websocket", Qt::CaseInsensitive) == 0 && path == "/ws")
        return true;
    m_listener->answered(socket);
    QHttpServerResponder responder = makeResponder(request, socket);
    if (request.method() != QHttpServerRequest::Method::Get) {
        responder.write({{"Allow", "GET"}}, Status::MethodNotAllowed);
        return true;
    }
    // What the server answers itself is as it is now; the page's files may be revalidated.
    if (const std::optional<HttpAnswer> answer = m_answers(request)) {
        if (answer->fileName.isEmpty()) {
            responder.write(
                answer->body,
                {{"Content-Type", answer->type}, {"Cache-Control", "no-store"}, {"X-Content-Type-Options", "nosniff"}},
                answer->status);
        } else {
            responder.write(answer->body,
                            {{"Content-Type", answer->type},
                             {"Cache-Control", "no-store"},
                             {"X-Content-Type-Options", "nosniff"},
                             {"Content-Disposition", "attachment; filename=\"" + answer->fileName + '"'}},
                            answer->status);
        }
        return true;
    }
    QByteArray body;
    QByteArray type;
    const QByteArray cache = "no-cache";
    // The teachers' page answers at /teacher, the link a teacher is given.
    const std::string_view filePath = path == "/teacher" ? "/teacher.html" : std::string_view(path.data(), path.size());
    const std::optional<std::filesystem::path> file =
        m_pageFolder ? pool::staticFile(*m_pageFolder, filePath) : std::nullopt;
    if (file) {
        QFile f(QString::fromStdString(file->string()));
        if (!f.open(QIODevice::ReadOnly)) {
            responder.write(Status::NotFound);
            return true;
        }
        body = f.readAll();
        const std::string_view contentType = pool::contentTypeOf(*file);
        type = QByteArray(contentType.data(), static_cast<qsizetype>(contentType.size()));
    } else {
        responder.write(Status::NotFound);
        return true;
    }
    responder.write(body, {{"Content-Type", type}, {"Cache-Control", cache}, {"X-Content-Type-Options", "nosniff"}},
                    Status::Ok);
    return true;
}

void HttpFront::missingHandler(const QHttpServerRequest &request, QTcpSocket *socket)
{
    m_listener->answered(socket);
    makeResponder(request, socket).write(Status::NotFound);
}

} // namespace nuperako::classroom
