// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "pool/classsession.h"
#include "pool/messages.h"

#include <QByteArray>
#include <QJsonObject>

namespace nuperako::classroom {

// A page's text frame (UTF-8 JSON) taken apart into its message.
pool::PageMessage readPageMessage(const QByteArray &text);

// The server's answer as the text frame a page reads.
QByteArray serverMessageJson(const pool::ServerMessage &message);

// The class's pool as GET /pool.json gives it.
QJsonObject poolObject(const pool::ClassSession &session);
// The class as its teacher's page shows it: the pool, its lines for the teacher and its history.
QByteArray classViewJson(const pool::ClassSession &session);
// What a class's students see of it (protocol::kOverview): numbers only, the same for every student.
QByteArray overviewJson(const pool::ClassSession &session);

} // namespace nuperako::classroom
